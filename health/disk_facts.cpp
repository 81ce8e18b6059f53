#include "health/disk_facts.h"

#include <algorithm>

namespace m1 {

DiskFacts DiskFacts::Read(std::span<const std::uint8_t> file) {
  DiskFacts facts;
  facts.listing = ListSectors(file);
  facts.fs = ReadFileSystem(file, facts.listing);
  return facts;
}

namespace {

std::optional<std::size_t> FirstWith(const std::vector<SectorRecord>& records,
                                     std::optional<std::int64_t> SectorRecord::*field,
                                     std::int64_t offset) {
  const auto it = std::find_if(records.begin(), records.end(),
                               [&](const SectorRecord& r) { return r.*field == offset; });
  if (it == records.end()) return std::nullopt;
  return static_cast<std::size_t>(it - records.begin());
}

}  // namespace

std::optional<std::size_t> DiskFacts::RecordWithData(std::int64_t offset) const {
  return FirstWith(listing.records, &SectorRecord::dataOffset, offset);
}

std::optional<std::size_t> DiskFacts::RecordWithId(std::int64_t offset) const {
  return FirstWith(listing.records, &SectorRecord::idOffset, offset);
}

std::string DiskFacts::Owner(std::size_t record) const {
  return fs && record < listing.records.size() ? fs->OwnerText(record) : std::string();
}

std::string DiskFacts::StatusText(std::size_t record) const {
  if (record >= listing.records.size()) return {};
  const SectorRecord& r = listing.records[record];
  std::string text = "track " + std::to_string(r.track) + " side " + std::to_string(r.side) +
                     " sector " + std::to_string(r.sector) + ": " + HealthText(r);
  if (const std::string owner = Owner(record); !owner.empty()) text += "; " + owner;
  return text;
}

}  // namespace m1
