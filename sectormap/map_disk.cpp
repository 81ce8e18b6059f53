#include "sectormap/map_disk.h"

#include <algorithm>
#include <span>

namespace m1 {

const DiskFacts& MapDisk::Facts() {
  if (readFor_ != map_.filesLoaded) {
    // The map's buffer holds the file and one spare zero byte.
    const std::size_t held = map_.filebuf.empty() ? 0 : map_.filebuf.size() - 1;
    const std::size_t size =
        std::min(held, static_cast<std::size_t>(std::max<std::int32_t>(map_.fileend, 0)));
    facts_ = DiskFacts::Read(std::span<const std::uint8_t>(map_.filebuf.data(), size));
    readFor_ = map_.filesLoaded;
  }
  return *facts_;
}

StatusParts MapDisk::PartsAt(Twips x, Twips y) {
  const std::optional<form1::DrawnSector> drawn = map_.SectorAt(x, y);
  if (!drawn) return {};
  const DiskFacts& facts = Facts();
  const auto record =
      drawn->idField ? facts.RecordWithId(drawn->offset) : facts.RecordWithData(drawn->offset);
  return record ? facts.Status(*record) : StatusParts();
}

}  // namespace m1
