#include "platform/files.h"

namespace m1 {

DiskFiles::DiskFiles() = default;
DiskFiles::~DiskFiles() = default;

void DiskFiles::CloseAll() {
  file_.reset();
}

bool DiskFiles::Open(const std::string& path) {
  CloseAll();
  if (path.empty()) return false;
  auto file = std::make_unique<ReadOnlyFile>(path);
  if (!file->Ok()) return false;
  file_ = std::move(file);
  return true;
}

bool DiskFiles::ReadAll(std::vector<std::uint8_t>& out, std::size_t tail) {
  out.clear();
  if (!file_ || file_->Length() < 0) return false;
  const auto length = static_cast<std::size_t>(file_->Length());
  out.assign(length + tail, 0);
  // A file that shrank under us keeps zeros for the rest; one that gives nothing is not read.
  if (file_->Read(out.data(), length) == 0 && length > 0) {
    out.clear();
    return false;
  }
  return true;
}

}  // namespace m1
