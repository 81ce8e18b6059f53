// Sector addressing: from an index to the sector's place, marks, kind, step and lump.
#include "core/design/sector.h"

#include <gtest/gtest.h>

#include "tests/core/analyse.h"

namespace m1::testing {
namespace {

TEST(Sector, Jv1IsComputedFromTheIndex) {
  const Analysed a = Analyse(Jv1Builder(35).Build());
  DiskImage& img = *a.img;
  struct Case {
    double index;
    int track, sector;
    double fpa;
    int mark;
    bool directory;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 0, false},        {175, 17, 5, 44800, 32, true}, {180, 18, 0, 46080, 0, false},
      {169, 16, 9, 43264, 0, false}, {170, 17, 0, 43520, 32, true}, {349, 34, 9, 89344, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    img.PresSecnum = c.index;
    ResolveSector(img);
    EXPECT_EQ(img.TrkToFind, c.track);
    EXPECT_EQ(img.SecToFind, c.sector);
    EXPECT_EQ(img.disktrk, c.track);
    EXPECT_EQ(img.fpa, c.fpa);
    EXPECT_EQ(img.datamarkjv, c.mark);
    EXPECT_EQ(IsDirectoryByMarks(img), c.directory);
  }
}

TEST(Sector, Jv1AfterDmkReadsStepOneAndSingleDensity) {
  DiskImage img;
  DmkBuilder dmk(1, 6400);
  dmk.AddTrack({DmkSector::Sd(0, 0, 0), DmkSector::Sd(0, 0, 1)});
  AnalyseInto(img, dmk.Build());
  AnalyseInto(img, Jv1Builder(35).Build());
  img.PresSecnum = 1;
  ResolveSector(img);
  EXPECT_EQ(img.trkdens, 0);
  EXPECT_EQ(img.fpa, 256);
  EXPECT_EQ(img.Emtype, "JV1");
  EXPECT_EQ(DataByteStep(img), 1);
}

TEST(Sector, Jv3LooksUpTheTables) {
  Jv3Builder jv3;
  for (int s = 0; s < 10; ++s) jv3.Add(0, s, 0x00);
  for (int s = 0; s < 10; ++s) jv3.Add(0, s, 0x10 | 0x80 | (s == 4 ? 0x20 : 0x00));
  const Analysed a = Analyse(jv3.Build());
  DiskImage& img = *a.img;
  img.PresSecnum = 14;
  ResolveSector(img);
  EXPECT_EQ(img.TrkToFind, 0);
  EXPECT_EQ(img.SideToFind, 1);
  EXPECT_EQ(img.SecToFind, 4);
  EXPECT_EQ(img.fpa, 8704 + 14 * 256);
  EXPECT_EQ(img.trkdens, 128);
  EXPECT_EQ(img.datamarkjv, 32);
  EXPECT_TRUE(IsDirectoryByMarks(img));

  img.PresSecnum = 3;
  EXPECT_FALSE(LocateSector(img));
  EXPECT_EQ(img.fpa, 8704 + 3 * 256);
  EXPECT_EQ(img.datamarkjv, 0);
  EXPECT_EQ(img.trkdens, 0);
}

TEST(Sector, DmkMarksAndLocate) {
  DmkBuilder dmk(1, 6400);
  dmk.AddTrack(
      {DmkSector::Dd(0, 0, 0, 0xFB), DmkSector::Dd(0, 0, 1, 0xF8), DmkSector::Dd(0, 0, 2, 0xFA)});
  const Analysed a = Analyse(dmk.Build());
  DiskImage& img = *a.img;
  const bool expected[] = {false, true, true};
  for (int i = 0; i < 3; ++i) {
    img.PresSecnum = i;
    ResolveSector(img);
    EXPECT_EQ(IsDirectoryByMarks(img), expected[i]) << i;
    EXPECT_EQ(img.datamarkjv, 0);
  }
  img.errflg = 5;
  img.PresSecnum = 2;
  EXPECT_TRUE(LocateSector(img));
  EXPECT_EQ(img.errflg, 0);
  EXPECT_EQ(img.datamarkDmk, 0xFA);
  EXPECT_EQ(img.fpa, 16 + 204 + 2 * 342);
  EXPECT_EQ(img.Emtype, "DMK");
}

TEST(Sector, FirstSectorOneFixesTheDirectory) {
  DiskImage img;
  img.dmkflag = 1;
  img.firstsecnum = 1;
  img.spt = 18;
  struct Case {
    double index;
    bool directory;
  };
  for (const Case c :
       {Case{305, false}, Case{306, true}, Case{315, true}, Case{323, true}, Case{324, false}}) {
    img.PresSecnum = c.index;
    EXPECT_EQ(IsDirectoryFromSectorOne(img), c.directory) << c.index;
    EXPECT_EQ(img.dirstartsec, 306);
  }
  // The marks do not count there.
  img.datamarkDmk = 0xF8;
  img.PresSecnum = 5;
  EXPECT_TRUE(IsDirectoryByMarks(img));
  EXPECT_FALSE(IsDirectorySector(img));
  // Elsewhere rule 4 does nothing.
  img.firstsecnum = 0;
  img.dirstartsec = 12;
  EXPECT_FALSE(IsDirectoryFromSectorOne(img));
  EXPECT_EQ(img.dirstartsec, 12);
  EXPECT_TRUE(IsDirectorySector(img));
}

TEST(Sector, DataByteStepAndLump) {
  struct StepCase {
    int jv3, dmk, trkdens, sdsinglebyte, step;
  };
  for (const StepCase c : {StepCase{0, 1, 0, 0, 2}, StepCase{0, 1, 128, 0, 1},
                           StepCase{0, 1, 0, 1, 1}, StepCase{1, 0, 0, 0, 1}}) {
    DiskImage img;
    img.jv1 = 0;
    img.jv3flag = c.jv3;
    img.dmkflag = c.dmk;
    img.trkdens = c.trkdens;
    img.sdsinglebyte = c.sdsinglebyte;
    EXPECT_EQ(DataByteStep(img), c.step) << c.jv3 << c.dmk << c.trkdens << c.sdsinglebyte;
  }
  struct LumpCase {
    int newdos, jv1, spl;
    double index;
    std::optional<long> lump;
  };
  for (const LumpCase c :
       {LumpCase{1, 0, 10, 25, 2L}, LumpCase{1, 0, 10, 9, 0L}, LumpCase{1, 0, 0, 25, {}},
        LumpCase{1, 1, 10, 25, {}}, LumpCase{0, 0, 10, 25, {}}}) {
    DiskImage img;
    img.newdosflag = c.newdos;
    img.jv1 = c.jv1;
    img.spl = c.spl;
    img.PresSecnum = c.index;
    EXPECT_EQ(Lump(img), c.lump) << c.newdos << c.jv1 << c.spl << c.index;
  }
}

TEST(Sector, IndexesOutsideTheTablesReadZero) {
  Jv3Builder jv3;
  for (int s = 0; s < 10; ++s) jv3.Add(3, s, 0x80);
  const Analysed a = Analyse(jv3.Build());
  DiskImage& img = *a.img;
  for (double i : {-1.0, 4001.0, 100000.0, -70000.0}) {
    SCOPED_TRACE(i);
    img.PresSecnum = i;
    ResolveSector(img);
    EXPECT_EQ(img.TrkToFind, 0);
    EXPECT_EQ(img.SecToFind, 0);
    EXPECT_EQ(img.fpa, 0);
    EXPECT_EQ(img.trkdens, 0);
  }
  EXPECT_EQ(img.trkspt.At(81), 0);
  EXPECT_EQ(img.trkspt.At(-1), 0);
  EXPECT_EQ(img.trkstart.At(162), 0);
  EXPECT_EQ(img.trkspt.At(3), 10);
}

TEST(Sector, Jv1HugeOrOddIndexesStayWhole) {
  const Analysed a = Analyse(Jv1Builder(35).Build());
  DiskImage& img = *a.img;
  img.PresSecnum = 1.0e300;
  ResolvePosition(img);
  EXPECT_EQ(img.TrkToFind, 10000000);
  EXPECT_EQ(img.SecToFind, 0);
  img.PresSecnum = -1;
  ResolvePosition(img);
  EXPECT_EQ(img.TrkToFind, -1);
  EXPECT_EQ(img.SecToFind, 9);
}

}  // namespace
}  // namespace m1::testing
