#include "platform/save_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace m1 {

namespace {

// Tries this many names for the file written beside the chosen one before giving up.
constexpr int kTemporaryNames = 100;

std::string SystemError(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

bool Fail(std::string* error, std::string text) {
  if (error != nullptr) *error = std::move(text);
  return false;
}

// The file a path names, symbolic links followed; the path itself when it cannot be resolved.
std::string Resolved(const std::string& path) {
  const std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr),
                                                         &std::free);
  return real ? std::string(real.get()) : path;
}

// Writes all of bytes to fd, on through interrupted and partial writes.
bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

bool SaveBytes(const std::string& path, std::span<const std::uint8_t> bytes, std::string* error) {
  if (path.empty()) return Fail(error, "no file named");
  std::string target = path;
  struct stat old {};
  const bool replaces = ::stat(path.c_str(), &old) == 0;
  if (replaces) {
    if (S_ISDIR(old.st_mode)) return Fail(error, "is a folder");
    if (!S_ISREG(old.st_mode)) return Fail(error, "is not a regular file");
    target = Resolved(path);
  } else if (errno != ENOENT) {
    return Fail(error, SystemError("cannot reach it"));
  } else if (struct stat link{}; ::lstat(path.c_str(), &link) == 0) {
    return Fail(error, "is a link to a file that is not there");
  }

  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temporary;
  int fd = -1;
  for (int n = 0; n < kTemporaryNames && fd < 0; ++n) {
    temporary =
        folder + "." + base + ".m1view-" + std::to_string(::getpid()) + "-" + std::to_string(n);
    // 0666 less the umask, as any new file; a replaced file keeps its own permissions below.
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return Fail(error, SystemError("cannot create"));
  }
  if (fd < 0) return Fail(error, "cannot create: too many unfinished saves beside it");

  const bool written = WriteAll(fd, bytes) &&
                       (!replaces || ::fchmod(fd, old.st_mode & 07777) == 0) && ::fsync(fd) == 0;
  std::string why = written ? "" : SystemError("cannot write");
  if (::close(fd) != 0 && why.empty()) why = SystemError("cannot write");
  if (why.empty() && ::rename(temporary.c_str(), target.c_str()) != 0) {
    why = SystemError("cannot replace");
  }
  if (why.empty()) return true;
  ::unlink(temporary.c_str());
  return Fail(error, why);
}

bool SameFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  struct stat sa {
  }, sb{};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

}  // namespace m1
