#include "core/explained_file.h"

namespace m1 {

ExplainedFile::ExplainedFile(std::span<const std::uint8_t> file)
    : listing_(ListSectors(file)),
      fs_(ReadFileSystem(file, listing_)),
      explainer_(file, listing_, fs_ ? &*fs_ : nullptr) {}

std::optional<std::size_t> ExplainedFile::RecordWithId(std::int64_t offset) const {
  for (std::size_t i = 0; i < listing_.records.size(); ++i) {
    if (listing_.records[i].idOffset == offset) return i;
  }
  return std::nullopt;
}

std::string ExplainedFile::Owner(std::size_t record) const {
  return fs_ ? fs_->OwnerText(record) : std::string();
}

}  // namespace m1
