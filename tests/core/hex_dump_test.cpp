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

}  // namespace
}  // namespace m1
