// The sector map's view of its image: the facts of the file it shows, read once per file it reads,
// and the status line for the sector under the mouse.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/disk_facts.h"
#include "sectormap/form1.h"

namespace m1 {

class MapDisk {
 public:
  explicit MapDisk(form1& map) : map_(map) {}

  // The facts of the file on show, read again when the map read another since.
  const DiskFacts& Facts();
  // The status line for the point (x, y) of the page, in twips: the place, health and owner of
  // the sector drawn there; empty where none is.
  std::string StatusAt(Twips x, Twips y) { return PartsAt(x, y).Line(); }
  StatusParts PartsAt(Twips x, Twips y);

 private:
  form1& map_;
  std::unique_ptr<const DiskFacts> facts_;
  std::optional<std::uint64_t> readFor_;  // the map's file count the facts belong to
};

}  // namespace m1
