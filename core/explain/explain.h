// What every byte of an image file is: the container's structure (header fields, pointer tables,
// sector headers, ID and data fields, CRCs, gaps) and, where a file system is known, whose data it
// holds. Built once per image from the physical listing and the file system; each answer is a
// short text for a status bar, a tooltip or m1view-info --at.
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
  // The fields of a record that the listing places in the file.
  // JV3 also keeps the data space of a free sector header.
  enum class PieceKind { IdField, IdGap, DataMark, Data, DataCrc, FreeSpace };
  // A run of bytes that belongs to one field of one record.
  struct Piece {
    PieceKind kind;
    std::size_t record;  // index into the listing; FreeSpace: the entry over both tables
    std::int64_t length;
    std::int64_t origin;  // FreeSpace: where the entry's data space starts
  };

  std::string ExplainPiece(const Piece& piece, std::int64_t offset) const;
  std::string ExplainDmk(std::int64_t offset) const;
  static std::string CutText(const SectorRecord& record, const char* field);
  std::string ExplainJv3(std::int64_t offset) const;
  std::string ExplainJv3Entry(std::int64_t table, std::int64_t entry, std::int64_t byte) const;

  std::span<const std::uint8_t> file_;
  const Listing& listing_;
  const FileSystem* fs_;
  std::vector<std::int64_t> starts_;  // sorted, disjoint: piece k covers starts_[k] on
  std::vector<Piece> pieces_;
  std::int64_t trackLength_ = 0;             // DMK: the header's track length, 0 when unusable
  std::int64_t namedImages_ = 0;             // DMK: the track images the header names
  std::vector<int> tableEnds_;               // DMK: the pointers in use of each track image
  std::optional<std::int64_t> secondTable_;  // JV3: where a second header table starts
};

}  // namespace m1
