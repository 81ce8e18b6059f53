// Paths that are no disk image at all: a folder, a file that cannot be read, an empty file, a pipe,
// a missing file, and files far larger than any disk. Each window says so in a message box and
// none of them reads a huge file or waits on a pipe.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/files.h"
#include "tests/robustness/images.h"
#include "tests/support/window_drivers.h"

namespace m1::robustness {
namespace {

using fuzzing::DriveReport;

const RecordedMessage kOpenFailed{"Text Editor",
                                  "Error encountered while trying to open file, please retry.",
                                  MsgIcon::Exclamation};
const RecordedMessage kTooShort{"Error", "** ERROR **\r This file is too short to be a disk image",
                                MsgIcon::None};
const RecordedMessage kTooLarge{"Error", "** ERROR **\r This file is too large to be a disk image",
                                MsgIcon::None};

const RecordedMessage kNoDirectory{"Error", "No Directory was found on this disk", MsgIcon::None};

struct Drives {
  DriveReport main, map, hex;
  double seconds = 0;
};

Drives DriveAllFromDisk(const std::string& path) {
  const auto start = std::chrono::steady_clock::now();
  DiskFiles files;
  Drives d;
  d.main = fuzzing::DriveMain(files, path, {});
  d.map = fuzzing::DriveMap(files, path, {});
  d.hex = fuzzing::DriveHex(files, path, {});
  d.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return d;
}

// Every window showed only this message (at least once), drew nothing and was quick about it.
void ExpectOnly(const Drives& d, const RecordedMessage& message, const char* what) {
  for (const DriveReport* r : {&d.main, &d.map, &d.hex}) {
    EXPECT_TRUE(r->ok()) << what << ":\n" << Joined(r->faults);
    ASSERT_FALSE(r->messages.empty()) << what;
    for (const RecordedMessage& m : r->messages) {
      // " To Directory" still answers on a refused file that nothing was found.
      if (r == &d.main && m.text == kNoDirectory.text) continue;
      EXPECT_EQ(m.title, message.title) << what;
      EXPECT_EQ(m.text, message.text) << what;
      EXPECT_EQ(m.icon, message.icon) << what;
    }
    EXPECT_EQ(r->drawings, 0) << what;
  }
  EXPECT_LT(d.seconds, 20.0) << what;
}

std::string Sparse(const TempDir& dir, const std::string& name, std::uintmax_t length) {
  const std::filesystem::path path = dir.path() / name;
  { std::ofstream out(path, std::ios::binary); }
  std::filesystem::resize_file(path, length);  // holes: no disk space is used
  return path.string();
}

TEST(OddFiles, AFolderIsAFileThatCannotBeOpened) {
  TempDir dir;
  ExpectOnly(DriveAllFromDisk(dir.path().string()), kOpenFailed, "folder");
}

TEST(OddFiles, AMissingFileCannotBeOpened) {
  TempDir dir;
  ExpectOnly(DriveAllFromDisk((dir.path() / "no such image.dsk").string()), kOpenFailed, "missing");
}

TEST(OddFiles, APipeIsRefusedWithoutWaitingForAWriter) {
  TempDir dir;
  const std::string path = (dir.path() / "pipe.dsk").string();
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  ExpectOnly(DriveAllFromDisk(path), kOpenFailed, "pipe");
}

TEST(OddFiles, AFileWithoutReadPermissionCannotBeOpened) {
  if (geteuid() == 0) GTEST_SKIP() << "run as root, where permissions do not stop reading";
  TempDir dir;
  const std::filesystem::path path = dir.path() / "locked.dsk";
  WriteFile(path, AllImages().front().bytes);
  std::filesystem::permissions(path, std::filesystem::perms::none);
  ExpectOnly(DriveAllFromDisk(path.string()), kOpenFailed, "no read permission");
}

TEST(OddFiles, AnEmptyFileIsTooShortForTheMainAndMapWindows) {
  TempDir dir;
  const std::string path = Sparse(dir, "empty.dsk", 0);
  const Drives d = DriveAllFromDisk(path);
  for (const DriveReport* r : {&d.main, &d.map}) {
    EXPECT_TRUE(r->ok()) << Joined(r->faults);
    ASSERT_FALSE(r->messages.empty());
    for (const RecordedMessage& m : r->messages) {
      if (r == &d.main && m.text == kNoDirectory.text) continue;
      EXPECT_EQ(m.title, kTooShort.title);
      EXPECT_EQ(m.text, kTooShort.text);
    }
    EXPECT_EQ(r->drawings, 0);
  }
  // The hex window shows the one page of an empty file: zeros after offset 0, no message.
  EXPECT_TRUE(d.hex.ok()) << Joined(d.hex.faults);
  EXPECT_TRUE(d.hex.messages.empty());
  EXPECT_GT(d.hex.drawings, 0);
}

TEST(OddFiles, FilesOver64MiBAreRefusedUnreadByEveryWindow) {
  TempDir dir;
  // 100 MiB, and one byte over the limit of 64 MiB.
  for (std::uintmax_t length : {std::uintmax_t{100} << 20, (std::uintmax_t{64} << 20) + 1}) {
    const std::string path = Sparse(dir, "huge.dmk", length);
    ExpectOnly(DriveAllFromDisk(path), kTooLarge, ("length " + std::to_string(length)).c_str());
  }
}

TEST(OddFiles, AHugeFileWithADiskImageHeaderIsRefusedAsWell) {
  // The first bytes of a double-density DMK image, then 100 MiB of holes.
  TempDir dir;
  const std::filesystem::path path = dir.path() / "huge-header.dmk";
  WriteFile(path, Bytes{0x00, 40, 0x00, 0x19, 0x10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  std::filesystem::resize_file(path, std::uintmax_t{100} << 20);
  ExpectOnly(DriveAllFromDisk(path.string()), kTooLarge, "DMK header, 100 MiB");
}

}  // namespace
}  // namespace m1::robustness
