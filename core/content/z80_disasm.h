// The Z80 instructions of a load module's memory image, through the z80ex disassembler.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/content/load_module.h"

namespace m1 {

struct DisasmLine {
  std::uint16_t address = 0;
  std::vector<std::uint8_t> bytes;
  std::string text;          // "LD A,#01" as z80ex writes it; "DB #CD,#00" for a cut instruction
  std::int64_t offset = -1;  // file offset of the first byte, -1 if none
};

// The module's load blocks laid into 64K of memory in file order (a later block over an earlier
// one), then every contiguous loaded range taken from its start, one instruction a line. An
// instruction that would run past the end of its range is shown as its bytes (DB). Each line's
// offset is where its first byte lies in the file, in the last block that loaded it.
std::vector<DisasmLine> Disassemble(const LoadModule& module, std::span<const std::uint8_t> bytes);

}  // namespace m1
