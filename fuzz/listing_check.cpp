#include "fuzz/listing_check.h"

#include <bit>

#include "core/listing.h"

namespace m1::fuzzing {

namespace {

constexpr std::uint32_t kCut = kRemarkCutByTrack | kRemarkCutByFile;
constexpr std::uint32_t kKnownRemarks = (kRemarkNoIdMark << 1) - 1;

std::string Where(std::size_t i) {
  return "record " + std::to_string(i) + ": ";
}

}  // namespace

std::vector<std::string> CheckListing(std::span<const std::uint8_t> bytes) {
  std::vector<std::string> faults;
  const Listing listing = ListSectors(bytes);
  const auto size = static_cast<std::int64_t>(bytes.size());
  if (listing.error && (listing.format || !listing.records.empty())) {
    faults.push_back("an error with a format or records");
  }
  if (listing.Summary().records != static_cast<int>(listing.records.size())) {
    faults.push_back("the summary does not count every record");
  }
  for (std::size_t i = 0; i < listing.records.size(); ++i) {
    const SectorRecord& r = listing.records[i];
    const int step = r.Step();
    if (r.dataPresent < 0 || r.dataPresent > r.size) faults.push_back(Where(i) + "dataPresent");
    if (r.dataOffset && (r.remarks & kCut) == 0 && r.dataPresent != r.size) {
      faults.push_back(Where(i) + "an uncut record without all its data");
    }
    if (r.dataCrc && r.dataCrc->written && r.dataPresent != r.size) {
      faults.push_back(Where(i) + "a data CRC checked without all the data");
    }
    if (r.dataPresent > 0 && (!r.dataOffset || *r.dataOffset < 0 ||
                              *r.dataOffset + std::int64_t{r.dataPresent - 1} * step >= size)) {
      faults.push_back(Where(i) + "data present outside the file");
    }
    // A record with data has an index or the remark; one without has neither.
    if ((r.dataOffset && r.sectorIndex.has_value() == r.Has(kRemarkNotIndexed)) ||
        (!r.dataOffset && (r.sectorIndex || r.Has(kRemarkNotIndexed)))) {
      faults.push_back(Where(i) + "sector index and remark disagree");
    }
    const std::vector<std::uint8_t> data = SectorData(bytes, r);
    if (static_cast<int>(data.size()) != (r.dataOffset ? r.dataPresent : 0)) {
      faults.push_back(Where(i) + "SectorData gave " + std::to_string(data.size()) + " bytes");
    }
    for (std::size_t k = 0; k < data.size() && r.dataOffset; ++k) {
      const std::int64_t at = *r.dataOffset + static_cast<std::int64_t>(k) * step;
      if (at < 0 || at >= size || data[k] != bytes[static_cast<std::size_t>(at)]) {
        faults.push_back(Where(i) + "data byte " + std::to_string(k) + " is not the file's");
        break;
      }
    }
    const auto found = listing.Find(r.cylinder, r.head, r.sector);
    if (!found || *found >= listing.records.size() ||
        listing.records[*found].cylinder != r.cylinder || listing.records[*found].head != r.head ||
        listing.records[*found].sector != r.sector) {
      faults.push_back(Where(i) + "Find does not find its sector");
    }
    if (RemarkTexts(r).size() != static_cast<std::size_t>(std::popcount(r.remarks)) ||
        (r.remarks & ~kKnownRemarks) != 0 || HealthText(r).empty()) {
      faults.push_back(Where(i) + "texts");
    }
    if (faults.size() > 20) break;
  }
  return faults;
}

}  // namespace m1::fuzzing
