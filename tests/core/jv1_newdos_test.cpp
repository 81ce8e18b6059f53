// JV1 geometry and the Newdos/80 drive table on every container.
#include <gtest/gtest.h>

#include "core/container/byte_reader.h"
#include "core/design/newdos.h"
#include "core/text/number_text.h"
#include "tests/core/analyse.h"

namespace m1::testing {
namespace {

const std::string kExamplePdrive =
    "Pdrives: TI = A   TD = E  TC = 40   SPT = 18  TSR = 3  GPL = 2  DDSL = 17  DDGA = 2";

TEST(Jv1, GeometryFollowsTheFileLength) {
  struct Case {
    std::size_t bytes;
    int tracks;
    int dirFound;
  };
  const Case cases[] = {
      {2560 * 35, 35, 1}, {2560 * 40 + 1, 41, 1}, {2560 * 100, 96, 1}, {2561, 2, 0},
      {16, 1, 0},         {2560 * 17, 17, 0},     {2560 * 18, 18, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    Bytes file(c.bytes, 0xE5);
    file[0] = 0x00;
    file[1] = 0xFE;
    file[2] = 0x11;
    const Analysed a = Analyse(file);
    ASSERT_FALSE(a.out.refusal);
    EXPECT_EQ(a.img->tracks, c.tracks);
    EXPECT_EQ(a.img->Totalsecs, 10 * c.tracks);
    ASSERT_EQ(a.out.trackList.size(), static_cast<std::size_t>(c.tracks));
    EXPECT_EQ(a.out.trackList.front(), " 0");
    EXPECT_EQ(a.img->dirstartsecfnd, c.dirFound);
    EXPECT_EQ(a.img->spt, 10);
    EXPECT_EQ(a.img->dd, " Single/Density");
    EXPECT_EQ(a.img->Emtype, "JV1");
    if (c.dirFound) {
      EXPECT_EQ(a.img->dirstartsec, 170);
    }
  }
}

TEST(Jv1, NewdosDriveTableAtOffset512) {
  Jv1Builder jv1(40, 0x00);
  jv1.Put(0, 2, 0, NewdosSystemSector(PdriveEntry{}));
  const Analysed a = Analyse(jv1.Build());
  EXPECT_EQ(a.img->pdrive, kExamplePdrive);
  EXPECT_EQ(a.img->spl, 10);
  EXPECT_EQ(a.img->spgaa, "   Spg = 5");
}

TEST(Jv1, NoMarkerLeavesSpgaaAndPdrive) {
  DiskImage img;
  img.spgaa = "earlier";
  img.pdrive = "earlier drive";
  img.spl = 7;
  AnalyseInto(img, Jv1Builder(35).Build());
  EXPECT_EQ(img.newdosflag, 0);
  EXPECT_EQ(img.spgaa, "earlier");
  EXPECT_EQ(img.pdrive, "earlier drive");
  EXPECT_EQ(img.spl, 7);
}

TEST(Jv1, MarkerPastTheEndIsNoTable) {
  // 751 bytes: byte 751 is missing. 752 bytes with the marker: a table.
  Bytes file(751, 0x00);
  file[1] = 0xFE;
  file[2] = 0x11;
  EXPECT_EQ(Analyse(file).img->newdosflag, 0);
  file.push_back(0xA5);
  EXPECT_EQ(Analyse(file).img->newdosflag, 1);
}

TEST(NumberText, SpaceBeforeAPositiveNumberAndMinusBeforeANegativeOne) {
  EXPECT_EQ(SignedText(0), " 0");
  EXPECT_EQ(SignedText(40), " 40");
  EXPECT_EQ(SignedText(-3), "-3");
  // Past the short buffer the texts are written in: the general way gives the same form.
  EXPECT_EQ(SignedText(12345678901234567LL), " 12345678901234567");
  EXPECT_EQ(SignedText(-9223372036854775807LL - 1), "-9223372036854775808");
}

TEST(Pdrive, LettersOfTiAndTd) {
  struct Case {
    std::uint8_t ti, ti2, spt;
    const char* text;
  };
  const Case cases[] = {
      {0x14, 0x00, 10,
       "Pdrives: TI = E   TD = A  TC = 40   SPT = 10  TSR = 0  GPL = 2  DDSL = 17  DDGA = 2"},
      {0x34, 0x00, 20,
       "Pdrives: TI = AM  TD = C  TC = 40   SPT = 20  TSR = 0  GPL = 2  DDSL = 17  DDGA = 2"},
      {0x00, 0x00, 36,
       "Pdrives: TI = ?   TD = G  TC = 40   SPT = 36  TSR = 0  GPL = 2  DDSL = 17  DDGA = 2"},
      {0x00, 0x04, 18,
       "Pdrives: TI = ?L  TD = E  TC = 40   SPT = 18  TSR = 0  GPL = 2  DDSL = 17  DDGA = 2"},
      {0x0D, 0x00, 18,
       "Pdrives: TI = B   TD = E  TC = 40   SPT = 18  TSR = 1  GPL = 2  DDSL = 17  DDGA = 2"},
      {0x0A, 0x04, 18,
       "Pdrives: TI = DL  TD = E  TC = 40   SPT = 18  TSR = 2  GPL = 2  DDSL = 17  DDGA = 2"},
      {0x13, 0x00, 18,
       "Pdrives: TI = C   TD = E  TC = 40   SPT = 18  TSR = 3  GPL = 2  DDSL = 17  DDGA = 2"},
      {0x40, 0x04, 18,
       "Pdrives: TI = ?K  TD = E  TC = 40   SPT = 18  TSR = 0  GPL = 2  DDSL = 17  DDGA = 2"},
      {0x60, 0x04, 18,
       "Pdrives: TI = ?M  TD = E  TC = 40   SPT = 18  TSR = 0  GPL = 2  DDSL = 17  DDGA = 2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(PdriveText(PdriveBytes{17, c.ti, 40, c.spt, 2, c.ti2, 2}), c.text);
  }
}

TEST(Pdrive, DecodeLeavesFpaAtByteFourAndRefusesShortEntries) {
  DiskImage img;
  const Bytes sector = NewdosSystemSector(PdriveEntry{});
  img.fpa = 0;
  ASSERT_TRUE(DecodePdrive(img, ByteReader(sector)));
  EXPECT_EQ(img.pdrive, kExamplePdrive);
  EXPECT_EQ(img.fpa, 4);
  img.pdrive = "kept";
  img.fpa = 0;
  const Bytes shortEntry(sector.begin(), sector.begin() + 9);
  EXPECT_FALSE(DecodePdrive(img, ByteReader(shortEntry)));
  EXPECT_EQ(img.pdrive, "kept");
}

TEST(Newdos, DoubleDensityDmkCountsGranulesOfFive) {
  auto build = [](bool marker) {
    DmkBuilder dmk(1, 6400);
    std::vector<DmkSector> track = DdSectors(0, 0, 0, 18);
    track[2].data = NewdosSystemSector(PdriveEntry{}, marker);
    dmk.AddTrack(track);
    return dmk.Build();
  };
  const Analysed with = Analyse(build(true));
  EXPECT_EQ(with.img->spg, 5);
  EXPECT_EQ(with.img->pdrive, kExamplePdrive);
  EXPECT_TRUE(with.out.text6Emptied);
  const Analysed without = Analyse(build(false));
  EXPECT_EQ(without.img->newdosflag, 0);
  EXPECT_EQ(without.img->spgaa, "   Spg = 6");
}

TEST(Newdos, DoubledSingleDensitySystemSectorIsFound) {
  // The usual Model 1 DMK: track 0 in single density with every byte twice, then double density.
  DmkBuilder dmk(2, 6400);
  std::vector<DmkSector> track0 = SdSectors(0, 0, 0, 10);
  track0[2].data = NewdosSystemSector(PdriveEntry{17, 0x07, 40, 18, 3, 0x00, 2});
  dmk.AddTrack(track0).AddTrack(DdSectors(1, 0, 0, 18));
  const Analysed a = Analyse(dmk.Build());
  EXPECT_EQ(a.img->newdosflag, 1);
  EXPECT_EQ(a.img->spl, 15);
  EXPECT_EQ(a.img->pdrive,
            "Pdrives: TI = A   TD = E  TC = 40   SPT = 18  TSR = 3  GPL = 3  DDSL = 17  DDGA = 2");
}

TEST(Newdos, Jv3SystemSectorByIndexNotByPlace) {
  // Side-0 sectors of track 0 stored in the order 2, 0, 1, 3..9: index 2 is the first entry.
  Jv3Builder jv3;
  const std::size_t system = jv3.Add(0, 2, 0x00, 0x00);
  jv3.Add(0, 0, 0x00);
  jv3.Add(0, 1, 0x00);
  for (int s = 3; s < 10; ++s) jv3.Add(0, s, 0x00);
  jv3.Put(system, 0, NewdosSystemSector(PdriveEntry{}));
  const Analysed a = Analyse(jv3.Build());
  EXPECT_EQ(a.img->pdrive, kExamplePdrive);
  EXPECT_FALSE(a.out.text6Emptied);
}

TEST(Newdos, Jv3WithoutMarkerWritesSpgaa) {
  const Analysed a = Analyse(Jv3Builder().AddTrack(0, 18, 0x80).Build());
  EXPECT_EQ(a.img->newdosflag, 0);
  EXPECT_EQ(a.img->spgaa, "   Spg = 6");
}

TEST(Newdos, SystemSectorCutByTheFileEndIsNoTable) {
  // The file ends right before byte 239 of the system sector: its marker cannot be read.
  Jv3Builder jv3;
  for (int s = 0; s < 4; ++s) jv3.Add(0, s, 0x00);
  jv3.Put(2, 0, NewdosSystemSector(PdriveEntry{}));
  Bytes file = jv3.Build();
  file.resize(8704 + 2 * 256 + 239);  // byte 239 of sector 2 is the first byte missing
  EXPECT_EQ(Analyse(file).img->newdosflag, 0);
  file.push_back(0xA5);
  EXPECT_EQ(Analyse(file).img->newdosflag, 1);
}

}  // namespace
}  // namespace m1::testing
