// Text as the Model I and III editors save it: lines of ASCII ended by 0x0D (some tools end them
// 0x0D 0x0A or 0x0A), perhaps an end-of-file mark 0x1A, perhaps the rest of the last sector
// filled with 0x00.
#include "core/content/text_file.h"

#include "core/container/byte_reader.h"
#include "core/content/visible_char.h"

namespace m1 {
namespace {

constexpr std::uint8_t kReturn = 0x0D;
constexpr std::uint8_t kLineFeed = 0x0A;
constexpr std::uint8_t kTab = 0x09;
constexpr std::uint8_t kEndMark = 0x1A;
constexpr std::uint8_t kFill = 0x00;
constexpr std::size_t kTabStop = 8;
constexpr std::size_t kScreenLine = 64;  // the Model I and III screen is 64 characters wide
constexpr int kPrintablePercent = 95;

bool Printable(std::uint8_t b) {
  return (b >= 0x20 && b <= 0x7E) || b == kReturn || b == kLineFeed || b == kTab;
}

}  // namespace

std::size_t TextEnd(std::span<const std::uint8_t> bytes) {
  const ByteReader in(bytes);
  std::size_t end = 0;
  while (const auto b = in.byte(static_cast<std::int64_t>(end))) {
    if (*b == kEndMark) return end;
    ++end;
  }
  while (end > 0 && in.byte(static_cast<std::int64_t>(end) - 1) == kFill) --end;
  return end;
}

void AppendTextLine(std::string& out, std::span<const std::uint8_t> bytes) {
  std::size_t column = 0;
  for (const std::uint8_t b : bytes) {
    if (b == kTab) {
      do {
        out += ' ';
      } while (++column % kTabStop != 0);
      continue;
    }
    AppendVisible(out, b);
    ++column;
  }
}

std::vector<TextLine> ReadTextLines(std::span<const std::uint8_t> bytes) {
  std::vector<TextLine> lines;
  const ByteReader in(bytes.first(TextEnd(bytes)));
  std::int64_t start = 0;
  for (std::int64_t at = 0;; ++at) {
    const auto b = in.byte(at);
    if (b && *b != kReturn && *b != kLineFeed) continue;
    if (!b && at == start) break;
    TextLine line;
    line.offset = start;
    AppendTextLine(line.text, *in.bytes(start, at - start));
    lines.push_back(std::move(line));
    if (!b) break;
    if (*b == kReturn && in.byte(at + 1) == kLineFeed) ++at;
    start = at + 1;
  }
  return lines;
}

bool LooksLikeText(std::span<const std::uint8_t> bytes) {
  const std::span<const std::uint8_t> text = bytes.first(TextEnd(bytes));
  if (text.empty()) return false;
  std::size_t printable = 0;
  bool broken = false;
  for (const std::uint8_t b : text) {
    if (Printable(b)) ++printable;
    if (b == kReturn || b == kLineFeed) broken = true;
  }
  return printable * 100 >= text.size() * kPrintablePercent &&
         (broken || text.size() <= kScreenLine);
}

}  // namespace m1
