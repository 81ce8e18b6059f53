#include "core/disk_facts.h"

#include <algorithm>

#include "core/container/record_text.h"
#include "core/design/index_reach.h"

namespace m1 {

namespace {

// What the granules of a deleted file or of a run allocated to no file hold ("basic", "cmd",
// "text"), for the file system's reader.
// SEAM: the recogniser is GuessHolds of core/content/file_kind.h, not yet part of the core. Once it
// is, the body becomes
//   const std::optional<FileKind> kind = GuessHolds(bytes);
//   return kind ? std::optional<std::string>(KindName(*kind)) : std::nullopt;
// Until then nothing is recognised: no deleted file reads as "recoverable" and no run says what it
// holds.
std::optional<std::string> GuessContents(std::span<const std::uint8_t> bytes) {
  (void)bytes;
  return std::nullopt;
}

}  // namespace

std::unique_ptr<const DiskFacts> DiskFacts::Read(std::span<const std::uint8_t> file,
                                                 FactsOptions options) {
  auto facts = std::make_unique<DiskFacts>();
  facts->file = file;
  facts->listing = ListSectors(file);
  if (options.indexReach) MarkIndexReach(file, facts->listing);
  if (options.fileSystem && facts->listing.format) {
    facts->fs = ReadFileSystem(file, facts->listing, GuessContents);
  }
  return facts;
}

std::string DiskFacts::Explain(std::int64_t offset) const {
  if (!explainer_) explainer_ = std::make_unique<ByteExplainer>(file, listing, fs ? &*fs : nullptr);
  return explainer_->Explain(offset);
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

FileBytes DiskFacts::BytesOf(std::size_t fileIndex) const {
  if (!fs || fileIndex >= fs->files.size()) return {};
  return ReadFileBytes(file, listing, fs->files[fileIndex]);
}

std::string DiskFacts::StatusText(std::size_t record) const {
  if (record >= listing.records.size()) return {};
  const SectorRecord& r = listing.records[record];
  std::string text = SectorName(r) + ": " + HealthText(r);
  if (const std::string owner = Owner(record); !owner.empty()) text += "; " + owner;
  return text;
}

}  // namespace m1
