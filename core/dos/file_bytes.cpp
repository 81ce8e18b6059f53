#include "core/dos/file_bytes.h"

#include <algorithm>

namespace m1 {

namespace {

constexpr std::int64_t kFileSectorBytes = 256;  // every DOS here keeps a file in 256-byte sectors

bool DataCrcBad(const SectorRecord& r) {
  return r.dataCrc && !r.dataCrc->ok;
}

// What stands in for bytes the image does not hold.
std::string Zeros(std::size_t n) {
  return std::to_string(n) + (n == 1 ? " zero byte stands" : " zero bytes stand") +
         " in their place";
}

}  // namespace

FileBytes ReadFileBytes(std::span<const std::uint8_t> image, const Listing& listing,
                        const DosFile& file) {
  FileBytes out;
  const std::int64_t size = std::max<std::int64_t>(file.size, 0);
  const std::int64_t records = (size + kFileSectorBytes - 1) / kFileSectorBytes;
  const auto problem = [&out](std::size_t k, const FileSector& s, const std::string& what) {
    out.problems.push_back({k, s.cylinder, s.head, s.sector,
                            "record " + std::to_string(k + 1) + " (track " +
                                std::to_string(s.cylinder) + " side " + std::to_string(s.head) +
                                " sector " + std::to_string(s.sector) + "): " + what});
  };
  for (std::size_t k = 0; k < file.sectors.size() && static_cast<std::int64_t>(k) < records; ++k) {
    const FileSector& s = file.sectors[k];
    const auto want = static_cast<std::size_t>(
        std::min(kFileSectorBytes, size - static_cast<std::int64_t>(k) * kFileSectorBytes));
    std::vector<std::uint8_t> data;
    if (!s.record || *s.record >= listing.records.size()) {
      problem(k, s, "no such sector in the image; " + Zeros(want));
    } else {
      const SectorRecord& r = listing.records[*s.record];
      data = SectorData(image, r);
      if (!r.dataOffset) {
        problem(k, s, "no data field; " + Zeros(want));
      } else if (data.size() < want) {
        problem(k, s,
                "the image holds " + std::to_string(data.size()) + " of its " +
                    std::to_string(want) + " bytes; " + Zeros(want - data.size()));
      }
      if (DataCrcBad(r)) problem(k, s, "data CRC bad");
    }
    data.resize(want, 0x00);
    out.bytes.insert(out.bytes.end(), data.begin(), data.end());
  }
  if (static_cast<std::int64_t>(file.sectors.size()) < records) {
    const std::size_t from = file.sectors.size();
    const std::string which =
        static_cast<std::int64_t>(from) + 1 == records
            ? "record " + std::to_string(records)
            : "records " + std::to_string(from + 1) + " to " + std::to_string(records);
    out.problems.push_back({from, -1, -1, -1,
                            which + ": past the sectors its extents hold; the file ends at byte " +
                                std::to_string(out.bytes.size())});
  }
  return out;
}

std::optional<std::size_t> RecordOfFileOffset(const DosFile& file, std::int64_t offset) {
  if (offset < 0 || offset >= file.size) return std::nullopt;
  const auto k = static_cast<std::size_t>(offset / kFileSectorBytes);
  if (k >= file.sectors.size()) return std::nullopt;
  return file.sectors[k].record;
}

}  // namespace m1
