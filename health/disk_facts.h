// What the Disk windows and the status bars know of one image: its physical listing and its file
// system, read once each time a window takes up another image, and the texts they show of a
// sector record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/filesystem.h"
#include "core/listing.h"

namespace m1 {

struct DiskFacts {
  Listing listing;
  std::optional<FileSystem> fs;  // nothing when no file system is recognised

  static DiskFacts Read(std::span<const std::uint8_t> file);

  // The record whose first data byte lies at offset, or whose ID address mark (JV3: header entry)
  // does; nothing when no record has it.
  std::optional<std::size_t> RecordWithData(std::int64_t offset) const;
  std::optional<std::size_t> RecordWithId(std::int64_t offset) const;

  // "track 12 side 0 sector 4: ID CRC ok, data CRC ok; BASIC/CMD, record 3 of 18": where the
  // record stands, its health and, where a file system is known, its owner.
  std::string StatusText(std::size_t record) const;
  // The owner of a record; empty without a file system.
  std::string Owner(std::size_t record) const;
};

}  // namespace m1
