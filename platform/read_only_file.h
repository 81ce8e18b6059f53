// A file opened for reading only: the one way the windows and m1view-info open and read a file.
// It is opened O_RDONLY, without blocking on a FIFO or a device, and only a regular file is
// accepted; nothing here can write to a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace m1 {

class ReadOnlyFile {
 public:
  enum class Failure { None, CannotOpen, CannotStat, Folder, NotRegular };

  explicit ReadOnlyFile(const std::string& path);
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
  ~ReadOnlyFile();

  bool Ok() const { return failure_ == Failure::None; }
  Failure WhyNot() const { return failure_; }
  // The errno of the last failure of the open, the status or a read; 0 when none failed.
  int Error() const { return error_; }
  std::int64_t Length() const { return length_; }

  // Reads up to n bytes from the start of the file into out; returns how many it read, fewer when
  // the file ended sooner (it shrank since it was opened) or a read failed (Error() is then set).
  std::size_t Read(std::uint8_t* out, std::size_t n);

 private:
  int fd_ = -1;
  Failure failure_ = Failure::None;
  int error_ = 0;
  std::int64_t length_ = 0;
};

}  // namespace m1
