// The program only reads: an image opened in all three windows and paged through keeps its bytes
// and its modification time, and every file is opened for reading only.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>

#include "hexview/form2.h"
#include "platform/files.h"
#include "platform/platform.h"
#include "platform/recording.h"
#include "tests/robustness/images.h"
#include "tests/support/window_drivers.h"

namespace m1::robustness {
namespace {

// The seconds and nanoseconds of a file time, as stat gives them.
using FileTime = decltype(std::declval<struct stat>().st_mtim);

struct Stamp {
  off_t size;
  FileTime mtime;
};

Stamp StampOf(const std::filesystem::path& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0);
  return {st.st_size, st.st_mtim};
}

// The access mode of an open descriptor of this process on path, from /proc/self/fdinfo.
std::optional<int> AccessModeOfOpen(const std::filesystem::path& path) {
  const std::filesystem::path wanted = std::filesystem::canonical(path);
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::read_symlink(entry.path(), error);
    if (error || target != wanted) continue;
    std::ifstream info("/proc/self/fdinfo/" + entry.path().filename().string());
    std::string key;
    while (info >> key) {
      if (key == "flags:") {
        std::string octal;
        info >> octal;
        return static_cast<int>(std::stol(octal, nullptr, 8)) & O_ACCMODE;
      }
    }
  }
  return std::nullopt;
}

TEST(ReadOnly, PagingAnImageInAllThreeWindowsLeavesItsBytesAndTimeAlone) {
  TempDir dir;
  for (const Image& image : AllImages()) {
    const std::filesystem::path path = dir.path() / image.name;
    WriteFile(path, image.bytes);
    // A modification time in the past, to the nanosecond, that any write would replace.
    const FileTime times[2] = {{978307200, 123456789}, {978307200, 123456789}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    const Stamp before = StampOf(path);

    DiskFiles files;
    for (const fuzzing::DriveReport& r :
         {fuzzing::DriveMain(files, path.string(), image.bytes, fuzzing::kLight),
          fuzzing::DriveMap(files, path.string(), image.bytes, fuzzing::kLight),
          fuzzing::DriveHex(files, path.string(), image.bytes, fuzzing::kLight)}) {
      EXPECT_TRUE(r.ok()) << image.name << ":\n" << Joined(r.faults);
    }

    const Stamp after = StampOf(path);
    EXPECT_EQ(after.size, before.size) << image.name;
    EXPECT_EQ(after.mtime.tv_sec, 978307200) << image.name;
    EXPECT_EQ(after.mtime.tv_nsec, 123456789) << image.name;
    EXPECT_EQ(ReadFile(path), image.bytes) << image.name;
  }
}

TEST(ReadOnly, FilesAreOpenedForReadingOnly) {
  TempDir dir;
  const std::filesystem::path path = dir.path() / "image.dsk";
  WriteFile(path, AllImages().front().bytes);
  DiskFiles files;
  ASSERT_TRUE(files.Open(path.string()));
  EXPECT_EQ(AccessModeOfOpen(path), O_RDONLY);
  files.CloseAll();
  EXPECT_EQ(AccessModeOfOpen(path), std::nullopt);
}

TEST(ReadOnly, TheHexWindowKeepsAHandedOverFileOpenForReadingOnly) {
  TempDir dir;
  const std::filesystem::path path = dir.path() / "image.dmk";
  WriteFile(path, AllImages().front().bytes);
  RecordingPlatform rec;
  form2 hex(rec.platform);
  hex.Form_Load();
  rec.module.SharedFilename = path.string();
  hex.Form_Activate();
  ASSERT_EQ(hex.openflag, 1);
  EXPECT_TRUE(rec.dialogs.messages.empty());
  EXPECT_EQ(AccessModeOfOpen(path), O_RDONLY);
}

}  // namespace
}  // namespace m1::robustness
