// The Files window: the facts of the disk, one row per file with its attributes and extents, the
// box that hides system and invisible files, the box that shows deleted and lost files, and a
// chosen file's first sector.
#include "files/files_form.h"

#include <gtest/gtest.h>

#include "tests/support/disk_views.h"

namespace m1 {
namespace {

using Views = testing::RecordedViews;

// A Newdos/80 directory as the file system reader gives it: SYS0/SYS (system, invisible,
// protection 7) and BASIC/CMD in two extents, whose first sector is the record at 0x5400.
std::unique_ptr<DiskFacts> Facts() {
  auto facts = std::make_unique<DiskFacts>();
  SectorRecord record;
  record.dataOffset = 0x5300;
  facts->listing.records.push_back(record);
  record.dataOffset = 0x5400;
  facts->listing.records.push_back(record);
  FileSystem fs;
  fs.dos = "Newdos/80";
  fs.version = "2.0";
  fs.diskName = "NEWDOS80";
  fs.date = "01/05/82";
  fs.freeGranules = 10;
  fs.sectorsPerGranule = 5;
  DosFile sys;
  sys.name = "SYS0";
  sys.ext = "SYS";
  sys.size = 2560;
  sys.system = sys.invisible = true;
  sys.protection = 7;
  sys.extents = {{0, 1, 2}};
  DosFile basic;
  basic.name = "BASIC";
  basic.ext = "CMD";
  basic.size = 4608;
  basic.extents = {{3, 0, 2}, {5, 1, 1}};
  basic.sectors = {{3, 0, 0, std::size_t{1}}};
  basic.problems = {"extent on a free granule"};
  fs.files = {sys, basic};
  fs.problems = {"granule 4 of lump 9 allocated to no file"};
  DosFile old;
  old.name = "OLD";
  old.ext = "BAS";
  old.size = 300;
  old.extents = {{7, 1, 1}};
  fs.deleted = {{old, "recoverable"}};
  fs.unowned = {{{9, 4, 1}, {{9, 0, 0, std::size_t{0}}}, "basic"}};
  facts->fs = fs;
  return facts;
}

TEST(FilesForm, ShowsTheDiskAndEveryFileMarked) {
  Views views;
  FilesForm form(views);
  form.Load(*Facts(), "disk.dmk");
  EXPECT_EQ(form.caption, "Files - disk.dmk");
  EXPECT_EQ(form.dos, "Newdos/80 2.0");
  EXPECT_EQ(form.diskName, "NEWDOS80");
  EXPECT_EQ(form.date, "01/05/82");
  EXPECT_EQ(form.freeSpace, "10 granules, 12800 bytes");  // 10 x 5 x 256
  EXPECT_EQ(form.problems, (std::vector<std::string>{"granule 4 of lump 9 allocated to no file",
                                                     "BASIC/CMD: extent on a free granule"}));
  ASSERT_EQ(form.rows.size(), 2u);
  EXPECT_EQ(form.rows[0].cells,
            (std::array<std::string, FilesForm::kColumns>{
                "SYS0", "SYS", "2560", "system, invisible, protection 7", "", "L0 G1 x2"}));
  EXPECT_TRUE(form.rows[0].hidden);
  EXPECT_EQ(form.rows[1].cells[FilesForm::kExtents], "L3 G0 x2, L5 G1 x1");
  EXPECT_FALSE(form.rows[1].hidden);

  form.ShowHidden_Click(false);
  ASSERT_EQ(form.rows.size(), 1u);
  EXPECT_EQ(form.rows[0].cells[FilesForm::kName], "BASIC");
  form.Row_DoubleClick(0);
  EXPECT_EQ(views.sectors, (std::vector<std::int64_t>{0x5400}));
}

TEST(FilesForm, DeletedAndLostFilesFollowGreyedOnRequest) {
  Views views;
  FilesForm form(views);
  form.Load(*Facts(), "disk.dmk");
  EXPECT_EQ(form.rows.size(), 2u);
  form.ShowFound_Click(true);
  ASSERT_EQ(form.rows.size(), 4u);
  EXPECT_EQ(form.rows[2].cells, (std::array<std::string, FilesForm::kColumns>{
                                    "OLD", "BAS", "300", "deleted, recoverable", "", "L7 G1 x1"}));
  // One granule of 5 sectors: 1280 bytes.
  EXPECT_EQ(form.rows[3].cells,
            (std::array<std::string, FilesForm::kColumns>{
                "", "", "1280", "allocated to no file, holds basic", "", "L9 G4 x1"}));
  EXPECT_TRUE(form.rows[2].found && form.rows[3].found && !form.rows[1].found);
  form.Row_DoubleClick(3);
  EXPECT_EQ(views.sectors, (std::vector<std::int64_t>{0x5300}));
}

TEST(FilesForm, WithoutAFileSystemSaysSo) {
  Views views;
  FilesForm form(views);
  form.Load(DiskFacts(), "blank.dsk");
  EXPECT_EQ(form.dos, "No file system recognised");
  EXPECT_TRUE(form.rows.empty());
  form.Row_DoubleClick(0);
  EXPECT_TRUE(views.sectors.empty());
}

}  // namespace
}  // namespace m1
