#include "sectormap/map_layout.h"

#include <gtest/gtest.h>

namespace m1::maplayout {
namespace {

TEST(MapLayout, NumbersHaveASignPlaceAndATrailingSpace) {
  const struct {
    std::int64_t n;
    const char* text;
  } cases[] = {{0, " 0 "}, {2900, " 2900 "}, {-3, "-3 "}};
  for (const auto& c : cases) EXPECT_EQ(NumberForm(c.n), c.text) << c.n;
}

TEST(MapLayout, TrackLabelsKeepTheirColonsInOneColumn) {
  const struct {
    int track, side;
    const char* text;
  } cases[] = {{9, 1, "Trk  9 : 1 "}, {10, 0, "Trk 10 : 0 "}, {100, 0, "Trk 100 : 0 "}};
  for (const auto& c : cases) EXPECT_EQ(TrackLabel(c.track, c.side), c.text) << c.track;
}

}  // namespace
}  // namespace m1::maplayout
