// m1view-info --extract and --extract-all on a TRSDOS 2.3 disk built here: 35 single-density
// tracks of 10 sectors (JV3), the directory on track 17, granules of 5 sectors. The entries of
// the first entry sector, with their HIT bytes (the names' hashes, worked out by hand):
//   slot 0 ONE/DAT  0x78  track 1 granule 0, 272 bytes: 256 x 0x11, 16 x 0x12
//   slot 1 SAME/DAT 0xD1  track 3 granule 0, 1 byte
//   slot 2 SAME/DAT 0xD1  track 3 granule 1, 1 byte
//   slot 3 NOEXT    0x78  track 4 granule 0, 5 bytes "HELLO"
//   slot 4 BAD/DAT  0x2E  track 4 granule 1, 256 bytes of 0xE5, its sector read with a CRC error
//   slot 5 PROG/CMD 0xAB  track 5 granule 0: a module header "PROG", a load block of 3 bytes at
//                         7000 (LD A,1; RET), a transfer address 7000
//   slot 6 TEN/BAS  0xA4  track 5 granule 1: 10 PRINT "HI" and 20 END, saved from 6AFF (the
//                         links 6B0B and 6B11)
#include "tools/info/file_commands.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>

#include "tests/support/files_disk.h"

namespace m1::info {
namespace {

using Json = nlohmann::ordered_json;
using testing::Bytes;
using testing::DirEntry;
using testing::SectorDisk;

constexpr std::size_t kJv3Flags = 2;  // byte of a JV3 header entry
constexpr std::uint8_t kJv3CrcError = 0x08;

Bytes FilesDisk() {
  Bytes gat = testing::Trsdos23Gat();
  gat[1] = 0xFD;
  gat[3] = gat[4] = gat[5] = 0xFF;
  const DirEntry entries[] = {{0x10, "ONE", "DAT", 0, 0, 0x10, 2, {0x01, 0x00}},
                              {0x10, "SAME", "DAT", 0, 0, 0x01, 1, {0x03, 0x00}},
                              {0x10, "SAME", "DAT", 0, 0, 0x01, 1, {0x03, 0x20}},
                              {0x10, "NOEXT", "", 0, 0, 0x05, 1, {0x04, 0x00}},
                              {0x10, "BAD", "DAT", 0, 0, 0x00, 1, {0x04, 0x20}},
                              {0x10, "PROG", "CMD", 0, 0, 17, 1, {0x05, 0x00}},
                              {0x10, "TEN", "BAS", 0, 0, 20, 1, {0x05, 0x20}}};
  const std::uint8_t hashes[] = {0x78, 0xD1, 0xD1, 0x78, 0x2E, 0xAB, 0xA4};
  SectorDisk disk = testing::Trsdos23Disk(gat, entries, hashes);
  disk.Put(1, 0, 0, 0, Bytes(256, 0x11)).Put(1, 0, 1, 0, Bytes(256, 0x12));
  disk.Put(4, 0, 0, 0, {'H', 'E', 'L', 'L', 'O'});
  disk.Put(5, 0, 0, 0, testing::kProgCmd).Put(5, 0, 5, 0, testing::kTenBas);
  Bytes file = disk.Jv3();
  file[(4 * 10 + 5) * 3 + kJv3Flags] |= kJv3CrcError;  // track 4 sector 5: entry 45
  return file;
}

Bytes Repeat(std::initializer_list<std::pair<std::size_t, std::uint8_t>> runs) {
  Bytes out;
  for (const auto& [n, b] : runs) out.insert(out.end(), n, b);
  return out;
}

Bytes ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class FileCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "m1files-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    image_ = (folder_ / "files.dsk").string();
    const Bytes disk = FilesDisk();
    std::ofstream(image_, std::ios::binary)
        .write(reinterpret_cast<const char*>(disk.data()),
               static_cast<std::streamsize>(disk.size()));
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // Runs a command on the image: its status, standard output and standard error.
  struct Run {
    int status;
    std::string out, err;
  };
  Run Command(InfoOptions options) const {
    options.images = {image_};
    std::ostringstream out, err;
    const int status = options.extractAll ? RunExtractAll(options, err)
                       : options.show     ? RunShow(options, out, err)
                                          : RunExtract(options, out, err);
    return {status, out.str(), err.str()};
  }

  std::filesystem::path folder_;
  std::string image_;
};

TEST_F(FileCommands, NamesMatchAsTheDosMatchesThem) {
  const std::string one = std::string(256, '\x11') + std::string(16, '\x12');
  struct Case {
    std::string typed;
    int status;
    std::string out, err;
  };
  const Case cases[] = {
      {"ONE/DAT", 0, one, ""},
      {"one.dat", 0, one, ""},
      {"One/dAT", 0, one, ""},
      {"noext", 0, "HELLO", ""},
      {"ONE", 1, "", "m1view-info: no file ONE on " + image_ + "\n"},
      {"NOEXT/TXT", 1, "", "m1view-info: no file NOEXT/TXT on " + image_ + "\n"},
      {"same.dat", 1, "", "m1view-info: SAME/DAT on " + image_ + " matches 2 files\n"},
  };
  for (const Case& c : cases) {
    const Run r = Command({.extract = c.typed, .images = {}});
    EXPECT_EQ(r.status, c.status) << c.typed;
    EXPECT_EQ(r.out, c.out) << c.typed;
    EXPECT_EQ(r.err, c.err) << c.typed;
  }
}

TEST_F(FileCommands, BadSectorWrittenAsHeldThenNamed) {
  const Run r = Command({.extract = "BAD/DAT", .images = {}});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, std::string(256, '\xE5'));
  EXPECT_EQ(r.err, "m1view-info: " + image_ +
                       ": BAD/DAT: record 1 (track 4 side 0 sector 5): data CRC bad\n");
}

TEST_F(FileCommands, OutputFileIsNeverOverwritten) {
  const std::string path = (folder_ / "one.dat").string();
  EXPECT_EQ(Command({.extract = "ONE/DAT", .output = path, .images = {}}).status, 0);
  EXPECT_EQ(ReadAll(path), Repeat({{256, 0x11}, {16, 0x12}}));
  std::ofstream(path, std::ios::binary | std::ios::trunc) << "mine";
  const Run again = Command({.extract = "ONE/DAT", .output = path, .images = {}});
  EXPECT_EQ(again.status, 1);
  EXPECT_EQ(again.err, "m1view-info: " + path + ": exists; not overwritten\n");
  EXPECT_EQ(ReadAll(path), (Bytes{'m', 'i', 'n', 'e'}));
}

TEST_F(FileCommands, ExtractAllWritesEveryFileAndKeepsWhatIsThere) {
  const std::filesystem::path to = folder_ / "out" / "disk";
  std::filesystem::create_directories(to);
  std::ofstream(to / "NOEXT") << "mine";
  const Run r = Command({.extractAll = to.string(), .images = {}});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "m1view-info: " + (to / "SAME.DAT").string() + ": exists; not overwritten\n" +
                       "m1view-info: " + (to / "NOEXT").string() + ": exists; not overwritten\n" +
                       "m1view-info: " + image_ +
                       ": BAD/DAT: record 1 (track 4 side 0 sector 5): data CRC bad\n");
  EXPECT_EQ(ReadAll(to / "ONE.DAT"), Repeat({{256, 0x11}, {16, 0x12}}));
  EXPECT_EQ(ReadAll(to / "SAME.DAT"), (Bytes{0xE5}));
  EXPECT_EQ(ReadAll(to / "NOEXT"), (Bytes{'m', 'i', 'n', 'e'}));
  EXPECT_EQ(ReadAll(to / "BAD.DAT"), Repeat({{256, 0xE5}}));
}

TEST_F(FileCommands, ShowDecodesTheFile) {
  const Run basic = Command({.show = "ten/bas", .images = {}});
  EXPECT_EQ(basic.status, 0);
  EXPECT_EQ(basic.out, "10 PRINT \"HI\"\n20 END\n");
  EXPECT_EQ(Command({.json = true, .show = "TEN/BAS", .images = {}}).out,
            R"({"file":"TEN/BAS","size":20,"kind":"basic","problems":[],)"
            R"("basic":[{"line":10,"text":"PRINT \"HI\""},{"line":20,"text":"END"}]})"
            "\n");
  // 7000 is 28672.
  EXPECT_EQ(Command({.json = true, .show = "PROG/CMD", .images = {}}).out,
            R"({"file":"PROG/CMD","size":17,"kind":"cmd","problems":[],"records":[)"
            R"({"type":5,"address":null,"length":4},{"type":1,"address":28672,"length":3},)"
            R"({"type":2,"address":28672,"length":2}],"entry":28672,"moduleName":"PROG"})"
            "\n");
  const Run bad = Command({.json = true, .show = "BAD/DAT", .images = {}});
  EXPECT_EQ(bad.status, 1);
  const Json j = Json::parse(bad.out);
  EXPECT_EQ(j["kind"], "binary");
  EXPECT_EQ(j["problems"], Json::array({"record 1 (track 4 side 0 sector 5): data CRC bad"}));
  EXPECT_FALSE(j.contains("text"));
}

TEST_F(FileCommands, CommandLinesAndTheProgramsStatus) {
  struct Case {
    std::vector<std::string> args;
    bool usageError;
  };
  const Case cases[] = {
      {{"--extract", "a/b", "img"}, false},
      {{"--extract=a/b", "-o", "p", "img"}, false},
      {{"--show", "a", "--json", "img"}, false},
      {{"-o", "p", "img"}, true},
      {{"--extract", "a", "x", "y"}, true},
      {{"--extract"}, true},
      {{"--show", "a", "--extract-all", "d", "i"}, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseArguments(c.args).usageError.has_value(), c.usageError) << c.args[0];
  }
  const auto run = [](const std::string& arguments) {
    const int status =
        std::system((std::string(M1VIEW_INFO) + " " + arguments + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  EXPECT_EQ(run("--extract one/dat " + image_), 0);
  EXPECT_EQ(run("--extract BAD/DAT " + image_), 1);
}

}  // namespace
}  // namespace m1::info
