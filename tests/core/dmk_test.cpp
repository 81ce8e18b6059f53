// The DMK track pass: geometry, first sector numbers, both sides, densities, header byte 4.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "core/design/sector.h"
#include "tests/core/analyse.h"

namespace m1::testing {
namespace {

Bytes FortyTracksOfEighteen(bool doubleSided) {
  DmkBuilder dmk(40, 6400);
  for (int t = 0; t < 40; ++t) {
    dmk.AddTrack(DdSectors(t, 0, 1, 18));
    if (doubleSided) dmk.AddTrack(DdSectors(t, 1, 1, 18));
  }
  return dmk.Build();
}

TEST(Dmk, SingleSidedFortyTracksNumberedFromOne) {
  const Analysed a = Analyse(FortyTracksOfEighteen(false));
  const DiskImage& img = *a.img;
  ASSERT_FALSE(a.out.refusal);
  // Double density, granules of 6, sectors numbered from 1, 18 a track, one side, 720 in all.
  EXPECT_EQ(std::tie(img.dens, img.spg, img.firstsecnum, img.spt, img.sides, img.Totalsecs),
            std::tuple(2, 6, 1, 18, 1, 720));
  EXPECT_EQ(img.trkstart[39], 702);
  // Track 5 sector 7 has index 18 x 5 + 7 - 1.
  EXPECT_EQ(img.sectrk[96], 5);
  EXPECT_EQ(img.secid[96], 7);
  EXPECT_EQ(img.secdens[96], 128);
  // Track 0 sector 1: pointer table, 16 gap bytes, 12 zeros, A1 A1 A1: FE at 159, mark at 203.
  EXPECT_EQ(img.secpos[0], 16 + 204);
  EXPECT_EQ(img.secpos[1], 16 + 204 + 342);
  EXPECT_EQ(img.secpos[18], 16 + 6400 + 204);
  EXPECT_EQ(img.dd, " Double/Density");
  EXPECT_EQ(img.Emtype, "DMK");
  EXPECT_EQ(a.out.trackList.size(), 40u);
}

TEST(Dmk, DoubleSidedReadsTheSideOneImageOfTheLastTrack) {
  const Analysed a = Analyse(FortyTracksOfEighteen(true));
  const DiskImage& img = *a.img;
  EXPECT_EQ(img.sides, 2);
  EXPECT_EQ(img.sda, " Double/Sided");
  EXPECT_EQ(img.Totalsecs, 1440);
  EXPECT_EQ(img.trkstart[39], 1404);
  // Track 3 side 1: indexes 126 to 143.
  EXPECT_EQ(img.secside[125], 0);
  EXPECT_EQ(img.secside[126], 1);
  EXPECT_EQ(img.sectrk[126], 3);
  EXPECT_EQ(img.secid[143], 18);
  // The last sector: track 39 side 1 sector 18 in image 79.
  EXPECT_EQ(img.secside[1439], 1);
  EXPECT_EQ(img.secpos[1439], 16 + 79 * 6400 + 204 + 17 * 342);
}

TEST(Dmk, FirstSectorNumberSidesAndPointerCount) {
  struct Case {
    const char* what;
    int trackLength, side, first, count;
    int spt, total, firstsecnum, sides;
    int probe, probeId;  // secid at index probe
  };
  const Case cases[] = {
      {"from zero", 6400, 0, 0, 18, 18, 18, 0, 1, 17, 17},
      // Lowest number 30, counted from 20: sector 30 at index 10.
      {"above twenty", 6400, 0, 30, 10, 10, 10, 30, 1, 10, 30},
      {"at most 31 pointers", 16000, 0, 0, 40, 31, 31, 0, 1, 30, 30},
      {"side byte 2 is not side 1", 6400, 2, 0, 10, 10, 10, 0, 1, 3, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DmkBuilder dmk(1, c.trackLength);
    dmk.AddTrack(DdSectors(0, c.side, c.first, c.count));
    const Analysed a = Analyse(dmk.Build());
    EXPECT_EQ(a.img->spt, c.spt);
    EXPECT_EQ(a.img->Totalsecs, c.total);
    EXPECT_EQ(a.img->firstsecnum, c.firstsecnum);
    EXPECT_EQ(a.img->sides, c.sides);
    EXPECT_EQ(a.img->secid[c.probe], c.probeId);
    EXPECT_EQ(a.img->secside[c.probe], 0);
  }
}

TEST(Dmk, DoubledSingleDensityTrackThenDoubleDensity) {
  DmkBuilder dmk(2, 6400);
  dmk.AddTrack(SdSectors(0, 0, 0, 10));
  dmk.AddTrack(DdSectors(1, 0, 0, 18));
  const Analysed a = Analyse(dmk.Build());
  DiskImage& img = *a.img;
  EXPECT_EQ(img.Totalsecs, 28);
  EXPECT_EQ(img.trkstart[1], 10);
  // First FE at 128 + 2 x 16 + 2 x 6 = 172, mark at +48, data at +50.
  EXPECT_EQ(img.secpos[0], 16 + 222);
  EXPECT_EQ(img.secdens[0], 0);
  EXPECT_EQ(img.secdens[10], 128);
  EXPECT_EQ(img.dens, 2);  // DMK is never dual density
  EXPECT_FALSE(a.out.note);

  img.PresSecnum = 0;
  ResolveSector(img);
  EXPECT_EQ(img.trkdens, 0);
  EXPECT_EQ(DataByteStep(img), 2);
  img.PresSecnum = 10;
  ResolveSector(img);
  EXPECT_EQ(DataByteStep(img), 1);
}

TEST(Dmk, HeaderByteFourStoresSingleDensityOnce) {
  for (std::uint8_t option : {std::uint8_t{0x40}, std::uint8_t{0x80}}) {
    SCOPED_TRACE(static_cast<int>(option));
    DmkBuilder dmk(1, 3264, option);
    std::vector<DmkSector> track = SdSectors(0, 0, 0, 10);
    track[2].data = NewdosSystemSector(PdriveEntry{});
    dmk.AddTrack(track, /*doubled=*/false);
    const Analysed a = Analyse(dmk.Build());
    DiskImage& img = *a.img;
    EXPECT_EQ(img.dens, 1);
    EXPECT_EQ(img.sdsinglebyte, 1);
    // FE at 128 + 16 + 6 = 150, mark at +24, data right after it.
    EXPECT_EQ(img.secpos[0], 16 + 175);
    EXPECT_EQ(img.secpos[1], 16 + 175 + 301);
    EXPECT_EQ(img.newdosflag, 1);
    img.PresSecnum = 4;
    ResolveSector(img);
    EXPECT_EQ(img.trkdens, 0);
    EXPECT_EQ(DataByteStep(img), 1);
  }
}

TEST(Dmk, DirectoryMarksAndLowestIndex) {
  DmkBuilder dmk(3, 6400);
  dmk.AddTrack(DdSectors(0, 0, 0, 10));
  dmk.AddTrack(DdSectors(1, 0, 0, 10, 0xFA));
  std::vector<DmkSector> t2 = DdSectors(2, 0, 0, 10);
  t2[0].dam = 0xF8;
  dmk.AddTrack(t2);
  const Analysed a = Analyse(dmk.Build());
  EXPECT_EQ(a.img->dirstartsecfnd, 1);
  EXPECT_EQ(a.img->dirstartsec, 10);
  EXPECT_EQ(a.img->secdam[10], 0xFA);
  EXPECT_EQ(a.img->secdam[20], 0xF8);

  DmkBuilder onlyData(1, 6400);
  onlyData.AddTrack(DdSectors(0, 0, 0, 10));
  EXPECT_EQ(Analyse(onlyData.Build()).img->dirstartsecfnd, 0);
}

TEST(Dmk, PassEndsWithTheFileWhenLastTracksAreMissing) {
  DmkBuilder dmk(40, 6400);
  for (int t = 0; t < 5; ++t) dmk.AddTrack(DdSectors(t, 0, 0, 10));
  const Analysed a = Analyse(dmk.Build());
  EXPECT_EQ(a.img->Totalsecs, 50);
  EXPECT_EQ(a.img->tracks, 40);
  EXPECT_EQ(a.out.trackList.size(), 40u);
}

TEST(Dmk, UnformattedTracksAreEmpty) {
  DmkBuilder dmk(3, 6400);
  dmk.AddTrack(DdSectors(0, 0, 0, 10));
  dmk.AddRawTrack({});
  dmk.AddTrack(DdSectors(2, 0, 0, 10));
  const Analysed a = Analyse(dmk.Build());
  EXPECT_EQ(a.img->Totalsecs, 20);
  EXPECT_EQ(a.img->trkstart[1], 10);
  EXPECT_EQ(a.img->trkstart[2], 10);
  EXPECT_EQ(a.img->sectrk[10], 2);
}

// One double-density ID field for track 0 sector 0 at offset `at` of a single 6400-byte track
// image, gap bytes 0x4E around it, and the given bytes from +10 on.
Bytes OneIdField(int at, const Bytes& fromTen) {
  Bytes image(6400, 0x4E);
  std::fill(image.begin(), image.begin() + 128, 0x00);
  image[0] = static_cast<std::uint8_t>(at & 0xFF);
  image[1] = static_cast<std::uint8_t>(0x80 | (at >> 8));
  const std::uint8_t id[] = {0xFE, 0x00, 0x00, 0x00, 0x01, 0x12, 0x34};
  for (int k = 0; k < 7; ++k) image[at + k] = id[k];
  for (std::size_t k = 0; k < fromTen.size() && at + 10 + k < image.size(); ++k) {
    image[at + 10 + k] = fromTen[k];
  }
  DmkBuilder dmk(1, 6400);
  dmk.AddRawTrack(image);
  return dmk.Build();
}

TEST(Dmk, TheDataMarkIsTheFirstF8FaOrFbFromTenToFiftyBytesAfterTheIdMark) {
  const Bytes f9s(11, 0xF9);  // F9 looks like a mark to a quick test but is none
  Bytes f9ThenFa = f9s;
  f9ThenFa.push_back(0xFA);
  Bytes fbAtFifty(41, 0x4E);
  fbAtFifty[40] = 0xFB;
  struct Case {
    const char* what;
    int at;
    Bytes fromTen;
    int total, mark, secpos;  // secpos: 16 + the ID field + offset of the mark + 1
  } cases[] = {
      {"F8 at +10", 200, {0xF8}, 1, 0xF8, 16 + 200 + 10 + 1},
      {"FA after eleven F9", 200, f9ThenFa, 1, 0xFA, 16 + 200 + 21 + 1},
      {"FB at +50", 200, fbAtFifty, 1, 0xFB, 16 + 200 + 50 + 1},
      // No mark: the byte at +50 stands as the mark, and the data counts from +51.
      {"none", 200, f9s, 1, 0x4E, 16 + 200 + 51 + 1},
      // 20 bytes before the end of the file: +10..+19 are in it, +20..+50 are not.
      {"search runs off the file", 6380, {}, 0, 0, 0},
      {"mark found before the end", 6380, {0x4E, 0x4E, 0xFB}, 1, 0xFB, 16 + 6380 + 12 + 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Analysed a = Analyse(OneIdField(c.at, c.fromTen));
    ASSERT_EQ(a.img->Totalsecs, c.total);
    EXPECT_EQ(a.img->secdam[0], c.mark);
    EXPECT_EQ(a.img->secpos[0], c.secpos);
  }
}

}  // namespace
}  // namespace m1::testing
