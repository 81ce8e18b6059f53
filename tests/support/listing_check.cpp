#include "tests/support/listing_check.h"

#include <bit>

#include "core/container/record_text.h"
#include "core/disk_facts.h"

namespace m1::fuzzing {

namespace {

constexpr std::uint32_t kCut = kRemarkCutByTrack | kRemarkCutByFile;
constexpr std::uint32_t kKnownRemarks = (kRemarkPastHeader << 1) - 1;

std::string Where(std::size_t i) {
  return "record " + std::to_string(i) + ": ";
}

}  // namespace

std::vector<std::string> CheckListing(std::span<const std::uint8_t> bytes) {
  std::vector<std::string> faults;
  const std::unique_ptr<const DiskFacts> facts = DiskFacts::Read(bytes, {.indexReach = true});
  const Listing& listing = facts->listing;
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
    // Only a record with data can be out of the main window's reach.
    if (!r.dataOffset && r.Has(kRemarkNotIndexed)) {
      faults.push_back(Where(i) + "out of the index's reach without data");
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

  // The explanation of every byte (of a spread of 1024 in a file over 8 KiB), from the listing and
  // whatever file system is read from it: never empty, "past the end" exactly outside the file.
  constexpr std::int64_t kEveryByteUpTo = 8192;
  const std::int64_t step = size <= kEveryByteUpTo ? 1 : size / 1024 + 1;
  std::vector<std::int64_t> offsets = {-1, size};
  for (std::int64_t at = 0; at < size; at += step) offsets.push_back(at);
  for (const std::int64_t at : offsets) {
    const std::string text = facts->Explain(at);
    const bool past = text == "past the end of the file";
    if (text.empty() || past != (at < 0 || at >= size)) {
      faults.push_back("byte " + std::to_string(at) + " explained as \"" + text + "\"");
      break;
    }
  }
  return faults;
}

}  // namespace m1::fuzzing
