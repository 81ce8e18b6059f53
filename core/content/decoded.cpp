#include "core/content/decoded.h"

#include "core/text/hex_dump.h"
#include "core/text/number_text.h"

namespace m1 {
namespace {

constexpr int kBytesColumn = 12;  // room for the four bytes of the longest instruction

std::string Hex4(unsigned v) {
  return HexText(v, 4);
}

std::string Span(std::uint16_t first, int length) {
  return Hex4(first) + "-" + Hex4((first + static_cast<unsigned>(length) - 1) & 0xFFFF);
}

// "5200  3E 01        LD A,#01": the address, the bytes in a column of their own, the instruction.
std::string DisasmText(const DisasmLine& line) {
  constexpr std::size_t kBytesAt = 6;
  std::string text;
  text.reserve(kBytesAt + kBytesColumn + 1 + line.text.size());
  AppendHex(text, line.address, 4);
  text += "  ";
  for (const std::uint8_t b : line.bytes) {
    AppendHex(text, b, 2);
    text += ' ';
  }
  text.resize(kBytesAt + kBytesColumn + 1, ' ');
  text += line.text;
  return text;
}

std::string RecordText(const LoadRecord& r) {
  std::string text = TwoDigitHex(r.type) + " " + RecordTypeName(r.type);
  if ((r.type == 0x01 || r.type == 0x10) && r.address) {
    text += "  " + Span(*r.address, r.length) + ", " + PlainText(r.length) + " bytes";
  } else if (r.type == 0x02 && r.address) {
    text += "  " + Hex4(*r.address);
  } else if (r.type == 0x05 || r.type == 0x07 || r.type == 0x1F) {
    text += "  \"" + r.name + "\"";
  } else {
    text += "  " + PlainText(r.length) + " bytes";
  }
  return text;
}

void AddModule(std::vector<ShownLine>& out, const DecodedFile& d) {
  const LoadModule& m = *d.module;
  out.reserve(m.records.size() + m.blocks.size() + d.disassembly.size() + 8);
  out.push_back({"Records:", -1});
  for (const LoadRecord& r : m.records) out.push_back({RecordText(r), r.offset});
  out.push_back({"", -1});
  out.push_back({"Load map:", -1});
  for (const LoadBlock& b : m.blocks) {
    std::string text = Span(b.first, b.length) + "  " + PlainText(b.length) + " bytes";
    for (std::size_t i = 0; i < b.overlaps.size(); ++i) {
      const LoadBlock& under = m.blocks[b.overlaps[i]];
      text += (i == 0 ? "  loads over " : ", ") + Span(under.first, under.length);
    }
    out.push_back({std::move(text), b.offset});
  }
  out.push_back({"", -1});
  out.push_back({m.entry ? "Entry: " + Hex4(*m.entry) : "Entry: none", -1});
  if (m.moduleName) out.push_back({"Module: " + *m.moduleName, -1});
  out.push_back({"", -1});
  for (const DisasmLine& line : d.disassembly) out.push_back({DisasmText(line), line.offset});
}

void AddDump(std::vector<ShownLine>& out, std::span<const std::uint8_t> bytes) {
  std::vector<DumpByte> dump(bytes.begin(), bytes.end());
  const std::span<const DumpByte> all(dump);
  for (std::size_t at = 0; at < dump.size(); at += kDumpBytesPerLine) {
    const std::size_t n = std::min<std::size_t>(kDumpBytesPerLine, dump.size() - at);
    std::string text = HexDumpText(at, all.subspan(at, n));
    if (!text.empty() && text.back() == '\n') text.pop_back();
    out.push_back({std::move(text), static_cast<std::int64_t>(at)});
  }
}

}  // namespace

DecodedFile Decode(std::span<const std::uint8_t> bytes, std::string_view ext) {
  DecodedFile d;
  d.kind = RecogniseKind(bytes, ext);
  switch (d.kind) {
    case FileKind::Basic:
      d.problems = d.basic.emplace(ListBasic(bytes)).problems;
      break;
    case FileKind::Cmd:
      d.problems = d.module.emplace(ReadLoadModule(bytes)).problems;
      d.disassembly = Disassemble(*d.module, bytes);
      break;
    case FileKind::Source:
      d.problems = d.source.emplace(ReadSource(bytes)).problems;
      break;
    case FileKind::Text:
      d.text = ReadTextLines(bytes);
      break;
    case FileKind::Binary:
      break;
  }
  return d;
}

std::vector<ShownLine> ShownLines(const DecodedFile& d, std::span<const std::uint8_t> bytes) {
  std::vector<ShownLine> out;
  switch (d.kind) {
    case FileKind::Basic:
      if (!d.basic) break;
      out.reserve(d.basic->lines.size());
      for (const BasicLine& line : d.basic->lines) {
        out.push_back({PlainText(line.number) + " " + line.text, line.offset});
      }
      break;
    case FileKind::Cmd:
      if (d.module) AddModule(out, d);
      break;
    case FileKind::Source:
      if (!d.source) break;
      if (d.source->name) out.push_back({"Name: " + *d.source->name, 0});
      for (const TextLine& line : d.source->lines) out.push_back({line.text, line.offset});
      break;
    case FileKind::Text:
      for (const TextLine& line : d.text) out.push_back({line.text, line.offset});
      break;
    case FileKind::Binary:
      AddDump(out, bytes);
      break;
  }
  return out;
}

}  // namespace m1
