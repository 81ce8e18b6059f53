// The one wrapper around z80ex_dasm(). The library reads memory through a callback and writes
// hexadecimal numbers with a leading '#'. Two of its habits are put right here: it counts the
// DD CB / FD CB instructions (four bytes: prefix, CB, displacement, opcode) as five, and it writes
// a negative displacement of those and of the other indexed forms as a 32-bit number
// ("(IX+#FFFFFFFE)"), which is shown as "(IX-#02)".
#include "core/content/z80_disasm.h"

#include <z80ex/z80ex_dasm.h>

#include <algorithm>
#include <charconv>
#include <string_view>

#include "core/byte_reader.h"
#include "core/number_text.h"

namespace m1 {
namespace {

constexpr int kMemory = 0x10000;
constexpr int kLongestInstruction = 4;
constexpr std::uint8_t kIxPrefix = 0xDD;
constexpr std::uint8_t kIyPrefix = 0xFD;
constexpr std::uint8_t kBitPrefix = 0xCB;
constexpr int kIndexedBitLength = 4;

struct Memory {
  std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(kMemory, 0);
  // For each address the file offset of the byte last loaded there, -1 where nothing was loaded.
  std::vector<std::int64_t> from = std::vector<std::int64_t>(kMemory, -1);
};

Z80EX_BYTE ReadMemory(Z80EX_WORD address, void* memory) {
  return static_cast<const Memory*>(memory)->bytes[address];
}

// "+#FFFFFFxx" written for a negative displacement, made "-#yy".
void MendDisplacement(std::string& text) {
  constexpr std::string_view kWide = "+#FFFFFF";
  const std::size_t at = text.find(kWide);
  if (at == std::string::npos || at + kWide.size() + 2 > text.size()) return;
  const char* low = text.data() + at + kWide.size();
  int value = 0;
  if (std::from_chars(low, low + 2, value, 16).ptr != low + 2) return;
  text.replace(at, kWide.size() + 2, "-#" + TwoDigitHex(0x100 - value));
}

std::string DataBytes(std::span<const std::uint8_t> bytes) {
  std::string text = "DB ";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) text += ',';
    text += '#';
    text += TwoDigitHex(bytes[i]);
  }
  return text;
}

// Lays every load block into memory, in file order.
void Load(Memory& memory, const LoadModule& module, std::span<const std::uint8_t> file) {
  const ByteReader in(file);
  for (const LoadBlock& block : module.blocks) {
    const auto data = in.bytes(block.offset, block.length);
    if (!data) continue;
    for (int i = 0; i < block.length; ++i) {
      const int address = (block.first + i) % kMemory;
      memory.bytes[address] = (*data)[static_cast<std::size_t>(i)];
      memory.from[address] = block.offset + i;
    }
  }
}

// The instructions of the loaded range [first, last].
void DisassembleRange(const Memory& memory, int first, int last, std::vector<DisasmLine>& out) {
  char text[64];
  for (int address = first; address <= last;) {
    int tStates = 0;
    int tStatesTaken = 0;
    int length = z80ex_dasm(text, sizeof text, 0, &tStates, &tStatesTaken, ReadMemory,
                            static_cast<Z80EX_WORD>(address), const_cast<Memory*>(&memory));
    const std::uint8_t lead = memory.bytes[address];
    if ((lead == kIxPrefix || lead == kIyPrefix) && address + 1 < kMemory &&
        memory.bytes[address + 1] == kBitPrefix) {
      length = kIndexedBitLength;
    }
    length = std::clamp(length, 1, kLongestInstruction);
    DisasmLine line;
    line.address = static_cast<std::uint16_t>(address);
    line.offset = memory.from[address];
    const bool cut = address + length - 1 > last;
    if (cut) length = last - address + 1;
    line.bytes.assign(memory.bytes.begin() + address, memory.bytes.begin() + address + length);
    if (cut) {
      line.text = DataBytes(line.bytes);
    } else {
      line.text = text;
      MendDisplacement(line.text);
    }
    out.push_back(std::move(line));
    address += length;
  }
}

}  // namespace

std::vector<DisasmLine> Disassemble(const LoadModule& module, std::span<const std::uint8_t> bytes) {
  std::vector<DisasmLine> lines;
  if (module.blocks.empty()) return lines;
  Memory memory;
  Load(memory, module, bytes);
  for (int address = 0; address < kMemory;) {
    if (memory.from[address] < 0) {
      ++address;
      continue;
    }
    int last = address;
    while (last + 1 < kMemory && memory.from[last + 1] >= 0) ++last;
    DisassembleRange(memory, address, last, lines);
    address = last + 1;
  }
  return lines;
}

}  // namespace m1
