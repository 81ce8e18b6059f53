// A file's bytes as the image holds them: the data of its sectors in the file's order, cut to the
// size its directory entry gives. Nothing is made up: a sector the image lacks, or holds only in
// part, is named as a problem and its bytes filled with zeros only so that every later byte keeps
// its offset; a sector whose data CRC is bad gives the bytes the image holds, and is named too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/container/listing.h"
#include "core/dos/filesystem.h"

namespace m1 {

struct FileBytesProblem {
  std::size_t record = 0;  // 0-based record of the file
  // The sector the file's extents name; -1 each for records past the sectors they name.
  int cylinder = 0, head = 0, sector = 0;
  // "record 4 (track 17 side 0 sector 4): no such sector in the image; 256 zero bytes stand in
  // their place", "...: data CRC bad"; the record counted from 1 in the text, as the owner texts
  // count it.
  std::string text;
};

struct FileBytes {
  // Offset k of the file lies in file sector k / 256. Shorter than the directory's size only when
  // the file's extents hold too few sectors for it (a problem says so).
  std::vector<std::uint8_t> bytes;
  std::vector<FileBytesProblem> problems;
};

FileBytes ReadFileBytes(std::span<const std::uint8_t> image, const Listing& listing,
                        const DosFile& file);

// Where a byte of the file lies: the listing record of file sector offset / 256; nothing for an
// offset outside the file's size or a sector the image lacks.
std::optional<std::size_t> RecordOfFileOffset(const DosFile& file, std::int64_t offset);

}  // namespace m1
