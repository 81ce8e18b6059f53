// Geometry of the hex editor window: the table of its controls, the columns of a printed line and
// the page model (which file offsets a page holds, how far the scroll bar reaches).
//
// A printed line is 78 fixed-pitch columns from x = 150 twips:
//   1 space, 2-8 the offset in seven hex digits, 9-10 two spaces,
//   11-61 the 16 bytes as two digits and a space each, one more space after bytes 4, 8 and 12,
//   62 a space, 63-78 the 16 characters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/controls.h"

namespace m1::hexlayout {

using Twips = int;

inline constexpr int kLinesPerPage = 28;
inline constexpr int kBytesPerLine = 16;
inline constexpr int kBytesPerPage = kLinesPerPage * kBytesPerLine;  // 448
inline constexpr int kFirstTextLine = 8;  // the page begins on the ninth text line of the window
inline constexpr Twips kLeft = 150;
inline constexpr int kLineColumns = 78;
inline constexpr int kFirstCharColumn = 63;

// y of the first printed line for a line height h.
constexpr Twips FirstLineY(Twips lineHeight) {
  return kFirstTextLine * lineHeight;
}

// Column (from 1) where byte i (0 to 15) of a line starts in the hex part.
constexpr int HexColumn(int i) {
  return 11 + 3 * i + i / 4;
}
// Column (from 1) of the character of byte i.
constexpr int CharColumn(int i) {
  return kFirstCharColumn + i;
}
// x of a column for a fixed character width.
constexpr Twips ColumnX(int column, Twips charWidth) {
  return kLeft + (column - 1) * charWidth;
}

// What follows the two digits of byte i: one space, two after bytes 4, 8 and 12 (i = 3, 7, 11).
// After byte 16 the space that ends the byte and the space before the characters are printed
// together, so every line is one offset item, 16 byte items and 16 character items.
constexpr std::string_view ByteSeparator(int i) {
  return i == 3 || i == 7 || i == 11 ? "  " : " ";
}

// The scroll bar counts 16 bytes a step; the last page starts 256 bytes before the end of the file
// (the zero tail fills the rest of it). A file shorter than 256 bytes has only the page at 0.
constexpr std::int64_t ScrollMax(std::int64_t fileend) {
  return fileend >= 256 ? (fileend - 256) / kBytesPerLine : 0;
}

// The controls, in the order they are built: the frame, the four captionless buttons that border
// the printed page, the label, the boxes and the scroll bar.
inline constexpr ControlPlace kControls[] = {
    {ControlKind::Frame, "Frame1", "", {0, 0, 9495, 1095}},
    {ControlKind::Button, "Command4", "", {120, 1080, 9015, 495}},
    {ControlKind::Button, "Command2", "", {0, 1080, 135, 7335}},
    {ControlKind::Button, "Command1", "", {9120, 1080, 375, 6615}},
    {ControlKind::Button, "Command3", "", {120, 7680, 9375, 690}},
    {ControlKind::Label, "Label1", "File Length ", {120, 480, 1815, 255}},
    {ControlKind::TextBox, "TxtFilename", "File name", {360, 120, 8775, 315}},
    {ControlKind::TextBox, "Text1", "File length", {360, 720, 855, 315}},
    {ControlKind::TextBox, "Text2", "Format", {1440, 600, 495, 315}},
    {ControlKind::TextBox, "Text3", "Legend 1", {2040, 600, 855, 315}},
    {ControlKind::TextBox, "Text5", "Legend 2", {2880, 600, 735, 315}},
    {ControlKind::TextBox, "Text6", "Legend 3", {3600, 600, 1695, 315}},
    {ControlKind::TextBox, "Text7", "Legend 4", {5400, 600, 975, 315}},
    {ControlKind::TextBox, "Text4", "Legend 5", {6600, 600, 2775, 315}},
    {ControlKind::TextBox, "Text8", "Note", {240, 1200, 8655, 315}},
    {ControlKind::ScrollBar, "VScroll1", "Position in the file", {8880, 1560, 255, 6135}},
};

}  // namespace m1::hexlayout
