#include "hexview/layout.h"

namespace m1::hexlayout {

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";
}

std::optional<int> ByteAtPoint(Twips x, Twips y, Twips lineWidth, Twips lineHeight) {
  if (lineWidth <= 0 || lineHeight <= 0 || x < kLeft || y < FirstLineY(lineHeight))
    return std::nullopt;
  const int line = (y - FirstLineY(lineHeight)) / lineHeight;
  // Columns from 1; the width of one column is the line's width shared out over its columns.
  const auto column = static_cast<int>(std::int64_t{x - kLeft} * kLineColumns / lineWidth) + 1;
  if (line >= kLinesPerPage || column > kLineColumns) return std::nullopt;
  for (int i = 0; i < kBytesPerLine; ++i) {
    const bool overHex = column >= HexColumn(i) && column <= HexColumn(i) + 2;
    if (overHex || column == CharColumn(i)) return line * kBytesPerLine + i;
  }
  return std::nullopt;
}

std::string Hex(std::uint64_t value) {
  std::string out;
  do {
    out.insert(out.begin(), kDigits[value % 16]);
    value /= 16;
  } while (value != 0);
  return out;
}

std::string HexOffset(std::uint64_t value) {
  std::string out = Hex(value);
  if (out.size() < 7) out.insert(0, 7 - out.size(), '0');
  return out;
}

std::string HexByte(std::uint8_t value) {
  return std::string{kDigits[value >> 4], kDigits[value & 0x0F]};
}

}  // namespace m1::hexlayout
