// The demonstration disks of samples/ as the program reads them: the DOS, every file with its
// size, the free granules, no problem anywhere and every record good. Sizes worked out by hand:
// DEMO/CMD is 05 04 "DEMO", 01 4A 5200H and 72 bytes, 02 02 5200H (86 bytes); a SYSn/SYS stand-in
// 05 04 "SYSn", 1F 3F and 63 characters, 01 04 and two bytes, 02 02 (81 bytes).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/disk_facts.h"

namespace m1 {
namespace {

struct ExpectedFile {
  std::string name;
  std::int64_t size;
  bool system;
};

struct ExpectedDisk {
  std::string image;
  std::string dos;
  std::optional<std::string> version;
  int records;
  int freeGranules;
  std::vector<ExpectedFile> files;  // in directory order
  // A sector and its owner: where the directory starts.
  int cylinder, head, sector;
  std::string owner;
};

std::vector<std::uint8_t> ReadSample(const std::string& name) {
  std::ifstream in(std::filesystem::path(M1VIEW_SAMPLES) / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(Samples, DemonstrationDisksReadWithoutAProblem) {
  const std::vector<ExpectedDisk> disks = {
      {"demo-newdos80-40t-ds.dmk",
       "Newdos/80",
       std::nullopt,
       1440,
       288 - 11,  // granules 0-7, 34-36
       {{"BOOT/SYS", 1280, true},
        {"DIR/SYS", 2560, true},
        {"SQUARES/BAS", 380, false},
        {"DEMO/CMD", 86, false},
        {"DEMO/ASM", 574, false},
        {"README/TXT", 1411, false},
        {"SYS0/SYS", 81, true},
        {"SYS1/SYS", 81, true},
        {"SYS2/SYS", 81, true}},
       4,  // lump 17 of GPL 2: relative sector 170 of 36 a cylinder
       1,
       8,
       "GAT"},
      {"demo-ldos-40t.jv3",
       "LDOS",
       "5.1",
       400,
       80 - 9,  // granules 0-6, 40-41
       {{"BOOT/SYS", 1280, true},
        {"DIR/SYS", 2560, true},
        {"GUESS/BAS", 451, false},
        {"DEMO/CMD", 86, false},
        {"README/TXT", 940, false},
        {"SYS0/SYS", 81, true},
        {"SYS1/SYS", 81, true},
        {"SYS2/SYS", 81, true}},
       20,
       0,
       1,
       "HIT"},
      {"demo-trsdos13-40t.dmk",
       "TRSDOS",
       "1.3",
       720,
       240 - 16,  // cylinder 0 (the system), granules 6-9, cylinder 17
       {{"SQUARES/BAS", 380, false}, {"DEMO/CMD", 86, false}, {"README/TXT", 862, false}},
       17,
       0,
       3,
       "directory, entries 0 to 4"},
  };
  for (const ExpectedDisk& want : disks) {
    SCOPED_TRACE(want.image);
    const std::vector<std::uint8_t> file = ReadSample(want.image);
    const auto facts = DiskFacts::Read(file);
    const HealthSummary health = facts->listing.Summary();
    EXPECT_EQ(health.records, want.records);
    EXPECT_EQ(health.good, want.records);
    ASSERT_TRUE(facts->fs);
    const FileSystem& fs = *facts->fs;
    EXPECT_EQ(fs.dos, want.dos);
    EXPECT_EQ(fs.version, want.version);
    EXPECT_EQ(fs.freeGranules, want.freeGranules);
    EXPECT_EQ(fs.problems, std::vector<std::string>{});
    ASSERT_EQ(fs.files.size(), want.files.size());
    for (std::size_t i = 0; i < want.files.size(); ++i) {
      const DosFile& f = fs.files[i];
      EXPECT_EQ(f.FullName(), want.files[i].name);
      EXPECT_EQ(f.size, want.files[i].size) << f.FullName();
      EXPECT_EQ(f.system, want.files[i].system) << f.FullName();
      EXPECT_EQ(f.problems, std::vector<std::string>{}) << f.FullName();
    }
    const auto record = facts->listing.Find(want.cylinder, want.head, want.sector);
    ASSERT_TRUE(record);
    EXPECT_EQ(facts->Owner(*record), want.owner);
  }
}

}  // namespace
}  // namespace m1
