// One rendering of any file, for the File window and m1view-info --show.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/content/asm_source.h"
#include "core/content/basic.h"
#include "core/content/file_kind.h"
#include "core/content/load_module.h"
#include "core/content/text_file.h"
#include "core/content/z80_disasm.h"

namespace m1 {

struct ShownLine {
  std::string text;
  std::int64_t offset = -1;  // file offset this line starts at, -1 none
};

struct DecodedFile {
  FileKind kind = FileKind::Binary;
  std::optional<BasicListing> basic;
  std::optional<LoadModule> module;
  std::vector<DisasmLine> disassembly;
  std::optional<SourceFile> source;
  std::vector<TextLine> text;
  std::vector<std::string> problems;  // the decoder's own
};

DecodedFile Decode(std::span<const std::uint8_t> bytes, std::string_view ext);

// The decoded view as lines of text:
//   basic   "10 PRINT ..."
//   cmd     the records, the load map, the entry, then the disassembly ("5200  3E 01        LD
//           A,#01")
//   text, source  the lines
//   binary  a hex dump, 16 bytes a line
std::vector<ShownLine> ShownLines(const DecodedFile& decoded, std::span<const std::uint8_t> bytes);

}  // namespace m1
