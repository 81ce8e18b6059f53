#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace m1 {
namespace {

namespace fs = std::filesystem;

TEST(DiskFiles, ReadsAWholeFileWithItsZeroTailAndRefusesWhatIsNoFile) {
  const fs::path dir = fs::temp_directory_path() / ("m1files-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path file = dir / "image.dsk";
  std::ofstream(file, std::ios::binary) << "\x01\x02\x03";

  DiskFiles files;
  ASSERT_TRUE(files.Open(file.string()));
  EXPECT_EQ(files.Length(), 3);
  std::vector<std::uint8_t> bytes;
  ASSERT_TRUE(files.ReadAll(bytes, 2));
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{1, 2, 3, 0, 0}));
  files.CloseAll();
  EXPECT_FALSE(files.IsOpen());
  EXPECT_EQ(files.Length(), 0);
  EXPECT_FALSE(files.ReadAll(bytes, 1));
  EXPECT_TRUE(bytes.empty());

  EXPECT_FALSE(files.Open(""));
  EXPECT_FALSE(files.Open((dir / "missing.dsk").string()));
  EXPECT_FALSE(files.Open(dir.string()));  // a folder
  fs::remove_all(dir);
}

}  // namespace
}  // namespace m1
