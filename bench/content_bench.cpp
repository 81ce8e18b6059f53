// m1view-bench-content: the decoders of file contents on files made here: a 48 KB BASIC program
// decoded and listed, and a 16 KB load module read into its records and load map and
// disassembled, then also shown as lines, as the File window does when it opens one.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "bench/report.h"
#include "core/content/decoded.h"
#include "tests/support/basic_program.h"

namespace m1::bench {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kBasicBytes = 48 * 1024 - 64;  // with the program at 4000, up to FFFF
constexpr std::size_t kModuleBytes = 16 * 1024;

// Lines of statements, strings, DATA, ELSE and remarks, as a game would have, up to 48 KB.
Bytes BasicProgram() {
  const std::vector<Bytes> texts = {
      {0xB2, ' ', '"',  'S',  'C', 'O', 'R', 'E', ':', ' ',  '"',  ';',  'S',
       'C',  ':', 0xB2, 0xBC, '1', '0', ')', ';', '"', 0x80, 0xBF, 0xB3, '"'},
      {0x8F, ' ', 'X', 0xD5, '1', ' ',  0xCA, ' ', '1', '0',
       '0',  ' ', ':', 0x95, ' ', 0x8D, ' ',  '2', '0', '0'},
      {0x88, ' ', '1', ',', '2', ',', '"', 'A', ':', 'B', '"', ',', '3', ',', '4', ',', '5'},
      {'A', 0xD5, 'A', 0xCD, '1', ' ', ':', 0x93, 0xFB, ' ', 'N', 'E', 'X', 'T', ' ', 'M', 'O', 'V',
       'E'},
      {0x81, ' ', 'I', 0xD5, '1', ' ', 0xBD, ' ', '6', '3', ':', 0x83, '(', 'I', ',', '5', ')', ':',
       0x87},
  };
  std::vector<std::pair<int, Bytes>> lines;
  std::size_t size = 1;  // the program's mark, then each line's link, number, text and end
  for (int number = 10; size < kBasicBytes; number += 10) {
    const Bytes& text = texts[static_cast<std::size_t>(number / 10) % texts.size()];
    lines.emplace_back(number, text);
    size += 4 + text.size() + 1;
  }
  return testing::BasicProgram(0x4000, lines);
}

// Load blocks of 256 data bytes from 5200 on, up to 16 KB, and the transfer address. The data is
// code as a program has it: instructions drawn by a fixed pseudo-random sequence from a mix of
// loads, calls, jumps, indexed and block instructions, with random operands.
Bytes LoadModuleFile() {
  const std::vector<Bytes> mix = {
      {0x3E, 0}, {0x21, 0, 0}, {0xCD, 0, 0},    {0x20, 0},    {0x77},
      {0x23},    {0x10, 0},    {0xDD, 0x7E, 0}, {0xC9},       {0xE5},
      {0xE1},    {0xFE, 0},    {0xC3, 0, 0},    {0xED, 0xB0}, {0x7E},
      {0xB7},    {0x28, 0},    {0x32, 0, 0},    {0x3A, 0, 0}, {0xFD, 0xCB, 0, 0x46},
      {0xD3, 0}, {0x11, 0, 0}, {0xED, 0x52},    {0x47},       {0xCB, 0x3F},
  };
  std::uint32_t seed = 12345;
  const auto next = [&seed] {
    seed = seed * 1103515245 + 12345;
    return static_cast<std::uint8_t>(seed >> 16);
  };
  Bytes code;
  while (code.size() < kModuleBytes) {
    Bytes instruction = mix[next() % mix.size()];
    for (std::size_t i = 1; i < instruction.size(); ++i) {
      if (instruction[i] == 0) instruction[i] = next();
    }
    code.insert(code.end(), instruction.begin(), instruction.end());
  }
  Bytes out = {0x05, 0x06, 'B', 'E', 'N', 'C', 'H', ' '};
  constexpr std::size_t kBlock = 256;
  for (std::size_t at = 0; out.size() + kBlock + 8 <= kModuleBytes; at += kBlock) {
    const int address = 0x5200 + static_cast<int>(at);
    out.insert(out.end(), {0x01, 0x02, static_cast<std::uint8_t>(address),
                           static_cast<std::uint8_t>(address >> 8)});
    out.insert(out.end(), code.begin() + static_cast<std::ptrdiff_t>(at),
               code.begin() + static_cast<std::ptrdiff_t>(at + kBlock));
  }
  out.insert(out.end(), {0x02, 0x02, 0x00, 0x52});
  return out;
}

void DecodeAndShow(benchmark::State& state, const Bytes& file, const char* ext, FileKind kind) {
  std::size_t lines = 0;
  for (auto _ : state) {
    const DecodedFile decoded = Decode(file, ext);
    const std::vector<ShownLine> shown = ShownLines(decoded, file);
    lines = shown.size();
    benchmark::DoNotOptimize(shown.data());
    if (decoded.kind != kind) state.SkipWithError("the file was not recognised");
  }
  state.counters["lines"] = static_cast<double>(lines);
}

// The decoding alone: the records, the load map and the disassembly, without the shown lines.
void ModuleDecodeOnly(benchmark::State& state) {
  static const Bytes file = LoadModuleFile();
  for (auto _ : state) {
    const DecodedFile decoded = Decode(file, "CMD");
    benchmark::DoNotOptimize(decoded.disassembly.data());
  }
}

void Basic(benchmark::State& state) {
  static const Bytes file = BasicProgram();
  DecodeAndShow(state, file, "BAS", FileKind::Basic);
}

void Module(benchmark::State& state) {
  static const Bytes file = LoadModuleFile();
  DecodeAndShow(state, file, "CMD", FileKind::Cmd);
}

}  // namespace
}  // namespace m1::bench

int main(int argc, char** argv) {
  using namespace m1::bench;
  const std::vector<Row> rows = {
      Measured("48 KB BASIC program decoded and listed", "ContentBasic/48KB", Basic, 2000),
      Measured("16 KB /CMD: records, load map and disassembly", "ContentCmdDecode/16KB",
               ModuleDecodeOnly, 2000),
      Measured("16 KB /CMD: the same and its shown lines", "ContentCmd/16KB", Module, 0),
  };
  return RunAndReport(argc, argv, rows);
}
