// m1view-info over many files: the survey of a folder reports every file truthfully, in name
// order, whatever it holds; the options of the survey and of --at.
#include "tools/info/survey.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/image_builder.h"
#include "tools/info/options.h"

namespace m1::testing {
namespace {

namespace fs = std::filesystem;

void Write(const fs::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

class Survey : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("m1view-survey-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "sub");
    DmkBuilder good(1, 6400, 0x10);
    good.AddTrack({DmkSector::Dd(0, 0, 1)});
    Bytes bytes = good.Build();
    Write(dir_ / "a-good.dmk", bytes);
    bytes[good.Place(0, 0).data + 5] ^= 0xFF;  // the data CRC no longer matches
    Write(dir_ / "b-bad-crc.dmk", bytes);
    Write(dir_ / "c-empty.dsk", {});
    // 64 MiB and one byte, sparse: refused before a byte is read.
    fs::resize_file((Write(dir_ / "d-huge.dmk", {}), dir_ / "d-huge.dmk"), (64u << 20) + 1);
    Write(dir_ / "e-notes.txt", Bytes(200, 'h'));
    ASSERT_EQ(::mkfifo((dir_ / "f-pipe").c_str(), 0600), 0);
    fs::create_symlink(dir_ / "nowhere", dir_ / "g-broken-link");
    Write(dir_ / "sub" / "h.dsk", Jv1Builder(35).Build());
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Run(bool recursive, std::vector<info::Outcome>& outcomes) {
    const auto files = info::CollectFiles({dir_.string()}, recursive);
    std::ostringstream out;
    outcomes = info::ExamineInOrder(
        files.size(), 2,
        [&](std::size_t i) {
          const std::string path = files[i].lexically_relative(dir_).string();
          return info::SummaryLine(path, info::ReadImageFile(files[i].string()));
        },
        out, nullptr);
    return out.str();
  }

  fs::path dir_;
};

TEST_F(Survey, FolderOfDamagedRefusedAndUnreadableFilesIsReportedFileByFile) {
  std::vector<info::Outcome> outcomes;
  EXPECT_EQ(Run(false, outcomes),
            "a-good.dmk\tDMK\t1x1 DD\tno DOS\t-\tok\n"
            "b-bad-crc.dmk\tDMK\t1x1 DD\tno DOS\t-\t1 record with problems (1 bad data CRC)\n"
            "c-empty.dsk\terror: too short to be a disk image\n"
            "d-huge.dmk\terror: too large to be a disk image (over 64 MiB)\n"
            "e-notes.txt\terror: not a JV1, JV3 or DMK image\n"
            "f-pipe\terror: not a regular file\n"
            "g-broken-link\terror: cannot open: No such file or directory\n");
  EXPECT_EQ(info::SummaryClosing(outcomes), "7 files: 2 read (1 with problems), 5 not read");

  // With -r the files of sub/ follow those of the folder itself.
  const std::string all = Run(true, outcomes);
  EXPECT_EQ(all.substr(all.rfind('\n', all.size() - 2) + 1),
            "sub/h.dsk\tJV1\t35x1 SD\tno DOS\t-\tok\n");
  EXPECT_EQ(outcomes.size(), 8u);
}

// A TRSDOS 2.3 disk with ONE/BAS (HIT byte 0x46) on track 1 granule 0, its GAT as given: the
// line counts the problems of the directory and those of its files.
TEST(SurveyLine, DirectoryAndFileProblemsCounted) {
  struct Case {
    std::uint8_t track1, track5;  // GAT bytes: 0xFD granule 0 allocated, 0xFC free
    const char* health;
  };
  for (const Case& c : {Case{0xFD, 0xFC, "ok"}, Case{0xFD, 0xFD, "1 directory problem"},
                        Case{0xFC, 0xFC, "1 file problem"},
                        Case{0xFC, 0xFD, "1 directory problem, 1 file problem"}}) {
    Jv1Builder jv1(35);
    Bytes gat(256, 0xFC);
    gat[1] = c.track1;
    gat[5] = c.track5;
    gat[17] = 0xFF;
    gat[0xCD] = 0x00;  // no LDOS configuration: two granules a track
    Bytes hit(256, 0x00);
    hit[0] = 0x46;
    jv1.Put(17, 0, 0, gat).Put(17, 1, 0, hit).Put(17, 2, 0, Bytes(256, 0x00));
    jv1.Put(17, 2, 0, DirEntry{0x10, "ONE", "BAS", 0, 0, 0x10, 2, {0x01, 0x00}}.Build());
    info::ImageFile file;
    file.bytes = jv1.Build();
    file.length = static_cast<std::int64_t>(file.bytes.size());
    EXPECT_EQ(info::SummaryLine("one.dsk", file).text,
              std::string("one.dsk\tJV1\t35x1 SD\tTRSDOS\t1 file\t") + c.health + "\n");
  }
}

TEST(SurveyOffset, DecimalAndHexadecimal) {
  struct Case {
    const char* text;
    std::optional<std::int64_t> value;
  } cases[] = {
      {"0", 0},           {"4660", 4660},       {"0x1234", 0x1234},    {"0XfF", 255},
      {"", std::nullopt}, {"-1", std::nullopt}, {"12a", std::nullopt}, {"0x", std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(info::ParseOffset(c.text), c.value) << c.text;
}

TEST(SurveyOptions, AtSummaryRecursionAndTheirErrors) {
  struct Case {
    std::vector<std::string> args;
    const char* error;  // nullptr: accepted
    std::optional<std::int64_t> at;
  } cases[] = {
      {{"--at", "0x10", "a.dmk"}, nullptr, 16},
      {{"--at=300", "a.dmk"}, nullptr, 300},
      {{"--summary", "-r", "disks"}, nullptr, std::nullopt},
      {{"--version"}, nullptr, std::nullopt},
      {{"--at", "7", "a.dmk", "b.dmk"}, "--at explains a byte of one image", 7},
      {{"a.dmk", "--at"}, "option --at needs an offset", std::nullopt},
      {{"--at", "-5", "a.dmk"},
       "invalid offset '-5' (decimal, or hexadecimal with 0x)",
       std::nullopt},
      {{"-x", "a.dmk"}, "unrecognized option '-x'", std::nullopt},
      {{"-r"}, "no image named", std::nullopt},
  };
  for (const Case& c : cases) {
    const info::ParsedArguments p = info::ParseArguments(c.args);
    EXPECT_EQ(p.usageError.value_or("accepted"), c.error ? c.error : "accepted") << c.args[0];
    EXPECT_EQ(p.options.at, c.at) << c.args[0];
  }
}

}  // namespace
}  // namespace m1::testing
