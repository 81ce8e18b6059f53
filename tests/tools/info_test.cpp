// m1view-info: the command line, the JSON and text reports, the exit status, and that it never
// writes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/container/record_text.h"
#include "tests/support/image_builder.h"
#include "tools/info/options.h"
#include "tools/info/report.h"

namespace m1::info {
namespace {

using testing::Bytes;
using testing::DmkBuilder;
using testing::DmkSector;

class Folder {
 public:
  Folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "m1info-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~Folder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string Write(const char* name, const Bytes& bytes) const {
    const std::filesystem::path p = path_ / name;
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return p.string();
  }
  std::filesystem::path path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A double-sided DMK of one track: side 0 sectors 1 and 2 (sector 2 with a bad data CRC), side 1
// sector 1.
Bytes SmallDmk() {
  DmkBuilder dmk(1, 6400);
  dmk.AddTrack({DmkSector::Dd(0, 0, 1), DmkSector::Dd(0, 0, 2)});
  dmk.AddTrack({DmkSector::Dd(0, 1, 1)});
  Bytes file = dmk.Build();
  file[dmk.Place(0, 1).data + 10] ^= 0x01;
  return file;
}

std::vector<Json> JsonLines(const std::string& out) {
  std::vector<Json> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) lines.push_back(Json::parse(line));
  return lines;
}

std::vector<std::string> Keys(const Json& object) {
  std::vector<std::string> keys;
  for (const auto& [key, value] : object.items()) keys.push_back(key);
  return keys;
}

int RunProgram(const std::string& arguments) {
  const int status =
      std::system((std::string(M1VIEW_INFO) + " " + arguments + " >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(InfoOptions, CommandLines) {
  struct Case {
    std::vector<std::string> args;
    bool json, sectors;
    std::vector<std::string> images;
    bool usageError;
  };
  const Case cases[] = {
      {{"a.dmk"}, false, false, {"a.dmk"}, false},
      {{"--sectors", "a", "--json", "b"}, true, true, {"a", "b"}, false},
      {{"--", "--json"}, false, false, {"--json"}, false},
      {{"-"}, false, false, {"-"}, false},
      {{"--jsn", "a"}, false, false, {}, true},
      {{"--json"}, true, false, {}, true},
      {{}, false, false, {}, true},
  };
  for (const Case& c : cases) {
    const ParsedArguments p = ParseArguments(c.args);
    EXPECT_EQ(p.usageError.has_value(), c.usageError) << c.args.size();
    if (c.usageError) continue;
    EXPECT_EQ(p.options.json, c.json);
    EXPECT_EQ(p.options.sectors, c.sectors);
    EXPECT_EQ(p.options.images, c.images);
  }
}

TEST(Info, JsonObjectPerImageWithTheDocumentedKeys) {
  const Folder folder;
  const std::string dmk = folder.Write("small.dmk", SmallDmk());
  const std::string shortFile = folder.Write("short.dsk", Bytes(10, 0));
  InfoOptions options;
  options.json = options.sectors = true;
  options.images = {dmk, shortFile, (folder.path() / "missing.dmk").string()};
  std::ostringstream out;
  EXPECT_EQ(RunInfo(options, out), 1);
  const auto lines = JsonLines(out.str());
  ASSERT_EQ(lines.size(), 3u);

  const Json& j = lines[0];
  EXPECT_EQ(Keys(j), (std::vector<std::string>{"file", "format", "error", "tracks", "sides",
                                               "summary", "sectors"}));
  EXPECT_EQ(j["file"], dmk);
  EXPECT_EQ(j["format"], "DMK");
  EXPECT_TRUE(j["error"].is_null());
  EXPECT_EQ(j["tracks"], 1);
  EXPECT_EQ(j["sides"], 2);
  EXPECT_EQ(j["summary"].dump(),
            R"({"records":3,"idCrcBad":0,"dataCrcBad":1,"noDataMark":0,"duplicates":0})");
  ASSERT_EQ(j["sectors"].size(), 3u);
  // The builder's first double-density ID mark: 16 gap bytes, 12 zeros and A1 A1 A1 after the
  // 128-byte table; the data 44 bytes later, past the mark.
  EXPECT_EQ(
      j["sectors"][0].dump(),
      R"({"track":0,"side":0,"sector":1,"size":256,"density":"double","doubled":false,)"
      R"("idOffset":175,"dataOffset":220,"dam":251,"idCrc":"ok","dataCrc":"ok","remarks":[]})");
  EXPECT_EQ(j["sectors"][1]["dataCrc"], "bad");
  EXPECT_EQ(j["sectors"][2]["side"], 1);

  EXPECT_EQ(lines[1]["error"], "too short to be a disk image");
  EXPECT_TRUE(lines[1]["format"].is_null());
  EXPECT_EQ(lines[1]["sectors"], Json::array());
  EXPECT_EQ(lines[2]["error"], "cannot open: No such file or directory");
}

TEST(Info, TextSummaryNamesEachProblem) {
  const Folder folder;
  const std::string dmk = folder.Write("small.dmk", SmallDmk());
  InfoOptions options;
  options.images = {dmk};
  std::ostringstream out;
  EXPECT_EQ(RunInfo(options, out), 0);
  // Sector 2's ID mark 342 bytes after sector 1's (at 175); its CRC over A1 A1 A1 FB and 256
  // bytes of E5 is 7827, with bit 0 of byte 10 changed D7A1. The main window, reading side 1
  // only when side 0 records it, does not reach the second image.
  EXPECT_EQ(out.str(), dmk +
                           ": DMK, 1 track, 2 sides, double density, 3 records, 2 good, 1 bad "
                           "data CRC\n"
                           "  track 0 side 0 sector 2: 256 bytes, double density, data mark FB, "
                           "ID at 0x00205, data at 0x00232: ID CRC ok, data CRC bad (written "
                           "7827, computed D7A1)\n"
                           "  1 record is not in the main window's index\n");
}

TEST(Info, ProgramExitStatusAndItNeverWrites) {
  const Folder folder;
  const std::string dmk = folder.Write("small.dmk", SmallDmk());
  struct stat before {};
  ASSERT_EQ(::stat(dmk.c_str(), &before), 0);
  ::chmod(dmk.c_str(), 0444);
  EXPECT_EQ(RunProgram("--json --sectors " + dmk), 0);
  EXPECT_EQ(RunProgram(dmk + " " + dmk + ".missing"), 1);
  EXPECT_EQ(RunProgram("--nope " + dmk), 2);
  EXPECT_EQ(RunProgram(""), 2);
  struct stat after {};
  ASSERT_EQ(::stat(dmk.c_str(), &after), 0);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(after.st_size, before.st_size);

  // Over 64 MiB: refused without being read (a sparse file, so nothing is written to disk).
  const std::string large = (folder.path() / "large.dsk").string();
  const int fd = ::open(large.c_str(), O_WRONLY | O_CREAT, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, std::int64_t{64} * 1024 * 1024 + 1), 0);
  ::close(fd);
  InfoOptions options;
  options.json = true;
  options.images = {large};
  std::ostringstream out;
  EXPECT_EQ(RunInfo(options, out), 1);
  EXPECT_EQ(JsonLines(out.str()).at(0)["error"], "too large to be a disk image (over 64 MiB)");
}

}  // namespace
}  // namespace m1::info

namespace m1::info {
namespace {

// The sector objects are written straight into the text for speed; nlohmann's own writer, given
// the same members, must write the same bytes.
TEST(Info, SectorJsonIsWhatTheJsonLibraryWrites) {
  SectorRecord jv1;  // no ID field, no CRCs, no data mark
  jv1.track = 34;
  jv1.sector = 9;
  jv1.size = 256;
  jv1.dataOffset = 89344;
  SectorRecord dmk;
  dmk.track = 200;
  dmk.side = 1;
  dmk.sector = 255;
  dmk.size = 128;
  dmk.doubled = true;
  dmk.idOffset = 0x3EB5B;
  dmk.dataOffset = 0x3EB88;
  dmk.dam = 0xF8;
  dmk.idCrc = CrcCheck{false, 0x1A2B, 0x3C4D};
  dmk.dataCrc = CrcCheck{true, 0xE51A, 0xE51A};
  dmk.remarks = kRemarkDuplicate | kRemarkTrackDiffers | kRemarkPastHeader;
  for (const SectorRecord& r : {jv1, dmk}) {
    const auto optional = [](const auto& v) { return v ? Json(*v) : Json(nullptr); };
    const auto crc = [](const std::optional<CrcCheck>& c) {
      return c ? Json(c->ok ? "ok" : "bad") : Json(nullptr);
    };
    const Json expected = {{"track", r.track},
                           {"side", r.side},
                           {"sector", r.sector},
                           {"size", r.size},
                           {"density", r.doubleDensity ? "double" : "single"},
                           {"doubled", r.doubled},
                           {"idOffset", optional(r.idOffset)},
                           {"dataOffset", optional(r.dataOffset)},
                           {"dam", optional(r.dam)},
                           {"idCrc", crc(r.idCrc)},
                           {"dataCrc", crc(r.dataCrc)},
                           {"remarks", RemarkTexts(r)}};
    std::string written;
    AppendSectorJson(written, r);
    EXPECT_EQ(written, expected.dump());
  }
}

}  // namespace
}  // namespace m1::info
