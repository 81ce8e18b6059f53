#include "viewer/texts.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "viewer/layout.h"

namespace m1 {
namespace {

TEST(NumberTexts, SignedPlainAndHexForms) {
  EXPECT_EQ(SignedForm(40), " 40");
  EXPECT_EQ(SignedForm(0), " 0");
  EXPECT_EQ(SignedForm(-5), "-5");
  EXPECT_EQ(PlainForm(170), "170");
  EXPECT_EQ(PlainForm(-1), "-1");
  EXPECT_EQ(HexForm(0), "0");
  EXPECT_EQ(HexForm(251), "FB");
  EXPECT_EQ(HexForm(43520), "AA00");
  EXPECT_EQ(TwoDigitHex(0), "00");
  EXPECT_EQ(TwoDigitHex(11), "0B");
  EXPECT_EQ(TwoDigitHex(240), "F0");
}

TEST(TrackText, ReadsTheLeadingNumberAndRoundsHalfToEven) {
  struct Case {
    const char* text;
    std::optional<int> track;
  };
  const Case cases[] = {
      {"12ab", 12}, {"x", 0},      {" 3", 3},         {"", 0},      {"   ", 0},
      {"-1", {}},   {"99999", {}}, {"32767", 32767},  {"32768", {}}, {"2.5", 2},
      {"3.5", 4},   {"2.4", 2},    {"-0.4", 0},       {"1e1", 10},  {"1e", 1},
      {".5", 0},    {"7.", 7},     {"+4", 4},         {"1e999", {}}, {"\t5", 5},
      {"12 3", 12}, {"-", 0},      {" 17", 17},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TrackFromText(c.text), c.track) << '"' << c.text << '"';
  }
}

TEST(MainLayout, HexColumnsStandInGroupsOfFour) {
  const mainlayout::Twips expected[16] = {1100, 1420, 1740, 2060, 2480, 2800, 3120, 3440,
                              3860, 4180, 4500, 4820, 5240, 5560, 5880, 6200};
  for (int c = 1; c <= 16; ++c) EXPECT_EQ(mainlayout::HexColumn(c), expected[c - 1]) << c;
}

TEST(MainLayout, CharacterColumnsStand140Apart) {
  EXPECT_EQ(mainlayout::CharColumn(1), 6550);
  EXPECT_EQ(mainlayout::CharColumn(2), 6690);
  EXPECT_EQ(mainlayout::CharColumn(16), 8650);
  // The last character ends inside the dump area.
  EXPECT_LT(mainlayout::CharColumn(16) + 105, mainlayout::kDumpRight);
}

TEST(MainLayout, SixteenRowsStartInsideTheDumpArea) {
  // Rows of 195 twips: the 16th starts at 5415, above the bottom edge 5600.
  EXPECT_LT(mainlayout::kDumpTop + 15 * 195, mainlayout::kDumpBottom);
  EXPECT_EQ(mainlayout::kDumpBottom - mainlayout::kDumpTop, 3110);
}

}  // namespace
}  // namespace m1
