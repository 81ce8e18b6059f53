// The JV1 listing: the file is the sectors one after another, ten of 256 bytes a track, one side,
// no ID fields and no CRCs. The layout of the container is in jv1_format.h.
#include <algorithm>

#include "core/container/container_listing.h"
#include "core/container/jv1_format.h"

namespace m1 {

void ListJv1(const ByteReader& file, Listing& listing) {
  const auto size = static_cast<std::int64_t>(file.size());
  listing.records.reserve(
      static_cast<std::size_t>((size + jv1::kSectorBytes - 1) / jv1::kSectorBytes));
  for (std::int64_t at = 0; at < size; at += jv1::kSectorBytes) {
    SectorRecord r;
    r.image = static_cast<int>(at / jv1::kSectorBytes);
    r.cylinder = r.track = static_cast<int>(at / jv1::kTrackBytes);
    r.sector = r.image % jv1::kSectorsPerTrack;
    r.sizeCode = 1;  // 256 bytes, as an ID field would record it
    r.size = jv1::kSectorBytes;
    r.dataOffset = at;
    r.dataPresent = static_cast<int>(std::min<std::int64_t>(jv1::kSectorBytes, size - at));
    if (r.dataPresent < r.size) r.remarks |= kRemarkCutByFile;
    listing.records.push_back(r);
  }
  listing.singleDensity = !listing.records.empty();
}

}  // namespace m1
