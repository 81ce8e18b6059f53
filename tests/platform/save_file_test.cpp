// Saving a file where the user chose: a new file, a file replaced with its permissions kept, a
// link followed to its file, and what is no regular file refused; which paths name one file.
#include "platform/save_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace m1 {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(SaveBytes, WritesOrReplacesARegularFileOnly) {
  const fs::path dir = fs::temp_directory_path() / ("m1save-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::uint8_t bytes[] = {'N', 'E', 'W', 0x00, 0xFF};
  std::string error;

  ASSERT_TRUE(SaveBytes((dir / "new.bin").string(), bytes, &error)) << error;
  EXPECT_EQ(Contents(dir / "new.bin"), std::string("NEW\0\xFF", 5));

  std::ofstream(dir / "old.bin") << "an older and longer file";
  ::chmod((dir / "old.bin").c_str(), 0640);
  fs::create_symlink(dir / "old.bin", dir / "link.bin");
  ASSERT_TRUE(SaveBytes((dir / "link.bin").string(), bytes, &error)) << error;
  EXPECT_EQ(Contents(dir / "old.bin"), std::string("NEW\0\xFF", 5));
  EXPECT_TRUE(fs::is_symlink(dir / "link.bin"));
  struct stat st {};
  ASSERT_EQ(::stat((dir / "old.bin").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);

  EXPECT_FALSE(SaveBytes(dir.string(), bytes, &error));
  EXPECT_EQ(error, "is a folder");
  EXPECT_FALSE(SaveBytes("/dev/null", bytes, &error));
  EXPECT_EQ(error, "is not a regular file");
  EXPECT_FALSE(SaveBytes((dir / "no" / "such.bin").string(), bytes, &error));
  EXPECT_EQ(error, "cannot create: No such file or directory");
  // Nothing is left behind but the files written.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);

  EXPECT_TRUE(SameFile((dir / "link.bin").string(), (dir / "old.bin").string()));
  EXPECT_TRUE(SameFile((dir / "." / "old.bin").string(), (dir / "old.bin").string()));
  EXPECT_FALSE(SameFile((dir / "new.bin").string(), (dir / "old.bin").string()));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace m1
