// An image file with everything needed to say what each of its bytes is: the physical listing,
// the file system (when one is recognised) and the byte explainer over both. Built as one object
// because the explainer keeps references to the other parts; the windows build it on the first
// question after a file is read and drop it with the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/explain.h"
#include "core/filesystem.h"
#include "core/listing.h"

namespace m1 {

class ExplainedFile {
 public:
  // file: the image's bytes, which must outlive this object.
  explicit ExplainedFile(std::span<const std::uint8_t> file);
  ExplainedFile(const ExplainedFile&) = delete;
  ExplainedFile& operator=(const ExplainedFile&) = delete;

  std::string Explain(std::int64_t offset) const { return explainer_.Explain(offset); }
  const Listing& listing() const { return listing_; }
  // The record whose ID field (DMK: the ID address mark; JV3: the header entry) starts at offset.
  std::optional<std::size_t> RecordWithId(std::int64_t offset) const;
  // Who owns a record ("BASIC/CMD, record 3 of 18", "GAT", "free"); empty where no file system
  // is known or it says nothing of the record.
  std::string Owner(std::size_t record) const;

 private:
  Listing listing_;
  std::optional<FileSystem> fs_;
  ByteExplainer explainer_;
};

}  // namespace m1
