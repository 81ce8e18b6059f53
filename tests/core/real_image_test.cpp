// A real JV3 image: the utility data disk shipped with an emulator (single density, 80 tracks,
// one side, ten sectors a track stored in interleave order). Skipped when the file is absent.
#include "tests/core/real_image.h"

#include <gtest/gtest.h>

#include "core/design/sector.h"
#include "tests/core/analyse.h"

namespace m1::testing {
namespace {

TEST(RealImage, UtilityJv3SingleDensityEightyTracks) {
  const std::optional<Bytes> file = ReadUtilityDisk();
  if (!file) GTEST_SKIP() << UtilityDiskPath() << " is not there";
  ASSERT_EQ(file->size(), 213504u);  // 0x2200 + 800 x 256

  const Analysed a = Analyse(*file);
  DiskImage& img = *a.img;
  ASSERT_FALSE(a.out.refusal);
  EXPECT_EQ(img.Emtype, "JV3");
  EXPECT_EQ(img.tracks, 80);
  EXPECT_EQ(img.dens, 1);
  EXPECT_EQ(img.Totalsecs, 800);
  EXPECT_EQ(img.trkstart[79], 790);
  EXPECT_EQ(img.dirstartsec, 170);
  EXPECT_EQ(img.newdosflag, 0);
  // Track 0 holds its sectors in the order 0 5 1 6 2 7 3 8 4 9; track 1 as 8 4 9 0 ...
  EXPECT_EQ(img.secpos[1], 8704 + 2 * 256);
  EXPECT_EQ(img.secpos[5], 8704 + 1 * 256);
  EXPECT_EQ(img.secpos[10], 8704 + 13 * 256);
  img.PresSecnum = 175;
  ResolveSector(img);
  EXPECT_EQ(img.TrkToFind, 17);
  EXPECT_EQ(img.SecToFind, 5);
  EXPECT_TRUE(IsDirectoryByMarks(img));
}

}  // namespace
}  // namespace m1::testing
