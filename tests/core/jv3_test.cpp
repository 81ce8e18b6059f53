// The JV3 table scan: geometry, sector indexes in any table order, sizes, density, directory.
#include <gtest/gtest.h>

#include <tuple>

#include "tests/core/analyse.h"

namespace m1::testing {
namespace {

TEST(Jv3, SingleSidedFortyTracksOfTen) {
  Jv3Builder jv3;
  for (int t = 0; t < 40; ++t)
    for (int s = 0; s < 10; ++s) jv3.Add(t, s, 0x00);
  const Analysed a = Analyse(jv3.Build());
  const DiskImage& img = *a.img;
  ASSERT_FALSE(a.out.refusal);
  // Tracks, sides, sectors in all, sectors a track, sectors a granule.
  EXPECT_EQ(std::tie(img.tracks, img.sides, img.Totalsecs, img.spt, img.spg),
            std::tuple(40, 1, 400, 10, 5));
  EXPECT_EQ(img.trkstart[39], 390);
  EXPECT_EQ(img.trkspt[40], 0);
  EXPECT_EQ(img.secpos[399], 8704 + 399 * 256);
  EXPECT_EQ(img.sectrk[257], 25);
  EXPECT_EQ(img.secid[257], 7);
  EXPECT_EQ(img.sda, " Single/Sided");
  EXPECT_EQ(img.Emtype, "JV3");
  EXPECT_EQ(img.dirstartsecfnd, 0);
  ASSERT_EQ(a.out.trackList.size(), 40u);
  EXPECT_EQ(a.out.trackList[39], " 39");
}

TEST(Jv3, DoubleSidedTracksInterleaved) {
  Jv3Builder jv3;  // track 0 side 0, track 0 side 1, track 1 side 0, track 1 side 1
  for (int t = 0; t < 2; ++t)
    for (int side = 0; side < 2; ++side)
      for (int s = 0; s < 10; ++s) jv3.Add(t, s, side ? 0x10 : 0x00);
  const Analysed a = Analyse(jv3.Build());
  const DiskImage& img = *a.img;
  EXPECT_EQ(img.sides, 2);
  EXPECT_EQ(img.sda, " Double/Sided");
  EXPECT_EQ(img.trkstart[1], 20);
  // Track 1, side 1, sector 3: index 20 + 10 + 3, the 34th entry.
  EXPECT_EQ(img.secside[33], 1);
  EXPECT_EQ(img.sectrk[33], 1);
  EXPECT_EQ(img.secid[33], 3);
  EXPECT_EQ(img.secpos[33], 17152);
}

TEST(Jv3, IndexesDoNotDependOnTableOrder) {
  // All side-0 entries first, then all side-1 entries.
  Jv3Builder sidesApart;
  for (int side = 0; side < 2; ++side)
    for (int t = 0; t < 2; ++t)
      for (int s = 0; s < 10; ++s) sidesApart.Add(t, s, side ? 0x10 : 0x00);
  const Analysed a = Analyse(sidesApart.Build());
  // Track 0 side 1 sector 4: index 14, entry 24.
  EXPECT_EQ(a.img->secside[14], 1);
  EXPECT_EQ(a.img->secid[14], 4);
  EXPECT_EQ(a.img->secpos[14], 14848);
  // Track 1 side 0 sector 0: index 20, entry 10.
  EXPECT_EQ(a.img->sectrk[20], 1);
  EXPECT_EQ(a.img->secpos[20], 11264);

  // Track 1 before track 0, sectors in descending order.
  Jv3Builder reversed;
  for (int t = 1; t >= 0; --t)
    for (int s = 9; s >= 0; --s) reversed.Add(t, s, 0x00);
  const Analysed b = Analyse(reversed.Build());
  // Track 0 sector 0 is entry 19; track 1 sector 5 is entry 4.
  EXPECT_EQ(b.img->secpos[0], 8704 + 19 * 256);
  EXPECT_EQ(b.img->sectrk[15], 1);
  EXPECT_EQ(b.img->secid[15], 5);
  EXPECT_EQ(b.img->secpos[15], 8704 + 4 * 256);
}

TEST(Jv3, SectorsNumberedFromOneStartAtIndexZero) {
  Jv3Builder jv3;
  for (int t = 0; t < 2; ++t)
    for (int s = 1; s <= 10; ++s) jv3.Add(t, s, 0x00);
  const Analysed a = Analyse(jv3.Build());
  EXPECT_EQ(a.img->secid[0], 1);
  EXPECT_EQ(a.img->secid[10], 1);
  EXPECT_EQ(a.img->sectrk[10], 1);
  EXPECT_EQ(a.img->secpos[19], 8704 + 19 * 256);
  EXPECT_EQ(a.img->firstsecnum, 0);  // JV3 never sets it
}

TEST(Jv3, DataPlacedBySizeCode) {
  // Sectors 0-4 of 128, 256, 512, 1024 and 256 bytes: each starts where the one before ends.
  Jv3Builder jv3;
  const std::uint8_t sizeFlags[] = {0x01, 0x00, 0x03, 0x02, 0x00};
  for (int s = 0; s < 5; ++s) jv3.Add(0, s, sizeFlags[s]);
  const Analysed a = Analyse(jv3.Build());
  const int starts[] = {8704, 8832, 9088, 9600, 10624};
  for (int s = 0; s < 5; ++s) EXPECT_EQ(a.img->secpos[s], starts[s]) << "sector " << s;
}

TEST(Jv3, DensityCodes) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> flags;
    int dens;
    const char* dd;
    bool note;
  };
  const Case cases[] = {
      {"single", {0x00, 0x00, 0x00, 0x00}, 1, " Single/Density", false},
      {"double", {0x80, 0x80, 0x80, 0x80}, 2, " Double/Density", false},
      {"dual", {0x00, 0x00, 0x80, 0x80}, 3, " Dual/Density", true},
      {"dual, back to single at the end", {0x80, 0x00, 0x00, 0x00}, 3, " Dual/Density", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Jv3Builder jv3;
    for (std::size_t s = 0; s < c.flags.size(); ++s) jv3.Add(0, static_cast<int>(s), c.flags[s]);
    const Analysed a = Analyse(jv3.Build());
    EXPECT_EQ(a.img->dens, c.dens);
    EXPECT_EQ(a.img->dd, c.dd);
    EXPECT_EQ(a.out.note.has_value(), c.note);
    if (c.note) {
      EXPECT_EQ(*a.out.note, "    This Disk has Dual Density");
    }
    EXPECT_EQ(a.img->secdens[3], c.flags[3]);
  }
}

TEST(Jv3, EighteenSectorsOnTrackZeroGiveGranulesOfSix) {
  Jv3Builder jv3;
  for (int s = 0; s < 18; ++s) jv3.Add(0, s, 0x80);
  for (int s = 0; s < 10; ++s) jv3.Add(1, s, 0x80);
  const Analysed a = Analyse(jv3.Build());
  EXPECT_EQ(a.img->spg, 6);
  EXPECT_EQ(a.img->trkstart[1], 18);
}

TEST(Jv3, DirectoryIsTheLowestFlaggedIndex) {
  DiskImage img;
  Jv3Builder jv3;
  for (int t = 0; t < 20; ++t) {
    for (int s = 9; s >= 0; --s) jv3.Add(t, s, t == 17 ? 0x20 : 0x00);
  }
  AnalyseInto(img, jv3.Build());
  EXPECT_EQ(img.dirstartsecfnd, 1);
  EXPECT_EQ(img.dirstartsec, 170);
  EXPECT_EQ(img.secdam[179], 32);
  EXPECT_EQ(img.secdam[180], 0);

  // Without a flagged entry: no directory, and the earlier start stays.
  Jv3Builder plain;
  for (int s = 0; s < 10; ++s) plain.Add(0, s, 0x00);
  AnalyseInto(img, plain.Build());
  EXPECT_EQ(img.dirstartsecfnd, 0);
  EXPECT_EQ(img.dirstartsec, 170);
}

TEST(Jv3, FullTableIsReadToTheLastEntry) {
  Jv3Builder jv3;
  for (int n = 0; n < 2901; ++n) jv3.Add(n / 40, n % 40, 0x00);
  const Analysed a = Analyse(jv3.Build());
  EXPECT_EQ(a.img->Totalsecs, 2901);
  EXPECT_EQ(a.img->tracks, 73);
  EXPECT_EQ(a.img->trkspt[72], 21);
  EXPECT_EQ(a.img->trkstart[72], 2880);
  EXPECT_EQ(a.img->secpos[2900], 8704 + 2900 * 256);
}

TEST(Jv3, FreeEntryEndsTheTable) {
  Jv3Builder jv3;
  for (int s = 0; s < 5; ++s) jv3.Add(0, s, 0x00);
  jv3.AddFree();
  for (int s = 5; s < 10; ++s) jv3.Add(0, s, 0x00);
  const Analysed a = Analyse(jv3.Build());
  EXPECT_EQ(a.img->Totalsecs, 5);
  EXPECT_EQ(a.img->secpos[5], 0);
}

}  // namespace
}  // namespace m1::testing
