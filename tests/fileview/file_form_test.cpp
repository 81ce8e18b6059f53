// The File window on the files of a TRSDOS disk built in tests/support/files_disk.h: what it shows
// of each kind of file, the sector a line or a byte leads to, and Save As, which writes the file's
// exact bytes and never the image.
#include "fileview/file_form.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/disk_views.h"
#include "tests/support/files_disk.h"

namespace m1 {
namespace {

namespace fs = std::filesystem;
using m1::testing::Bytes;

// Data offsets of the sectors the files lie in: 0x2200 + (10 x track + sector) x 256.
constexpr std::int64_t kTrack1Sector0 = 0x2C00;
constexpr std::int64_t kTrack1Sector1 = 0x2D00;
constexpr std::int64_t kTrack5Sector5 = 0x5900;
constexpr std::int64_t kTrack6Sector0 = 0x5E00;
constexpr std::int64_t kTrack7Sector4 = 0x6C00;

enum File : std::size_t { kNote, kProg, kTen };

class FileFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "m1fileview-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    image_ = (folder_ / "files.dsk").string();
    std::ofstream(image_, std::ios::binary)
        .write(reinterpret_cast<const char*>(disk_.data()),
               static_cast<std::streamsize>(disk_.size()));
    facts_ = DiskFacts::Read(disk_);
    ASSERT_TRUE(facts_->fs);
  }
  void TearDown() override { fs::remove_all(folder_); }

  static std::vector<std::string> Titles(const FileForm& form) {
    std::vector<std::string> titles;
    for (const FileForm::Tab& tab : form.tabs) titles.push_back(tab.title);
    return titles;
  }
  static Bytes ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  const Bytes disk_ = m1::testing::FilesDisk();
  std::unique_ptr<const DiskFacts> facts_;
  fs::path folder_;
  std::string image_;
  m1::testing::RecordedViews views_;
  DiskSaveFiles saves_;
  FileForm form_{views_, saves_};
};

TEST_F(FileFormTest, BasicProgramIsListedAndItsLinesLeadToTheirSector) {
  form_.Load(*facts_, {kTen}, image_);
  EXPECT_EQ(form_.caption, "File - TEN/BAS - " + image_);
  EXPECT_EQ(form_.name, "TEN/BAS");
  EXPECT_EQ(form_.size, "20 bytes");
  EXPECT_EQ(form_.kind, "basic");
  EXPECT_TRUE(form_.problems.empty());
  ASSERT_EQ(Titles(form_), (std::vector<std::string>{"Listing", "Bytes"}));
  EXPECT_EQ(form_.CopyText(0), "10 PRINT \"HI\"\n20 END\n");

  EXPECT_TRUE(form_.ShowLineSector(0, 1));
  EXPECT_EQ(views_.sectors, (std::vector<std::int64_t>{kTrack5Sector5}));
  EXPECT_EQ(form_.status, "Byte 12 of the file lies in track 5 side 0 sector 5.");
  EXPECT_FALSE(form_.statusIsProblem);
  // Past the file's 20 bytes no sector is the file's.
  EXPECT_FALSE(form_.ShowByteSector(20));
  EXPECT_EQ(form_.status, "No sector of the image holds byte 20 of the file.");
  EXPECT_TRUE(form_.statusIsProblem);
}

// Each line or byte clicked and the data offset of the sector shown for it.
TEST_F(FileFormTest, EveryViewLeadsFromALineOrAByteToItsSector) {
  form_.Load(*facts_, {kProg}, image_);
  EXPECT_EQ(form_.kind, "cmd");
  ASSERT_EQ(Titles(form_), (std::vector<std::string>{"Load map", "Disassembly", "Bytes"}));
  EXPECT_EQ(form_.tabs[0].lines.back().text, "Module: PROG");
  ASSERT_EQ(form_.tabs[1].lines.size(), 2u);
  EXPECT_EQ(form_.tabs[1].lines[0].text, "7000  3E 01        LD A,#01");
  EXPECT_EQ(form_.tabs[1].lines[0].offset, 10);
  EXPECT_FALSE(form_.ShowSector_Click(0, 0));
  EXPECT_EQ(form_.status, "This line shows no byte of the file.");

  form_.Load(*facts_, {kNote}, image_);
  EXPECT_EQ(form_.kind, "text");
  ASSERT_EQ(Titles(form_), (std::vector<std::string>{"Text", "Bytes"}));
  ASSERT_EQ(form_.tabs[0].lines.size(), 2u);
  EXPECT_EQ(form_.tabs[0].lines[1].text, "SECOND");
  const struct {
    int tab, line, column;
    std::int64_t sector;
  } clicks[] = {
      {0, 1, 0, kTrack1Sector1},    // "SECOND" starts the second sector
      {0, 0, 0, kTrack1Sector0},    //
      {1, 15, 76, kTrack1Sector0},  // byte 255, its character
      {1, 16, 10, kTrack1Sector1},  // byte 256, its hex digits
      {1, 15, 34, kTrack1Sector0},  // the space between the groups: the line's first byte, 240
      {1, 16, 35, kTrack1Sector1},  // byte 264 is past the file's 263: the line's first, 256
  };
  for (const auto& c : clicks) {
    views_.sectors.clear();
    EXPECT_TRUE(form_.ShowSector_Click(c.tab, c.line, c.column));
    EXPECT_EQ(views_.sectors, std::vector<std::int64_t>{c.sector}) << c.line << " " << c.column;
  }
}

// The Files window's found rows: the killed files, then the runs of granules allocated to no file.
TEST_F(FileFormTest, KilledFileAndLostGranulesOpenAsFiles) {
  form_.Load(*facts_, {0, true}, image_);
  EXPECT_TRUE(form_.name.starts_with("OLD/TXT (deleted, ")) << form_.name;
  ASSERT_EQ(form_.CopyText(0), "KILLED\n");
  EXPECT_TRUE(form_.ShowLineSector(0, 0));

  form_.Load(*facts_, {1, true}, image_);
  EXPECT_EQ(form_.name, "T7 G0 x1 (allocated to no file)");
  EXPECT_EQ(form_.size, "1280 bytes");  // a granule of 5 sectors
  EXPECT_EQ(form_.SuggestedPath("/users/ann"), "/users/ann/lost-T7-G0-x1");
  EXPECT_TRUE(form_.ShowByteSector(1279));
  EXPECT_EQ(views_.sectors, (std::vector<std::int64_t>{kTrack6Sector0, kTrack7Sector4}));

  form_.Load(*facts_, {2, true}, image_);
  EXPECT_EQ(form_.problems, std::vector<std::string>{"no such file on the disk"});
  EXPECT_EQ(Titles(form_), std::vector<std::string>{"Bytes"});
}

TEST_F(FileFormTest, SaveAsWritesTheExactBytesAndNeverTheImage) {
  form_.Load(*facts_, {kTen}, image_);
  EXPECT_EQ(form_.SuggestedPath("/users/ann"), "/users/ann/TEN.BAS");
  const std::string path = (folder_ / "TEN.BAS").string();
  ASSERT_TRUE(form_.SaveAs(path)) << form_.status;
  EXPECT_EQ(ReadAll(path), (Bytes{0xFF, 0x0B, 0x6B, 0x0A, 0x00, 0xB2, 0x20, 0x22, 0x48, 0x49,
                                  0x22, 0x00, 0x11, 0x6B, 0x14, 0x00, 0x80, 0x00, 0x00, 0x00}));
  EXPECT_EQ(form_.status, "Saved 20 bytes to " + path + ".");
  // The next save starts in the folder of this one.
  form_.Load(*facts_, {kProg}, image_);
  EXPECT_EQ(form_.SuggestedPath("/users/ann"), folder_.string() + "/PROG.CMD");

  // The image, by its own path and by another spelling of it, is refused and left as it was.
  for (const std::string& image : {image_, (folder_ / "." / "files.dsk").string()}) {
    EXPECT_FALSE(form_.SaveAs(image));
    EXPECT_EQ(form_.status, "Not saved: " + image + " is the disk image itself.");
  }
  EXPECT_EQ(ReadAll(image_), disk_);
}

}  // namespace
}  // namespace m1
