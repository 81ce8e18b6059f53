// Which container a file is taken for, in the order the tests run, and the refusals.
#include <gtest/gtest.h>

#include "tests/core/analyse.h"

namespace m1::testing {
namespace {

const std::string kNoHeader =
    "** ERROR **\r This file does not have an EMULATOR Disk format HEADER\r"
    "    It may be a Disk file for use with a dedicated program";
const std::string kRealDisk =
    "** ERROR **  This file is a DMK type REAL disk format,\r                     used to access "
    "REAL Disks";

Bytes Filled(std::size_t n, std::uint8_t fill, std::initializer_list<std::uint8_t> head) {
  Bytes b(n, fill);
  std::copy(head.begin(), head.end(), b.begin());
  return b;
}

TEST(Recognition, Jv1SignatureWinsOverJv3Table) {
  // 00 FE 11 and the track bytes at 0, 3, 6, 9 all 0: JV1 goes first.
  Bytes file =
      Filled(2560 * 35, 0x00, {0x00, 0xFE, 0x11, 0x00, 0x01, 0x00, 0x00, 0x02, 0x00, 0x00});
  const Analysed a = Analyse(file);
  EXPECT_EQ(a.img->jv1, 1);
  EXPECT_EQ(a.img->Emtype, "JV1");
}

TEST(Recognition, DmkTrackLengthWinsOverJv3Table) {
  // A JV3 table on track 0x19 whose first flags byte is 0: bytes 2-3 read 00 19 = 6400.
  const Analysed a = Analyse(Jv3Builder().AddTrack(0x19, 4, 0x00).Build());
  EXPECT_EQ(a.img->trklength, 6400);
  EXPECT_EQ(a.img->Emtype, "DMK");
}

struct DmkHeaderCase {
  const char* name;
  std::uint8_t protect;
  std::uint8_t tracks;
  int trackLength;
  std::size_t fileBytes;
  bool dmk;
  int dens;
  int spg;
};

TEST(Recognition, DmkByTrackLengthOrPlausibleHeader) {
  const DmkHeaderCase cases[] = {
      {"6400 double", 0x00, 40, 6400, 16 + 6400, true, 2, 6},
      {"3264 single", 0x00, 40, 3264, 16 + 3264, true, 1, 5},
      {"6400 without a whole track", 0x00, 40, 6400, 100, true, 2, 6},
      {"6380 plausible", 0xFF, 80, 6380, 16 + 6380, true, 2, 6},
      {"5999 plausible single", 0x00, 1, 5999, 16 + 5999, true, 1, 5},
      {"6000 plausible double", 0x00, 1, 6000, 16 + 6000, true, 2, 6},
      {"16384 longest", 0x00, 1, 16384, 16 + 16384, true, 2, 6},
      {"16385 too long", 0x00, 1, 16385, 16 + 16385, false, 0, 0},
      {"3263 too short a track", 0x00, 1, 3263, 16 + 3263, false, 0, 0},
      {"no whole track image", 0x00, 40, 6250, 16 + 6249, false, 0, 0},
      {"protect byte 0x12", 0x12, 40, 6250, 16 + 6250, false, 0, 0},
      {"no tracks", 0x00, 0, 6250, 16 + 6250, false, 0, 0},
      {"97 tracks", 0x00, 97, 6250, 16 + 6250, false, 0, 0},
  };
  for (const DmkHeaderCase& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes file(c.fileBytes, 0x00);
    file[0] = c.protect;
    file[1] = c.tracks;
    file[2] = static_cast<std::uint8_t>(c.trackLength & 0xFF);
    file[3] = static_cast<std::uint8_t>(c.trackLength >> 8);
    // Bytes 3, 6, 9 differ from byte 0, so a file that is not DMK fails the JV3 test.
    file[6] = 0x55;
    file[9] = 0x66;
    const Analysed a = Analyse(file);
    EXPECT_EQ(a.img->dmkflag, c.dmk ? 1 : 0);
    if (c.dmk) {
      EXPECT_FALSE(a.out.refusal);
      EXPECT_EQ(a.img->dens, c.dens);
      EXPECT_EQ(a.img->tracks, c.tracks);
      EXPECT_EQ(a.img->trklength, c.trackLength);
    } else {
      ASSERT_TRUE(a.out.refusal);
      EXPECT_EQ(a.out.refusal->Text(), kNoHeader);
      EXPECT_EQ(a.img->jv3flag, 1);
    }
    EXPECT_EQ(a.img->spg, c.dmk ? c.spg : 5);
  }
}

TEST(Recognition, RealDriveDmkIsRefused) {
  // 40 tracks of 0x1900 = 6400 bytes, and the real-drive signature 12345678h at byte 12.
  const Bytes file = Filled(16 + 6400, 0x00,
                            {0x00, 40, 0x00, 0x19, 0, 0, 0, 0, 0, 0, 0, 0, 0x78, 0x56, 0x34, 0x12});
  const Analysed a = Analyse(file);
  ASSERT_TRUE(a.out.refusal);
  EXPECT_EQ(a.out.refusal->Text(), kRealDisk);
  EXPECT_EQ(a.out.refusal->lines.size(), 2u);
  EXPECT_EQ(a.img->dmkflag, 1);
  EXPECT_TRUE(a.out.trackList.empty());
}

TEST(Recognition, RealDriveBytesAreNotLookedAtWithoutDmkHeader) {
  // Track length 6250 with write-protect byte 5: not DMK; bytes 0, 3, 6, 9 all 5: JV3.
  Bytes file(8704, 0xFF);
  const Bytes head = {0x05, 0x00, 0x6A, 0x05, 0x01, 0x00, 0x05, 0x02,
                      0x00, 0x05, 0x03, 0x00, 0x78, 0x56, 0x34, 0x12};
  std::copy(head.begin(), head.end(), file.begin());
  // Entry 4 (bytes 12..14) reads track 0x78; the table ends at the free entry 5.
  const Analysed a = Analyse(file);
  EXPECT_FALSE(a.out.refusal);
  EXPECT_EQ(a.img->jv3flag, 1);
  EXPECT_EQ(a.img->trklength, 1386);  // 0x6A + 5 x 256
}

TEST(Recognition, DifferentFirstTracksHaveNoEmulatorHeader) {
  const Bytes file =
      Filled(300, 0x00, {0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x02, 0x00, 0x00});
  const Analysed a = Analyse(file);
  ASSERT_TRUE(a.out.refusal);
  EXPECT_EQ(a.out.refusal->Text(), kNoHeader);
  EXPECT_EQ(a.out.refusal->lines.size(), 3u);
  EXPECT_TRUE(a.out.trackList.empty());
}

TEST(Recognition, BlankE5DiskIsTakenAsJv3) {
  const Analysed a = Analyse(Bytes(8704 + 4 * 256, 0xE5));
  EXPECT_FALSE(a.out.refusal);
  EXPECT_EQ(a.img->jv3flag, 1);
  EXPECT_EQ(a.img->Emtype, "JV3");
  // Every entry names track 229, beyond the tables: none is recorded.
  EXPECT_EQ(a.img->Totalsecs, 0);
  EXPECT_EQ(a.img->tracks, 1);
}

TEST(Recognition, TooShortAndTooLargeFilesAreRefused) {
  const std::string tooShort = "** ERROR **\r This file is too short to be a disk image";
  for (std::size_t n : {0u, 1u, 3u, 15u}) {
    SCOPED_TRACE(n);
    const Analysed a = Analyse(Bytes(n, 0x00));
    ASSERT_TRUE(a.out.refusal);
    EXPECT_EQ(a.out.refusal->Text(), tooShort);
    EXPECT_EQ(a.img->jv1, 1);  // the reset ran, the tests did not
    EXPECT_EQ(a.img->fileend, static_cast<std::int32_t>(n));
  }
  // Sixteen bytes are enough for the tests: 16 zero bytes pass the JV3 test.
  EXPECT_FALSE(Analyse(Bytes(16, 0x00)).out.refusal);

  DiskImage img;
  const AnalysisOutcome out = AnalyseImage(img, {}, std::int64_t{64} * 1024 * 1024 + 1);
  ASSERT_TRUE(out.refusal);
  EXPECT_EQ(out.refusal->Text(), "** ERROR **\r This file is too large to be a disk image");
  EXPECT_EQ(img.filebuf.size(), 1u);
}

TEST(Recognition, TablesAreClearedAtEveryAnalysis) {
  DiskImage img;
  Jv3Builder jv3;
  for (int s = 0; s < 10; ++s) jv3.Add(0, s, 0x20);
  AnalyseInto(img, jv3.Build());
  EXPECT_EQ(img.secpos[9], 8704 + 9 * 256);

  AnalyseInto(img, Jv1Builder(35).Build());
  EXPECT_EQ(img.secpos[9], 0);
  EXPECT_EQ(img.trkspt[0], 0);
  // A refused file clears them too.
  AnalyseInto(img, jv3.Build());
  AnalyseInto(img, Bytes(4, 0));
  EXPECT_EQ(img.secpos[5], 0);
}

TEST(Recognition, Jv1KeepsFieldsItDoesNotSet) {
  DiskImage img;
  DmkBuilder dmk(1, 6400);
  dmk.AddTrack({DmkSector::Dd(0, 0, 0), DmkSector::Dd(0, 0, 1), DmkSector::Dd(0, 0, 2)});
  AnalyseInto(img, dmk.Build());
  EXPECT_EQ(img.spgaa, "   Spg = 6");
  AnalyseInto(img, Jv1Builder(35).Build());
  EXPECT_EQ(img.trklength, 6400);
  EXPECT_EQ(img.spg, 6);
  EXPECT_EQ(img.spgaa, "   Spg = 6");
}

}  // namespace
}  // namespace m1::testing
