// A text file (a program saved with ,A, a document, a JCL file) as its lines.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace m1 {

struct TextLine {
  std::string text;  // UTF-8: one character a byte (core/content/visible_char.h), a TAB as spaces
  std::int64_t offset = 0;
};

// Lines end in 0x0D; a 0x0A ends one too, and right after a 0x0D it belongs to that end (CR LF).
// The text ends at the first 0x1A, or where nothing but 0x00 bytes is left.
std::vector<TextLine> ReadTextLines(std::span<const std::uint8_t> bytes);

// True when at least 95 bytes in 100 of the text are printable ASCII or line ends, and a text
// longer than one screen line is broken into lines.
bool LooksLikeText(std::span<const std::uint8_t> bytes);

// The end of the text the two above read: the offset of the first 0x1A, or of the run of 0x00
// bytes that reaches the end of the file, or the file's length.
std::size_t TextEnd(std::span<const std::uint8_t> bytes);

// Appends the shown form of one line's bytes: TAB to the next column of eight, every other byte
// one visible character.
void AppendTextLine(std::string& out, std::span<const std::uint8_t> bytes);

}  // namespace m1
