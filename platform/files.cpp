#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace m1 {

void DiskFiles::CloseAll() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  length_ = 0;
}

bool DiskFiles::Open(const std::string& path) {
  CloseAll();
  if (path.empty()) return false;
  // O_NONBLOCK keeps a FIFO or device from blocking the open; only regular files are accepted.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  length_ = static_cast<std::int64_t>(st.st_size);
  return true;
}

bool DiskFiles::ReadAll(std::vector<std::uint8_t>& out, std::size_t tail) {
  out.clear();
  if (fd_ < 0 || length_ < 0) return false;
  const auto length = static_cast<std::size_t>(length_);
  out.assign(length + tail, 0);
  std::size_t done = 0;
  while (done < length) {
    const ssize_t n = ::pread(fd_, out.data() + done, length - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // the file shrank under us: the rest stays zero
    done += static_cast<std::size_t>(n);
  }
  if (done < length && done == 0 && length > 0) {
    out.clear();
    return false;
  }
  return true;
}

}  // namespace m1
