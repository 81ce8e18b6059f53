// A tokenised BASIC program (Level II, Model I and III Disk BASIC) as LIST shows it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace m1 {

namespace basic {
// The mark of a program saved to disk, and the range of the keyword tokens.
inline constexpr std::uint8_t kProgramMark = 0xFF;
inline constexpr std::uint8_t kFirstToken = 0x80;
inline constexpr std::uint8_t kLastToken = 0xFB;
// The tokens that change what follows them, and how the tokeniser stores ELSE and '.
enum Token : std::uint8_t { kData = 0x88, kRem = 0x93, kElse = 0x95, kApostrophe = 0xFB };
}  // namespace basic

struct BasicLine {
  int number = 0;
  std::string text;         // what LIST prints after the line number and its space (UTF-8)
  std::int64_t offset = 0;  // of the line's link in the file
};

struct BasicListing {
  std::vector<BasicLine> lines;
  std::vector<std::string> problems;
  bool ended = false;   // the program ends in its 0x0000 link
  int linkedLines = 0;  // lines from the first whose links point exactly at the next line and
                        // whose numbers ascend: how sure the bytes are a saved program
};

// True when the bytes start as a saved program does: 0xFF, then a first line whose link is a RAM
// address that fits the line's length, a line number BASIC accepts and a 0x00 end.
bool LooksLikeBasic(std::span<const std::uint8_t> bytes);

BasicListing ListBasic(std::span<const std::uint8_t> bytes);

// The keyword of token b (0x80-0xFB), or nothing for a byte that is not a token.
const char* BasicKeyword(std::uint8_t b);

}  // namespace m1
