// The status lines: the main window's present sector and the sector under the mouse in the map,
// each traced to its record, and the main window showing a chosen sector or handing bytes on.
#include <gtest/gtest.h>

#include "sectormap/map_disk.h"
#include "sectormap/map_layout.h"
#include "tests/sectormap/map_harness.h"
#include "tests/support/image_builder.h"
#include "tests/viewer/harness.h"
#include "viewer/main_disk.h"

namespace m1 {
namespace {

// 35 tracks of a JV1 disk without a file system.
testing::Bytes Jv1() {
  return testing::Jv1Builder(35, 0x00).Build();
}

TEST(MainDisk, StatusNamesThePresentSectorAndFollowsTheWindow) {
  testing::MainHarness h;
  MainDisk disk(h.form);
  EXPECT_EQ(disk.StatusText(), "");  // nothing open
  const std::string path = h.Write("disk.dsk", Jv1());
  h.Open(path);
  EXPECT_EQ(disk.PresentRecord(), 0u);
  EXPECT_EQ(disk.StatusText().rfind("track 0 side 0 sector 0: ", 0), 0u) << disk.StatusText();

  // Track 17 sector 2 starts at (17 x 10 + 2) x 256 = 44032.
  EXPECT_TRUE(disk.ShowSector(44032));
  EXPECT_EQ(h.form.img.PresSecnum, 172);
  EXPECT_EQ(h.form.Txttrk.text, "17");
  EXPECT_EQ(h.form.Txtsector.text, "2");
  EXPECT_EQ(disk.PresentRecord(), 172u);
  EXPECT_EQ(h.host.shown.back(), FormId::Main);
  // No sector starts in the middle of one: the window stays where it was.
  EXPECT_FALSE(disk.ShowSector(44033));
  EXPECT_EQ(h.form.img.PresSecnum, 172);
  disk.ShowBytes(300);
  ASSERT_EQ(h.host.bytesShown.size(), 1u);
  EXPECT_EQ(h.host.bytesShown[0], (std::pair<std::string, std::int64_t>{path, 300}));
}

TEST(MainDisk, FactsAreReadOncePerImage) {
  testing::MainHarness h;
  MainDisk disk(h.form);
  h.Open(h.Write("a.dsk", testing::Jv1Builder(35, 0x00).Build()));
  const DiskFacts* first = &disk.Facts();
  EXPECT_EQ(first->listing.records.size(), 350u);
  h.form.CmndNextsec_Click();
  EXPECT_EQ(&disk.Facts(), first);
  EXPECT_EQ(disk.Facts().listing.records.size(), 350u);
  h.Open(h.Write("b.dsk", testing::Jv1Builder(40, 0x00).Build()));
  EXPECT_EQ(disk.Facts().listing.records.size(), 400u);
}

TEST(MainDisk, StatusNamesTheOwnerOnADiskWithAFileSystem) {
  // A 35-track Newdos/80 disk: its drive table in the system sector (track 0 sector 2), the GAT
  // and the HIT in the first two sectors of the directory on track 17.
  testing::Jv1Builder jv1(35, 0x00);
  testing::PdriveEntry p;
  p.tc = 35;
  p.spt = 10;
  jv1.Put(0, 2, 0, testing::NewdosSystemSector(p));
  jv1.Put(17, 0, 0xD0, {'E', 'M', 'P', 'T', 'Y', ' ', ' ', ' '});
  testing::MainHarness h;
  MainDisk disk(h.form);
  h.Open(h.Write("empty.dsk", jv1.Build()));
  ASSERT_TRUE(disk.Facts().fs);
  ASSERT_TRUE(disk.ShowSector(17 * 2560));
  EXPECT_EQ(disk.StatusText(), "track 17 side 0 sector 0: no CRCs recorded; GAT");
  ASSERT_TRUE(disk.ShowSector(17 * 2560 + 256));
  EXPECT_EQ(disk.StatusText(), "track 17 side 0 sector 1: no CRCs recorded; HIT");
}

using MapDiskTest = maptest::MapHarness;

TEST_F(MapDiskTest, StatusNamesTheSectorUnderThePoint) {
  Show("disk.dsk", Jv1());
  MapDisk disk(form);
  // JV1 prints its first line at 10 x 195 = 1950; sector 2 at 1600 + 2 x 350 = 2300, " 2 " three
  // characters of 105 twips wide.
  const auto drawn = form.SectorAt(2300 + 200, 1950 + 100);
  ASSERT_TRUE(drawn);
  EXPECT_EQ(drawn->offset, 512);
  EXPECT_FALSE(drawn->idField);
  EXPECT_EQ(disk.StatusAt(2300 + 200, 1950 + 100).rfind("track 0 side 0 sector 2: ", 0), 0u);
  // Track 1 lies one line step (180) lower.
  EXPECT_EQ(disk.StatusAt(2300, 1950 + 180).rfind("track 1 side 0 sector 2: ", 0), 0u);
  EXPECT_EQ(disk.StatusAt(2300 + 315, 1950), "");  // just past the number
  EXPECT_EQ(disk.StatusAt(100, 100), "");
}

TEST_F(MapDiskTest, DmkSectorsAreFoundByTheirIdAddressMark) {
  testing::DmkBuilder dmk(1, 6400);
  dmk.AddTrack({testing::DmkSector::Dd(0, 0, 1), testing::DmkSector::Dd(0, 0, 2)});
  Show("disk.dmk", dmk.Build());
  MapDisk disk(form);
  // The first line of a DMK page lies at 9 x 195 + 180 = 1935; sector 2 in numeric order at
  // 1900 + 2 x 350 = 2600.
  const auto drawn = form.SectorAt(2650, 2000);
  ASSERT_TRUE(drawn);
  EXPECT_EQ(drawn->offset, std::int64_t(dmk.Place(0, 1).idam));
  EXPECT_TRUE(drawn->idField);
  EXPECT_EQ(disk.StatusAt(2650, 2000).rfind("track 0 side 0 sector 2: ", 0), 0u);
}

}  // namespace
}  // namespace m1
