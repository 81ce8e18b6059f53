// What the program knows of one opened image: its physical listing, its file system (when one is
// recognised) and, made on the first question, the explainer of every byte. Built once each time a
// window or a tool takes up an image, and handed to everything that asks about it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "core/container/listing.h"
#include "core/dos/file_bytes.h"
#include "core/dos/filesystem.h"
#include "core/explain/explain.h"

namespace m1 {

struct FactsOptions {
  // Marks the records that no sector index of the main window reaches (kRemarkNotIndexed): it runs
  // the main window's whole analysis, so only where that remark is shown.
  bool indexReach = false;
  // Reads the DOS directory.
  bool fileSystem = true;
};

class DiskFacts {
 public:
  DiskFacts() = default;
  // The explainer keeps references into the facts: they stay where they were made.
  DiskFacts(const DiskFacts&) = delete;
  DiskFacts& operator=(const DiskFacts&) = delete;

  // file: the image's bytes, which must outlive the facts.
  static std::unique_ptr<const DiskFacts> Read(std::span<const std::uint8_t> file,
                                               FactsOptions options = {});

  std::span<const std::uint8_t> file;
  Listing listing;
  std::optional<FileSystem> fs;  // nothing when no file system is recognised

  // What the byte at offset is (ByteExplainer::Explain), the explainer built on the first call.
  std::string Explain(std::int64_t offset) const;

  // The record whose first data byte lies at offset, or whose ID address mark (JV3: header entry)
  // does; nothing when no record has it.
  std::optional<std::size_t> RecordWithData(std::int64_t offset) const;
  std::optional<std::size_t> RecordWithId(std::int64_t offset) const;

  // "track 12 side 0 sector 4: ID CRC ok, data CRC ok; BASIC/CMD, record 3 of 18": where the
  // record stands, its health and, where a file system is known, its owner.
  std::string StatusText(std::size_t record) const;
  // The owner of a record; empty without a file system.
  std::string Owner(std::size_t record) const;

  // The bytes of file fileIndex of the file system (ReadFileBytes); none without a file system or
  // such a file.
  FileBytes BytesOf(std::size_t fileIndex) const;

 private:
  mutable std::unique_ptr<ByteExplainer> explainer_;
};

}  // namespace m1
