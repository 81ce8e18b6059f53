// The dump text for the clipboard: offsets, two groups of eight bytes, the characters between
// bars; short last lines and missing bytes.
#include "core/text/hex_dump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace m1 {
namespace {

std::vector<DumpByte> Of(const std::string& s) {
  std::vector<DumpByte> out;
  for (char c : s) out.emplace_back(static_cast<std::uint8_t>(c));
  return out;
}

TEST(HexDump, LinesOfSixteenWithOffsetsGroupsAndCharacters) {
  std::vector<DumpByte> bytes = Of("ABCDEFGHIJKLMNOP\x01~\x7F");
  bytes.push_back(std::nullopt);
  const struct {
    std::uint64_t first;
    std::size_t count;
    std::string text;
  } cases[] = {
      {0x1F0, 16,
       "000001F0  41 42 43 44 45 46 47 48  49 4A 4B 4C 4D 4E 4F 50  |ABCDEFGHIJKLMNOP|\n"},
      {0, 20,
       "00000000  41 42 43 44 45 46 47 48  49 4A 4B 4C 4D 4E 4F 50  |ABCDEFGHIJKLMNOP|\n"
       "00000010  01 7E 7F --                                       |.~. |\n"},
      {0, 0, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HexDumpText(c.first, std::span(bytes).first(c.count)), c.text) << c.count;
  }
}

// "00000000  41 42 43 44 45 46 47 48  49 4A ...  |ABCDEFGHIJKLMNOP|": the digits of byte 0 at
// columns 10-11, of byte 8 at 35-36 after the second group's space, the characters at 61-76.
TEST(HexDump, ColumnsOfALineNameTheirByte) {
  constexpr int kNone = -1;
  const std::pair<int, int> columns[] = {{0, kNone}, {9, kNone},  {10, 0},    {11, 0},  {12, kNone},
                                         {32, 7},    {34, kNone}, {35, 8},    {57, 15}, {60, kNone},
                                         {61, 0},    {76, 15},    {77, kNone}};
  for (const auto& [column, byte] : columns) {
    EXPECT_EQ(DumpByteAtColumn(column).value_or(kNone), byte) << column;
  }
}

}  // namespace
}  // namespace m1
