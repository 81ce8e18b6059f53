// How the decoders of file contents show a stored byte that is not a token: exactly one character
// each, so that a line holds one character for every byte it shows.
//   0x20-0x7E  itself
//   0x00-0x1F  the Unicode control pictures U+2400-U+241F, 0x7F the delete picture U+2421
//   0x80-0xBF  the 2x3 block graphics of the Model I and III, as the Unicode block sextants: bit 0
//              of the byte is the top left cell, bit 1 top right, bits 2-3 the middle row, bits
//              4-5 the bottom row; 0x80 (no cell lit) is U+2800, a blank that is not white space
//   0xC0-0xFF  U+00B7, a middle dot (space-compression codes on the Model I, alternate characters
//              on the III: nothing a reader of the text can use)
// The hex dumps keep their own rule (core/number_text.h PrintableChar): one ASCII byte a column.
#pragma once

#include <cstdint>
#include <string>

namespace m1 {

inline constexpr char32_t VisibleCodePoint(std::uint8_t b) {
  constexpr char32_t kControlPictures = 0x2400;
  constexpr char32_t kDeletePicture = 0x2421;
  constexpr char32_t kBlankCell = 0x2800;
  constexpr char32_t kSextants = 0x1FB00;  // "BLOCK SEXTANT-1", then the patterns in binary order
  constexpr int kLeftColumn = 21;          // bits 0, 2, 4: U+258C, not among the sextants
  constexpr int kRightColumn = 42;         // bits 1, 3, 5: U+2590
  constexpr int kAllCells = 63;            // U+2588
  constexpr char32_t kOther = 0x00B7;
  if (b >= 0x20 && b <= 0x7E) return b;
  if (b < 0x20) return kControlPictures + b;
  if (b == 0x7F) return kDeletePicture;
  if (b >= 0xC0) return kOther;
  const int cells = b & 0x3F;
  if (cells == 0) return kBlankCell;
  if (cells == kLeftColumn) return 0x258C;
  if (cells == kRightColumn) return 0x2590;
  if (cells == kAllCells) return 0x2588;
  const int skipped = (cells > kLeftColumn ? 1 : 0) + (cells > kRightColumn ? 1 : 0);
  return kSextants + static_cast<char32_t>(cells - 1 - skipped);
}

// Appends the byte's character to out, in UTF-8.
inline void AppendVisible(std::string& out, std::uint8_t b) {
  const char32_t c = VisibleCodePoint(b);
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace m1
