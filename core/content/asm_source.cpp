// Editor-assembler source:
//   optional header  0xD3, then the file's name in 6 characters padded with spaces (newer
//                    editors write none)
//   each line        5 bytes: the line number's digits with bit 7 set (0xB0-0xB9)
//                    1 byte:  a space (older editors) or a TAB (newer)
//                    the text (TABs between its fields), then 0x0D
//   the end          0x1A
#include "core/content/asm_source.h"

#include "core/container/byte_reader.h"
#include "core/text/number_text.h"

namespace m1 {
namespace {

constexpr std::uint8_t kHeaderMark = 0xD3;
constexpr int kNameLength = 6;
constexpr int kDigits = 5;
constexpr std::uint8_t kDigitZero = 0xB0;  // '0' with bit 7 set
constexpr std::uint8_t kDigitNine = 0xB9;
constexpr std::uint8_t kDigitBit = 0x80;
constexpr std::uint8_t kReturn = 0x0D;
constexpr std::uint8_t kEndMark = 0x1A;

bool IsDigit(std::optional<std::uint8_t> b) {
  return b && *b >= kDigitZero && *b <= kDigitNine;
}

bool IsSeparator(std::optional<std::uint8_t> b) {
  return b == ' ' || b == '\t';
}

// True when a line number and its separator start at `at`.
bool NumberAt(const ByteReader& in, std::int64_t at) {
  for (int i = 0; i < kDigits; ++i) {
    if (!IsDigit(in.byte(at + i))) return false;
  }
  return IsSeparator(in.byte(at + kDigits));
}

std::int64_t FirstLine(const ByteReader& in) {
  return in.byte(0) == kHeaderMark ? 1 + kNameLength : 0;
}

}  // namespace

bool LooksLikeSource(std::span<const std::uint8_t> bytes) {
  const ByteReader in(bytes);
  return NumberAt(in, FirstLine(in));
}

SourceFile ReadSource(std::span<const std::uint8_t> bytes) {
  SourceFile source;
  const ByteReader in(bytes);
  const std::int64_t first = FirstLine(in);
  if (first > 0) {
    if (const auto name = in.bytes(1, kNameLength)) {
      std::string text;
      AppendTextLine(text, *name);
      while (!text.empty() && text.back() == ' ') text.pop_back();
      source.name = text;
    } else {
      source.problems.push_back("the file ends inside its header");
      return source;
    }
  }
  std::int64_t at = first;
  while (true) {
    const auto b = in.byte(at);
    if (!b) {
      source.problems.push_back("the file ends without its end mark (1A)");
      break;
    }
    if (*b == kEndMark) break;
    std::int64_t end = at;
    while (in.byte(end) && in.byte(end) != kReturn) ++end;
    TextLine line;
    line.offset = at;
    std::int64_t textAt = at;
    if (NumberAt(in, at)) {
      for (int i = 0; i < kDigits; ++i)
        line.text += static_cast<char>(*in.byte(at + i) - kDigitBit);
      line.text += ' ';
      textAt = at + kDigits + 1;
    } else {
      source.problems.push_back("the line at " + HexText(static_cast<unsigned long long>(at)) +
                                " has no line number");
    }
    AppendTextLine(line.text, *in.bytes(textAt, end - textAt));
    source.lines.push_back(std::move(line));
    if (!in.byte(end)) {
      source.problems.push_back("the file ends inside its last line");
      break;
    }
    at = end + 1;
  }
  return source;
}

}  // namespace m1
