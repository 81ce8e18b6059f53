#include "viewer/texts.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace m1 {
namespace {

TEST(NumberTexts, SignedPlainAndHexForms) {
  EXPECT_EQ(SignedText(40), " 40");
  EXPECT_EQ(SignedText(0), " 0");
  EXPECT_EQ(SignedText(-5), "-5");
  EXPECT_EQ(PlainText(170), "170");
  EXPECT_EQ(PlainText(-1), "-1");
  EXPECT_EQ(HexText(0), "0");
  EXPECT_EQ(HexText(251), "FB");
  EXPECT_EQ(HexText(0x100), "100");
  EXPECT_EQ(HexText(43520), "AA00");
  EXPECT_EQ(HexText(0x10, 7), "0000010");
  EXPECT_EQ(HexText(0x4000000, 7), "4000000");
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
      {"12ab", 12},  {"x", 0},         {" 3", 3},     {"", 0},    {"   ", 0},  {"-1", {}},
      {"99999", {}}, {"32767", 32767}, {"32768", {}}, {"2.5", 2}, {"3.5", 4},  {"2.4", 2},
      {"-0.4", 0},   {"1e1", 10},      {"1e", 1},     {".5", 0},  {"7.", 7},   {"+4", 4},
      {"1e999", {}}, {"\t5", 5},       {"12 3", 12},  {"-", 0},   {" 17", 17},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TrackFromText(c.text), c.track) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace m1
