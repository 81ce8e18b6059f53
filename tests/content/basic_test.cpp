// Tokenised BASIC programs built byte by byte, and the listing LIST would give.
#include "core/content/basic.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/basic_program.h"

namespace m1 {
namespace {

using testing::BasicProgram;
using testing::Bytes;
using testing::Join;
using testing::Text;

TEST(Basic, ListsAsTheModelIIIDoes) {
  const Bytes program = BasicProgram(
      0x6A00, {
                  {10, Join({{0xB2}, Text(" \"HELLO\";")})},
                  // ELSE is stored ':' ELSE; THEN and = are tokens.
                  {20, Join({{0x8F},
                             Text(" A"),
                             {0xD5},
                             Text("1 "),
                             {0xCA},
                             Text(" 30 :"),
                             {0x95},
                             Text(" 40")})},
                  // Inside quotes a token byte is a graphics character: 0xB2 (cells 2, 5, 6), 0xBF.
                  {30, Join({{0xB2}, Text(" \"A"), {0xB2, 0xBF}, Text("B\"")})},
                  // After REM nothing is a token: 0x8D (cells 1, 3, 4) is a graphics character.
                  {40, Join({{0x93}, Text(" GOTO "), {0x8D}})},
                  // ' is stored ':' REM 0xFB.
                  {50, Join({Text("A"), {0xD5}, Text("1 :"), {0x93, 0xFB}, Text(" NOTE"), {0xB2}})},
                  // DATA runs to a ':' outside quotes.
                  {60, Join({{0x88},
                             Text(" 1,\"X:Y\","),
                             {0xB0},
                             Text(":"),
                             {0xB2},
                             Text(" "),
                             {0xBC},
                             Text("5);A"),
                             {0xD1},
                             Text("2")})},
                  // A control byte and a byte that is no token, one character each.
                  {65535, Join({Text("X"), {0x01, 0xFC}})},
              });
  ASSERT_TRUE(LooksLikeBasic(program));
  const BasicListing listing = ListBasic(program);
  const std::vector<std::pair<int, std::string>> expected = {
      {10, "PRINT \"HELLO\";"},
      {20, "IF A=1 THEN 30 ELSE 40"},
      {30, "PRINT \"A\U0001FB2F\u2588B\""},
      {40, "REM GOTO \U0001FB0C"},
      {50, "A=1 ' NOTE\U0001FB2F"},
      {60, "DATA 1,\"X:Y\",\U0001FB2D:PRINT TAB(5);A^2"},
      {65535, "X\u2401\u00B7"},
  };
  ASSERT_EQ(listing.lines.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(listing.lines[i].number, expected[i].first);
    EXPECT_EQ(listing.lines[i].text, expected[i].second) << "line " << expected[i].first;
  }
  EXPECT_EQ(listing.lines[0].offset, 1);
  EXPECT_EQ(listing.lines[1].offset, 1 + 4 + 10 + 1);
  EXPECT_TRUE(listing.ended);
  EXPECT_EQ(listing.linkedLines, 7);
  EXPECT_TRUE(listing.problems.empty());
}

TEST(Basic, LinkBackToAnEarlierLineEndsTheListing) {
  Bytes program =
      BasicProgram(0x6A00, {{10, Text("A")}, {20, Text("B")}, {30, Text("C")}, {40, Text("D")}});
  // Line 30 (at offset 1 + 6 + 6) links back to line 20, at RAM 0x6A00 + 7.
  program[13] = 0x07;
  program[14] = 0x6A;
  const BasicListing listing = ListBasic(program);
  ASSERT_EQ(listing.lines.size(), 3u);
  EXPECT_EQ(listing.lines[2].text, "C");
  EXPECT_FALSE(listing.ended);
  ASSERT_EQ(listing.problems.size(), 1u);
  EXPECT_NE(listing.problems[0].find("loops"), std::string::npos) << listing.problems[0];
}

TEST(Basic, CutShortOrNotAProgram) {
  const Bytes program = BasicProgram(0x6A00, {{10, Text("A")}, {20, Text("B")}});
  // Cut before line 20's end: line 20 is listed as far as it goes.
  const BasicListing cut = ListBasic(Bytes(program.begin(), program.begin() + 12));
  ASSERT_EQ(cut.lines.size(), 2u);
  EXPECT_EQ(cut.lines[1].text, "B");
  EXPECT_EQ(cut.problems.size(), 1u);

  Bytes other = program;
  other[0] = 0xFE;
  EXPECT_FALSE(LooksLikeBasic(other));
  EXPECT_TRUE(ListBasic(other).lines.empty());
  // A link below RAM cannot be a saved program's.
  EXPECT_FALSE(LooksLikeBasic(BasicProgram(0x0100, {{10, Text("A")}})));
}

}  // namespace
}  // namespace m1
