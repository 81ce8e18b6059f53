// A load module (/CMD, /SYS, /DVR ...): the records the DOS loader reads, and the memory they fill.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace m1 {

struct LoadRecord {
  int type = 0;
  std::int64_t offset = 0;  // of the type byte
  // For a load block (01, and a yanked one, 10) the number of bytes it loads; otherwise the
  // number of bytes after its length byte.
  int length = 0;
  std::optional<std::uint16_t> address;  // where a load block loads; a transfer address
  std::string name;                      // the text of a module header, patch name, copyright
};

// The bytes one load block puts in memory.
struct LoadBlock {
  std::uint16_t first = 0;
  int length = 0;
  std::int64_t offset = 0;            // file offset of its first data byte
  std::vector<std::size_t> overlaps;  // indexes of earlier blocks it loads over
};

struct LoadModule {
  std::vector<LoadRecord> records;
  std::vector<LoadBlock> blocks;
  std::optional<std::uint16_t> entry;
  std::optional<std::string> moduleName;
  std::vector<std::string> problems;
  bool complete = false;      // ended with 02 or 03
  std::int64_t end = 0;       // offset just past the last whole record read
  bool unknownTypes = false;  // a record type (up to 1F) no DOS loader names
};

// True when the bytes read as a load module: records of known types from the first byte on, at
// least one load block among them, chained to a 02 or 03 record or exactly to the end of the file.
bool LooksLikeLoadModule(std::span<const std::uint8_t> bytes);

LoadModule ReadLoadModule(std::span<const std::uint8_t> bytes);

// The record type as the DOS manuals name it: "load block", "transfer address", "end of file" ...
// or "unknown record type 0x1E".
std::string RecordTypeName(int type);

}  // namespace m1
