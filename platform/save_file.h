// Writing a file where the user chose, in a Save dialog that has asked before replacing a file:
// the one way the windows write to the machine's files. A disk image is never written: the windows
// refuse its path (SameFile) before they save.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace m1 {

// Writes bytes to path: a new file, or in place of the regular file there, whose permissions it
// keeps (a symbolic link is followed to the file it names). The bytes go to a new file beside it
// first, renamed over it once written whole, so that a failed write leaves the old file as it was.
// A folder or anything but a regular file at path is refused. False, with the reason in *error,
// when nothing was written.
bool SaveBytes(const std::string& path, std::span<const std::uint8_t> bytes, std::string* error);

// True when the two paths name one file of the machine (one device and inode: a link or another
// spelling of the path counts), or are the same text.
bool SameFile(const std::string& a, const std::string& b);

// The two above, as the window logic sees them.
class SaveFiles {
 public:
  virtual ~SaveFiles() = default;
  virtual bool Save(const std::string& path, std::span<const std::uint8_t> bytes,
                    std::string* error) = 0;
  virtual bool Same(const std::string& a, const std::string& b) const = 0;
};

// The files of the machine, through POSIX.
class DiskSaveFiles final : public SaveFiles {
 public:
  bool Save(const std::string& path, std::span<const std::uint8_t> bytes,
            std::string* error) override {
    return SaveBytes(path, bytes, error);
  }
  bool Same(const std::string& a, const std::string& b) const override { return SameFile(a, b); }
};

}  // namespace m1
