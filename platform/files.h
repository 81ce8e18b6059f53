// Files as the windows use them: at most one file open at a time (file number 1), opened for
// reading only, whose length can be asked and which is read whole into a buffer. Nothing here can
// write to a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/read_only_file.h"

namespace m1 {

class Files {
 public:
  virtual ~Files() = default;
  // Closes every open file of the program.
  virtual void CloseAll() = 0;
  // Opens the file at path for reading as file number 1 (closing any file open before). False when
  // it cannot be opened: no such file, an empty path, a folder, no permission.
  virtual bool Open(const std::string& path) = 0;
  virtual bool IsOpen() const = 0;
  // Length of file 1 in bytes; 0 when no file is open.
  virtual std::int64_t Length() const = 0;
  // Reads file 1 whole into out, which then holds the file's bytes followed by tail zero bytes.
  // False (and out emptied) when no file is open or the read fails.
  virtual bool ReadAll(std::vector<std::uint8_t>& out, std::size_t tail) = 0;
};

// Files of the machine, through POSIX open(O_RDONLY). Used by the viewer and the probe alike.
class DiskFiles final : public Files {
 public:
  DiskFiles();
  DiskFiles(const DiskFiles&) = delete;
  DiskFiles& operator=(const DiskFiles&) = delete;
  ~DiskFiles() override;
  void CloseAll() override;
  bool Open(const std::string& path) override;
  bool IsOpen() const override { return file_ != nullptr; }
  std::int64_t Length() const override { return file_ ? file_->Length() : 0; }
  bool ReadAll(std::vector<std::uint8_t>& out, std::size_t tail) override;

 private:
  std::unique_ptr<ReadOnlyFile> file_;
};

}  // namespace m1
