// Damaged and hostile files: cut short, pointers past the end, absurd numbers, and what the
// analysis keeps of them. Cuts at every length go through all windows in the robustness suite.
#include <gtest/gtest.h>

#include "tests/core/analyse.h"

namespace m1::testing {
namespace {

TEST(Damaged, CutDmkKeepsOnlyWholeTrackImages) {
  DmkBuilder dmk(2, 6400);
  for (int t = 0; t < 2; ++t) dmk.AddTrack(DdSectors(t, 0, 0, 18));
  Bytes file = dmk.Build();
  file.pop_back();  // track 1's image is no longer whole
  const Analysed a = Analyse(file);
  EXPECT_EQ(a.img->Totalsecs, 18);
}

TEST(Dmk, PointersPastTheEnd) {
  // One track image: a pointer far outside the file, one whose mark search would run past the end,
  // and one near the end whose mark is found in time.
  Bytes image(6400, 0x4E);
  std::fill(image.begin(), image.begin() + 128, 0);
  auto pointer = [&](int slot, int value) {
    image[2 * slot] = static_cast<std::uint8_t>(value & 0xFF);
    image[2 * slot + 1] = static_cast<std::uint8_t>(value >> 8);
  };
  pointer(0, 0x8000 | 0x7FFF);  // ID field beyond the file
  pointer(1, 0x8000 | 6380);    // +10..+50 would read past the end
  pointer(2, 0x8000 | 6340);    // mark at +10, inside
  const Bytes id1 = {0xFE, 0x00, 0x00, 0x01, 0x01};
  std::copy(id1.begin(), id1.end(), image.begin() + 6380);
  const Bytes id2 = {0xFE, 0x00, 0x00, 0x02, 0x01};
  std::copy(id2.begin(), id2.end(), image.begin() + 6340);
  image[6350] = 0xFB;
  DmkBuilder dmk(1, 6400);
  dmk.AddRawTrack(image);
  const Analysed a = Analyse(dmk.Build());
  EXPECT_EQ(a.img->spt, 3);
  EXPECT_EQ(a.img->Totalsecs, 1);
  // m is 1 (sector 1 at slot 1 still lowers it): sector 2 has index 1.
  EXPECT_EQ(a.img->secid[1], 2);
  EXPECT_EQ(a.img->secpos[1], 16 + 6351);
}

// A track image of 3264 bytes with n compact double-density ID fields: FE T S, data mark at +10.
Bytes CompactTrack(int track, int first, int n) {
  Bytes image(3264, 0x4E);
  std::fill(image.begin(), image.begin() + 128, 0);
  for (int j = 0; j < n; ++j) {
    const int at = 128 + 16 * j;
    image[2 * j] = static_cast<std::uint8_t>(at & 0xFF);
    image[2 * j + 1] = static_cast<std::uint8_t>(0x80 | (at >> 8));
    image[at] = 0xFE;
    image[at + 1] = static_cast<std::uint8_t>(track);
    image[at + 2] = 0;
    image[at + 3] = static_cast<std::uint8_t>(first + j);
    image[at + 10] = 0xFB;
  }
  return image;
}

// A DMK whose header names 200 tracks, made of `images` compact track images of n sectors each;
// the images past the 81st all say track 80.
Bytes CompactDmk(int images, int n) {
  DmkBuilder dmk(200, 3264);
  for (int i = 0; i < images; ++i) dmk.AddRawTrack(CompactTrack(std::min(i, 80), 0, n));
  return dmk.Build();
}

TEST(Dmk, SectorIndexesPastTheTablesAreSkipped) {
  // 140 images of 31 sectors: indexes run past 4000 after 129 of them. Header names 200 tracks,
  // so the pass only ends with the file; tracks past 80 are recorded as track 80.
  const Analysed a = Analyse(CompactDmk(140, 31));
  EXPECT_EQ(a.img->Totalsecs, 4001);
  EXPECT_EQ(a.img->secid[4000], 1);
  EXPECT_EQ(a.img->sectrk[4000], 80);
  EXPECT_EQ(a.img->trkstart[129], 3999);
}

TEST(Dmk, PassEndsAtTheLastTrackStartSlot) {
  const Analysed a = Analyse(CompactDmk(170, 1));
  EXPECT_EQ(a.img->Totalsecs, 162);
  EXPECT_EQ(a.img->trkstart[161], 161);
}

TEST(Dmk, AbsurdTrackNumbersAreSkipped) {
  DmkBuilder dmk(2, 6400);
  std::vector<DmkSector> sectors = DdSectors(0, 0, 0, 5);
  sectors[2].track = 200;
  dmk.AddTrack(sectors).AddTrack(DdSectors(1, 0, 0, 5));
  const Analysed a = Analyse(dmk.Build());
  // The track-200 sector is neither recorded nor counted, and does not end the pass.
  EXPECT_EQ(a.img->Totalsecs, 9);
  EXPECT_EQ(a.img->secpos[2], 0);
  EXPECT_EQ(a.img->sectrk[5], 1);
}

TEST(Jv3, AbsurdTrackNumbersAreSkippedButKeepTheirData) {
  Jv3Builder jv3;
  for (int s = 0; s < 4; ++s) jv3.Add(0, s, 0x00);
  jv3.Add(200, 0, 0x02);  // 1024 bytes of data that the next sector follows
  jv3.Add(0, 4, 0x00);
  jv3.Add(0, 255, 0x00);
  const Analysed a = Analyse(jv3.Build());
  EXPECT_EQ(a.img->Totalsecs, 6);
  EXPECT_EQ(a.img->tracks, 1);
  EXPECT_EQ(a.img->secpos[4], 8704 + 4 * 256 + 1024);
  EXPECT_EQ(a.img->secid[255], 255);
  EXPECT_EQ(a.img->secpos[255], 8704 + 5 * 256 + 1024);
}

TEST(Jv3, TableCutInsideAnEntryEndsThere) {
  Jv3Builder jv3;
  for (int s = 0; s < 10; ++s) jv3.Add(0, s, 0x00);
  Bytes file = jv3.Build();
  file.resize(3 * 6 + 2);  // entry 6 is missing its flags byte
  const Analysed a = Analyse(file);
  EXPECT_EQ(a.img->Totalsecs, 6);
}

}  // namespace
}  // namespace m1::testing
