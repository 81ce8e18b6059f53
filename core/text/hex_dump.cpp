#include "core/text/hex_dump.h"

#include <algorithm>

namespace m1 {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";
constexpr int kOffsetDigits = 8;
constexpr int kGroup = 8;  // an extra space after the eighth byte
// A line: the offset, a space, then each byte as two digits and a space, one space more before
// each group of eight, then a space, a bar, the characters and a bar.
constexpr int kFirstHexColumn = kOffsetDigits + 2;
constexpr int kHexWidth = 3;
// After the digits: the second group's extra space, then " |".
constexpr int kFirstCharColumn = kFirstHexColumn + kDumpBytesPerLine * kHexWidth + 1 + 2;

void AppendHex(std::string& out, std::uint64_t value, int digits) {
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kDigits[(value >> shift) & 0xF];
}

char Shown(const DumpByte& b) {
  if (!b) return ' ';
  return *b >= 0x20 && *b <= 0x7E ? static_cast<char>(*b) : '.';
}

}  // namespace

std::string HexDumpText(std::uint64_t firstOffset, std::span<const DumpByte> bytes) {
  std::string out;
  for (std::size_t line = 0; line < bytes.size(); line += kDumpBytesPerLine) {
    const std::span<const DumpByte> row =
        bytes.subspan(line, std::min<std::size_t>(kDumpBytesPerLine, bytes.size() - line));
    AppendHex(out, firstOffset + line, kOffsetDigits);
    out += ' ';
    for (int i = 0; i < kDumpBytesPerLine; ++i) {
      if (i % kGroup == 0) out += ' ';
      const auto at = static_cast<std::size_t>(i);
      if (at >= row.size()) {
        out += "   ";
      } else if (row[at]) {
        AppendHex(out, *row[at], 2);
        out += ' ';
      } else {
        out += "-- ";
      }
    }
    out += " |";
    for (const DumpByte& b : row) out += Shown(b);
    out += "|\n";
  }
  return out;
}

std::optional<int> DumpByteAtColumn(int column) {
  if (column >= kFirstCharColumn && column < kFirstCharColumn + kDumpBytesPerLine) {
    return column - kFirstCharColumn;
  }
  for (int i = 0; i < kDumpBytesPerLine; ++i) {
    const int at = kFirstHexColumn + i * kHexWidth + i / kGroup;
    if (column == at || column == at + 1) return i;
  }
  return std::nullopt;
}

}  // namespace m1
