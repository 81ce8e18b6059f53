// The kind of a file: each reader's own test of the bytes, strictest first. A BASIC program's
// first byte (FF) is no record type and no text; a load module's records must chain to their end;
// source lines start with digits that have bit 7 set, which text has not; text is what is left
// that reads as lines. The extension only chooses among kinds the bytes allow.
#include "core/content/file_kind.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "core/container/byte_reader.h"
#include "core/content/asm_source.h"
#include "core/content/basic.h"
#include "core/content/load_module.h"
#include "core/content/text_file.h"

namespace m1 {
namespace {

struct ExtensionKind {
  std::string_view ext;
  FileKind kind;
};
constexpr std::array<ExtensionKind, 16> kExtensions = {{
    {"BAS", FileKind::Basic},
    {"CMD", FileKind::Cmd},
    {"SYS", FileKind::Cmd},
    {"DVR", FileKind::Cmd},
    {"FLT", FileKind::Cmd},
    {"CIM", FileKind::Cmd},
    {"OBJ", FileKind::Cmd},
    {"APP", FileKind::Cmd},
    {"ASM", FileKind::Source},
    {"SRC", FileKind::Source},
    {"EDT", FileKind::Source},
    {"TXT", FileKind::Text},
    {"DOC", FileKind::Text},
    {"JCL", FileKind::Text},
    {"ASC", FileKind::Text},
    {"LST", FileKind::Text},
}};

std::optional<FileKind> ExtensionNames(std::string_view ext) {
  while (!ext.empty() && (ext.front() == '/' || ext.front() == '.')) ext.remove_prefix(1);
  std::string upper(ext);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const ExtensionKind& e : kExtensions) {
    if (e.ext == upper) return e.kind;
  }
  return std::nullopt;
}

// The lost-file guesses want more than the readers' first test.
constexpr int kConvincingLines = 3;
constexpr std::size_t kConvincingBlocks = 2;
constexpr std::size_t kConvincingText = 64;
constexpr int kConvincingPrintablePercent = 98;
constexpr std::uint8_t kLastRecordType = 0x1F;

bool ConvincingBasic(std::span<const std::uint8_t> bytes) {
  if (ByteReader(bytes).byte(0) != 0xFF) return false;
  const BasicListing listing = ListBasic(bytes);
  const auto lines = static_cast<int>(listing.lines.size());
  return listing.linkedLines >= kConvincingLines ||
         (listing.ended && lines > 0 && listing.linkedLines == lines);
}

bool ConvincingModule(std::span<const std::uint8_t> bytes) {
  const LoadModule module = ReadLoadModule(bytes);
  if (module.unknownTypes || module.blocks.empty()) return false;
  if (module.complete) return true;
  // Records up to where the bytes run out, not up to a byte that is no record type.
  const auto next = ByteReader(bytes).byte(module.end);
  return (!next || *next <= kLastRecordType) && module.blocks.size() >= kConvincingBlocks;
}

bool ConvincingText(std::span<const std::uint8_t> bytes) {
  const std::span<const std::uint8_t> text = bytes.first(TextEnd(bytes));
  if (text.size() < kConvincingText) return false;
  const auto printable = std::count_if(text.begin(), text.end(), [](std::uint8_t b) {
    return (b >= 0x20 && b <= 0x7E) || b == 0x0D || b == 0x0A;
  });
  const auto returns = std::count(text.begin(), text.end(), std::uint8_t{0x0D});
  return static_cast<std::size_t>(printable) * 100 >= text.size() * kConvincingPrintablePercent &&
         returns >= 2;
}

}  // namespace

const char* KindName(FileKind kind) {
  constexpr const char* kNames[] = {"basic", "cmd", "text", "source", "binary"};  // by FileKind
  const auto i = static_cast<std::size_t>(kind);
  return i < std::size(kNames) ? kNames[i] : "binary";
}

FileKind RecogniseKind(std::span<const std::uint8_t> bytes, std::string_view ext) {
  std::array<FileKind, 4> accepted{};
  std::size_t count = 0;
  if (LooksLikeBasic(bytes)) accepted[count++] = FileKind::Basic;
  if (LooksLikeLoadModule(bytes)) accepted[count++] = FileKind::Cmd;
  if (LooksLikeSource(bytes)) accepted[count++] = FileKind::Source;
  if (LooksLikeText(bytes)) accepted[count++] = FileKind::Text;
  if (count == 0) return FileKind::Binary;
  const auto named = ExtensionNames(ext);
  const auto end = accepted.begin() + static_cast<std::ptrdiff_t>(count);
  if (named && std::find(accepted.begin(), end, *named) != end) return *named;
  return accepted[0];
}

std::optional<FileKind> GuessHolds(std::span<const std::uint8_t> bytes) {
  if (ConvincingBasic(bytes)) return FileKind::Basic;
  if (ConvincingModule(bytes)) return FileKind::Cmd;
  if (ConvincingText(bytes)) return FileKind::Text;
  return std::nullopt;
}

}  // namespace m1
