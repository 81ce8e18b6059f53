// What every byte of an image file is: the container's structure (header fields, pointer tables,
// sector headers, ID and data fields, CRCs, gaps) and, where a file system is known, whose data it
// holds. Built once per image from the physical listing and the file system; each answer is a
// short text for a status bar, a tooltip or m1view-info --at.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "core/filesystem.h"
#include "core/listing.h"

namespace m1 {

class ByteExplainer {
 public:
  // fs may be null (no file system recognised). The explainer keeps references to all three.
  ByteExplainer(std::span<const std::uint8_t> file, const Listing& listing, const FileSystem* fs);

  // For example "DMK header: track length (2 bytes, 6400)", "track image 12, pointer 3: ID address
  // mark at +0x0134, double density", "ID field of track 12 side 0 sector 4: sector number; ID CRC
  // ok", "data byte 17 of track 12 side 0 sector 4 (BASIC/CMD, record 9)", "data CRC (bad: written
  // 1A2B, computed 3C4D)", "gap". An offset outside the file gives "past the end of the file".
  std::string Explain(std::int64_t offset) const;

 private:
  std::span<const std::uint8_t> file_;
  const Listing& listing_;
  const FileSystem* fs_;
};

}  // namespace m1
