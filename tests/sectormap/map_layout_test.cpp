#include "sectormap/map_layout.h"

#include <gtest/gtest.h>

namespace m1::maplayout {
namespace {

TEST(MapLayout, NumbersHaveASignPlaceAndATrailingSpace) {
  const struct {
    std::int64_t n;
    const char* text;
  } cases[] = {{0, " 0 "}, {5, " 5 "}, {12, " 12 "}, {255, " 255 "}, {2900, " 2900 "}, {-3, "-3 "}};
  for (const auto& c : cases) EXPECT_EQ(NumberForm(c.n), c.text) << c.n;
}

TEST(MapLayout, HexHasNoLeadingZeros) {
  const struct {
    unsigned n;
    const char* text;
  } cases[] = {{0, "0"}, {0x0A, "A"}, {0xF8, "F8"}, {0xFA, "FA"}, {0xFB, "FB"}, {0x100, "100"}};
  for (const auto& c : cases) EXPECT_EQ(HexForm(c.n), c.text) << c.n;
}

TEST(MapLayout, TrackLabelsKeepTheirColonsInOneColumn) {
  const struct {
    int track, side;
    const char* text;
  } cases[] = {{0, 0, "Trk  0 : 0 "},
               {5, 0, "Trk  5 : 0 "},
               {9, 1, "Trk  9 : 1 "},
               {10, 0, "Trk 10 : 0 "},
               {17, 1, "Trk 17 : 1 "},
               {100, 0, "Trk 100 : 0 "}};
  for (const auto& c : cases) EXPECT_EQ(TrackLabel(c.track, c.side), c.text) << c.track;
}

TEST(MapLayout, LabelColourBySide) {
  EXPECT_EQ(LabelColour(0), (Rgb{192, 64, 0}));
  EXPECT_EQ(LabelColour(1), (Rgb{0, 0, 0}));
}

TEST(MapLayout, LinePositionsFromTheLineHeight) {
  EXPECT_EQ(KeySingleY(195), 975);
  EXPECT_EQ(KeyDoubleY(195), 1170);
  EXPECT_EQ(KeyNoteY(195), 1365);
  EXPECT_EQ(LineBase(195), 1755);
  EXPECT_EQ(Jv1FirstLine(195), 1950);
}

TEST(MapLayout, NumericColumnsStep350FromTheFirstColumn) {
  EXPECT_EQ(NumericColumn(kFirstColumnJv, 0), 1600);
  EXPECT_EQ(NumericColumn(kFirstColumnJv, 9), 4750);
  EXPECT_EQ(NumericColumn(kFirstColumnDmk, 0), 1900);
  EXPECT_EQ(NumericColumn(kFirstColumnDmk, 5), 3650);
}

}  // namespace
}  // namespace m1::maplayout
