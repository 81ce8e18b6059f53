#include "platform/read_only_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace m1 {

ReadOnlyFile::ReadOnlyFile(const std::string& path) {
  // O_NONBLOCK keeps a FIFO or a device from blocking the open; only regular files are read.
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd_ < 0) {
    failure_ = Failure::CannotOpen;
    error_ = errno;
    return;
  }
  struct stat st {};
  if (::fstat(fd_, &st) != 0) {
    failure_ = Failure::CannotStat;
    error_ = errno;
  } else if (S_ISDIR(st.st_mode)) {
    failure_ = Failure::Folder;
  } else if (!S_ISREG(st.st_mode)) {
    failure_ = Failure::NotRegular;
  } else {
    length_ = static_cast<std::int64_t>(st.st_size);
  }
}

ReadOnlyFile::~ReadOnlyFile() {
  if (fd_ >= 0) ::close(fd_);
}

std::size_t ReadOnlyFile::Read(std::uint8_t* out, std::size_t n) {
  if (!Ok()) return 0;
  std::size_t done = 0;
  while (done < n) {
    const ssize_t got = ::pread(fd_, out + done, n - done, static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) error_ = errno;
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  return done;
}

}  // namespace m1
