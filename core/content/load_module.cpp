// A load module is a sequence of records, each
//   1 byte   the type (00-1F; a byte above 1F is not a record)
//   1 byte   the length of what follows
//   n bytes  the record
// For a load block (01) the record is a 2-byte little-endian load address and the data; its
// length counts the address, and a length of 0, 1 or 2 means 256, 257 or 258 (254 to 256 data
// bytes). For every other type a length of 0 means 256. A transfer address (02) holds the entry
// address and ends the module, as an end of file (03) does without one: bytes after it are not
// part of the module. (The record types are those of the LDOS and TRSDOS technical references.)
#include "core/content/load_module.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/container/byte_reader.h"
#include "core/content/visible_char.h"
#include "core/text/number_text.h"

namespace m1 {
namespace {

enum RecordType : int {
  kSkip = 0x00,
  kLoadBlock = 0x01,
  kTransfer = 0x02,
  kEndOfFile = 0x03,
  kMemberEnd = 0x04,
  kModuleHeader = 0x05,
  kPdsHeader = 0x06,
  kPatchName = 0x07,
  kIsamEntry = 0x08,
  kIsamEnd = 0x0A,
  kPdsEntry = 0x0C,
  kPdsEnd = 0x0E,
  kYankedBlock = 0x10,
  kCopyright = 0x1F,
};
constexpr int kLastType = 0x1F;
constexpr int kAddressBytes = 2;
constexpr int kShortBlock = 3;  // a load block length below this is 256 more
constexpr int kLengthZero = 256;
constexpr int kAddressSpace = 0x10000;

const char* KnownName(int type) {
  switch (type) {
    case kSkip:
      return "skip";
    case kLoadBlock:
      return "load block";
    case kTransfer:
      return "transfer address";
    case kEndOfFile:
      return "end of file";
    case kMemberEnd:
      return "end of ISAM/PDS member";
    case kModuleHeader:
      return "module header";
    case kPdsHeader:
      return "PDS header";
    case kPatchName:
      return "patch name";
    case kIsamEntry:
      return "ISAM directory entry";
    case kIsamEnd:
      return "end of ISAM directory";
    case kPdsEntry:
      return "PDS directory entry";
    case kPdsEnd:
      return "end of PDS directory";
    case kYankedBlock:
      return "yanked load block";
    case kCopyright:
      return "copyright block";
    default:
      return nullptr;
  }
}

bool IsLoadBlock(int type) {
  return type == kLoadBlock || type == kYankedBlock;
}

// The bytes a record holds after its length byte.
int RecordLength(int type, std::uint8_t lengthByte) {
  if (IsLoadBlock(type)) return lengthByte < kShortBlock ? lengthByte + kLengthZero : lengthByte;
  return lengthByte == 0 ? kLengthZero : lengthByte;
}

std::string Text(std::span<const std::uint8_t> bytes) {
  std::string text;
  for (const std::uint8_t b : bytes) AppendVisible(text, b);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::string At(std::int64_t offset) {
  return "at " + HexText(static_cast<unsigned long long>(offset));
}

// The addresses a block fills, as one or two ranges [first, last] (two when it wraps past FFFF).
using Range = std::pair<int, int>;
std::array<Range, 2> Ranges(const LoadBlock& b, int& count) {
  const int last = b.first + b.length - 1;
  if (last < kAddressSpace) {
    count = 1;
    return {Range{b.first, last}, Range{}};
  }
  count = 2;
  return {Range{b.first, kAddressSpace - 1}, Range{0, last - kAddressSpace}};
}

bool Overlap(const LoadBlock& a, const LoadBlock& b) {
  int na = 0;
  int nb = 0;
  const auto ra = Ranges(a, na);
  const auto rb = Ranges(b, nb);
  for (int i = 0; i < na; ++i) {
    for (int j = 0; j < nb; ++j) {
      if (ra[i].first <= rb[j].second && rb[j].first <= ra[i].second) return true;
    }
  }
  return false;
}

}  // namespace

std::string RecordTypeName(int type) {
  if (const char* name = KnownName(type)) return name;
  return "unknown record type 0x" + TwoDigitHex(type);
}

LoadModule ReadLoadModule(std::span<const std::uint8_t> bytes) {
  LoadModule module;
  const ByteReader in(bytes);
  std::int64_t at = 0;
  while (!module.complete) {
    const auto type = in.byte(at);
    if (!type) {
      module.problems.push_back(bytes.empty() ? "the file is empty"
                                              : "the file ends without a transfer address (02) "
                                                "or end of file (03) record");
      break;
    }
    if (*type > kLastType) {
      module.problems.push_back(At(at) + ": " + TwoDigitHex(*type) +
                                " is not a record type (they end at 1F); the module ends here");
      break;
    }
    const auto lengthByte = in.byte(at + 1);
    if (!lengthByte) {
      module.problems.push_back(At(at) + ": the file ends inside the " + RecordTypeName(*type));
      break;
    }
    int length = RecordLength(*type, *lengthByte);
    // The loader stops at an end of file record without reading what it says follows.
    if (*type == kEndOfFile && !in.Holds(at + 2, length)) {
      length = static_cast<int>(static_cast<std::int64_t>(bytes.size()) - at - 2);
    }
    const auto body = in.bytes(at + 2, length);
    if (!body) {
      module.problems.push_back(At(at) + ": the " + RecordTypeName(*type) + " needs " +
                                PlainText(length) + " bytes; the file ends " +
                                PlainText(static_cast<long long>(bytes.size()) - at - 2) +
                                " bytes on");
      break;
    }
    LoadRecord record;
    record.type = *type;
    record.offset = at;
    record.length = IsLoadBlock(*type) ? length - kAddressBytes : length;
    const ByteReader data(*body);
    switch (*type) {
      case kLoadBlock: {
        record.address = static_cast<std::uint16_t>(*data.le16(0));
        LoadBlock block{*record.address, record.length, at + 2 + kAddressBytes, {}};
        for (std::size_t i = 0; i < module.blocks.size(); ++i) {
          if (Overlap(block, module.blocks[i])) block.overlaps.push_back(i);
        }
        if (block.first + block.length > kAddressSpace) {
          module.problems.push_back(At(at) + ": the load block runs past FFFF and goes on at 0000");
        }
        module.blocks.push_back(std::move(block));
        break;
      }
      case kYankedBlock:
        record.address = static_cast<std::uint16_t>(*data.le16(0));
        break;
      case kTransfer:
        if (const auto entry = data.le16(0)) {
          record.address = static_cast<std::uint16_t>(*entry);
          module.entry = record.address;
        } else {
          module.problems.push_back(At(at) + ": the transfer address record holds 1 byte, not 2");
        }
        module.complete = true;
        break;
      case kEndOfFile:
        module.complete = true;
        break;
      case kModuleHeader:
      case kPatchName:
      case kCopyright:
        record.name = Text(*body);
        if (*type == kModuleHeader && !module.moduleName) module.moduleName = record.name;
        break;
      default:
        if (!KnownName(*type)) {
          module.unknownTypes = true;
          module.problems.push_back(At(at) + ": " + RecordTypeName(*type) +
                                    ", passed over by its length");
        }
        break;
    }
    module.records.push_back(std::move(record));
    at += 2 + length;
    module.end = at;
  }
  return module;
}

bool LooksLikeLoadModule(std::span<const std::uint8_t> bytes) {
  const LoadModule module = ReadLoadModule(bytes);
  const bool chained =
      module.complete || (module.end == static_cast<std::int64_t>(bytes.size()) && module.end > 0);
  return chained && !module.blocks.empty() && !module.unknownTypes;
}

}  // namespace m1
