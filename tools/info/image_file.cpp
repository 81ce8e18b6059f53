#include "tools/info/image_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/listing.h"

namespace m1::info {

namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

std::string SystemError(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

}  // namespace

ImageFile ReadImageFile(const std::string& path) {
  ImageFile f;
  // O_NONBLOCK keeps a FIFO or a device from blocking the open; only regular files are read.
  const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (fd.get() < 0) {
    f.error = SystemError("cannot open");
    return f;
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) {
    f.error = SystemError("cannot read");
    return f;
  }
  if (S_ISDIR(st.st_mode)) {
    f.error = "is a folder";
    return f;
  }
  if (!S_ISREG(st.st_mode)) {
    f.error = "not a regular file";
    return f;
  }
  f.length = static_cast<std::int64_t>(st.st_size);
  if (const auto error = LengthError(f.length)) {
    f.error = *error;
    return f;
  }
  f.bytes.resize(static_cast<std::size_t>(f.length));
  std::size_t done = 0;
  while (done < f.bytes.size()) {
    const ssize_t n =
        ::pread(fd.get(), f.bytes.data() + done, f.bytes.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      f.error = SystemError("cannot read");
      f.bytes.clear();
      return f;
    }
    if (n == 0) break;  // the file shrank while being read: what was read is the image
    done += static_cast<std::size_t>(n);
  }
  f.bytes.resize(done);
  return f;
}

}  // namespace m1::info
