// Bytes as text in the usual hex-dump layout, for the clipboard: an offset, 16 bytes in hex (two
// groups of eight) and the same bytes as characters between bars.
//
//   00000010  00 FE 11 41 42 43 00 00  00 00 00 00 00 00 00 00  |...ABC..........|
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace m1 {

// A byte of a dump, or nothing where the window shows none (the main window's "--" past the end
// of the file). Such a byte is written "--" and its character as a space.
using DumpByte = std::optional<std::uint8_t>;

inline constexpr int kDumpBytesPerLine = 16;

// The lines of the dump, each ending in a line feed; the first line's offset is firstOffset and
// each line's is 16 more. A short last line keeps its characters in their column. Characters
// outside printable ASCII (0x20 to 0x7E) are written ".".
std::string HexDumpText(std::uint64_t firstOffset, std::span<const DumpByte> bytes);

// The byte of a dump line (0 to 15) whose hex digits, or whose character, lie at column (counted
// from 0 at the line's first character); nothing for the offset, the spaces and the bars.
std::optional<int> DumpByteAtColumn(int column);

}  // namespace m1
