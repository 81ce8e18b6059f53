// The one wrapper around z80ex_dasm(). The library reads memory through a callback and writes
// hexadecimal numbers with a leading '#'. Two of its habits are put right here: it counts the
// DD CB / FD CB instructions (four bytes: prefix, CB, displacement, opcode) as five, and it writes
// a negative displacement of those and of the other indexed forms as a 32-bit number
// ("(IX+#FFFFFFFE)"), which is shown as "(IX-#02)".
#include "core/content/z80_disasm.h"

#include <z80ex/z80ex_dasm.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>

#include "core/container/byte_reader.h"
#include "core/text/number_text.h"

namespace m1 {
namespace {

constexpr int kMemory = 0x10000;
constexpr int kLongestInstruction = 4;
constexpr std::uint8_t kIxPrefix = 0xDD;
constexpr std::uint8_t kIyPrefix = 0xFD;
constexpr std::uint8_t kBitPrefix = 0xCB;
constexpr int kIndexedBitLength = 4;

// The addresses from `first` on that the blocks reach (all 64K when one wraps past FFFF), with
// the byte last loaded at each and where in the file it came from (-1 where nothing was loaded).
// Keeping to that span keeps a module of a few kilobytes from filling 64K tables.
struct Memory {
  int first = 0;
  std::vector<std::uint8_t> bytes;
  std::vector<std::int64_t> from;

  int Last() const { return first + static_cast<int>(bytes.size()) - 1; }
  bool Holds(int address) const { return address >= first && address <= Last(); }
  std::uint8_t At(int address) const {
    return Holds(address) ? bytes[static_cast<std::size_t>(address - first)] : 0;
  }
  std::int64_t From(int address) const {
    return Holds(address) ? from[static_cast<std::size_t>(address - first)] : -1;
  }
};

Z80EX_BYTE ReadMemory(Z80EX_WORD address, void* memory) {
  return static_cast<const Memory*>(memory)->At(address);
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
Memory Load(const LoadModule& module, std::span<const std::uint8_t> file) {
  const ByteReader in(file);
  int low = kMemory;
  int high = -1;
  for (const LoadBlock& block : module.blocks) {
    if (!in.Holds(block.offset, block.length)) continue;
    const int last = block.first + block.length - 1;
    low = std::min(low, last < kMemory ? static_cast<int>(block.first) : 0);
    high = std::max(high, last < kMemory ? last : kMemory - 1);
  }
  Memory memory;
  if (high < low) return memory;
  memory.first = low;
  memory.bytes.assign(static_cast<std::size_t>(high - low + 1), 0);
  memory.from.assign(memory.bytes.size(), -1);
  for (const LoadBlock& block : module.blocks) {
    const auto data = in.bytes(block.offset, block.length);
    if (!data) continue;
    for (int i = 0; i < block.length; ++i) {
      const auto at = static_cast<std::size_t>((block.first + i) % kMemory - low);
      memory.bytes[at] = (*data)[static_cast<std::size_t>(i)];
      memory.from[at] = block.offset + i;
    }
  }
  return memory;
}

// The instructions of the loaded range [first, last].
void DisassembleRange(const Memory& memory, int first, int last, std::vector<DisasmLine>& out) {
  char text[64];
  for (int address = first; address <= last;) {
    int tStates = 0;
    int tStatesTaken = 0;
    int length = z80ex_dasm(text, sizeof text, 0, &tStates, &tStatesTaken, ReadMemory,
                            static_cast<Z80EX_WORD>(address), const_cast<Memory*>(&memory));
    const std::uint8_t lead = memory.At(address);
    if ((lead == kIxPrefix || lead == kIyPrefix) && memory.At(address + 1) == kBitPrefix) {
      length = kIndexedBitLength;
    }
    length = std::clamp(length, 1, kLongestInstruction);
    const bool cut = address + length - 1 > last;
    if (cut) length = last - address + 1;
    DisasmLine& line = out.emplace_back();
    line.address = static_cast<std::uint16_t>(address);
    line.offset = memory.From(address);
    std::array<std::uint8_t, kLongestInstruction> code{};
    for (int i = 0; i < length; ++i) code[static_cast<std::size_t>(i)] = memory.At(address + i);
    line.bytes.assign(code.begin(), code.begin() + length);
    if (cut) {
      line.text = DataBytes(line.bytes);
    } else {
      line.text = text;
      MendDisplacement(line.text);
    }
    address += length;
  }
}

}  // namespace

std::vector<DisasmLine> Disassemble(const LoadModule& module, std::span<const std::uint8_t> bytes) {
  std::vector<DisasmLine> lines;
  const Memory memory = Load(module, bytes);
  if (memory.bytes.empty()) return lines;
  // Instructions average more than two bytes; reserving for one in two saves the regrowth.
  lines.reserve(memory.bytes.size() / 2 + 1);
  for (int address = memory.first; address <= memory.Last();) {
    if (memory.From(address) < 0) {
      ++address;
      continue;
    }
    int last = address;
    while (last < memory.Last() && memory.From(last + 1) >= 0) ++last;
    DisassembleRange(memory, address, last, lines);
    address = last + 1;
  }
  return lines;
}

}  // namespace m1
