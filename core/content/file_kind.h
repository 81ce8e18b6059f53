// What a file holds, told from its bytes first and its extension second.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace m1 {

enum class FileKind { Basic, Cmd, Text, Source, Binary };

// "basic", "cmd", "text", "source", "binary"
const char* KindName(FileKind kind);

// The kinds whose readers accept the bytes, in the order Basic, Cmd, Source, Text; when more than
// one does, the one the extension names (BAS; CMD, SYS, DVR ...; ASM, SRC, EDT; TXT, DOC, JCL) is
// taken, else the first. A /BAS file that is text is Text, a /CMD whose records do not chain is
// Binary.
FileKind RecogniseKind(std::span<const std::uint8_t> bytes, std::string_view ext);

// What bytes found without a file (the granules of a lost file) seem to hold, where it is
// convincing from the first byte on: a BASIC program whose links agree with its lines, a load
// module's records, or lines of printable text. Nothing otherwise.
std::optional<FileKind> GuessHolds(std::span<const std::uint8_t> bytes);

}  // namespace m1
