// m1view-info --files: the DOS directory as JSON, each record's owner, and the DIR lines, on a
// TRSDOS 2.3 disk of 35 single-density tracks with one file, ONE/BAS (HIT byte 0x46, the hash of
// its name worked out by hand), on track 1 granule 0: ERN 2 and EOF 0x10, so 256 + 16 bytes. With
// `lost`, OLD/TXT killed in slot 1 (ERN 1, EOF 0x20: 32 bytes) on track 3 granule 0, free, and
// track 5 granule 0 allocated to no file.
#include <gtest/gtest.h>

#include "tests/support/image_builder.h"
#include "tools/info/files_report.h"
#include "tools/info/report.h"

namespace m1::info {
namespace {

using testing::Bytes;

ImageReport OneFileDisk(bool lost = false) {
  testing::Jv1Builder jv1(35);
  Bytes gat(256, 0xFF);
  for (std::size_t t = 0; t < 35; ++t) gat[t] = 0xFC;
  gat[1] = 0xFD;
  gat[17] = 0xFF;
  const std::string label = "DATADISK03/04/85";
  std::copy(label.begin(), label.end(), gat.begin() + 0xD0);
  gat[0xCB] = gat[0xCC] = gat[0xCD] = 0x00;
  Bytes hit(256, 0x00);
  hit[0] = 0x46;
  jv1.Put(17, 0, 0, gat).Put(17, 1, 0, hit).Put(17, 2, 0, Bytes(256, 0x00));
  jv1.Put(17, 2, 0, testing::DirEntry{0x10, "ONE", "BAS", 0, 0, 0x10, 2, {0x01, 0x00}}.Build());
  if (lost) {
    jv1.Put(17, 2, 32, testing::DirEntry{0x00, "OLD", "TXT", 0, 0, 0x20, 1, {0x03, 0x00}}.Build());
    jv1.Put(17, 0, 5, {0xFD});
  }
  ImageReport report;
  report.path = "one.dsk";
  report.file.bytes = jv1.Build();
  report.facts = DiskFacts::Read(report.file.bytes);
  return report;
}

TEST(InfoFiles, DosObjectAndOwners) {
  const ImageReport report = OneFileDisk();
  EXPECT_EQ(DosJson(report.fs()).dump(),
            R"({"name":"TRSDOS","version":null,"diskName":"DATADISK","date":"03/04/85",)"
            R"("freeGranules":67,"problems":[],"files":[{"name":"ONE","ext":"BAS","size":272,)"
            R"("system":false,"invisible":false,"protection":0,"date":null,)"
            R"("extents":[{"track":1,"granule":0,"count":1}],"sectors":[[1,0,0],[1,0,1]],)"
            R"("problems":[]}],"deleted":[],"unowned":[]})");

  const Json image = Json::parse(ImageJsonLine(
      report, InfoOptions{.json = true, .sectors = true, .files = true, .images = {}}));
  // JV1 records in file order: track x 10 + sector.
  EXPECT_EQ(image["sectors"][10]["owner"], "ONE/BAS, record 1 of 2");
  EXPECT_EQ(image["sectors"][12]["owner"], "ONE/BAS, past its end");
  EXPECT_EQ(image["sectors"][15]["owner"], "free");
  EXPECT_EQ(image["sectors"][170]["owner"], "GAT");
  EXPECT_EQ(image["dos"]["files"].size(), 1u);

  EXPECT_EQ(FilesText(report.fs()),
            "  TRSDOS   DATADISK   03/04/85\n"
            "  ONE/BAS           272     P0\n"
            "  1 file, 67 free granules of 5 sectors\n");
}

TEST(InfoFiles, DeletedFilesAndUnownedRunsAfterTheFiles) {
  const ImageReport report = OneFileDisk(true);
  const std::string json = DosJson(report.fs()).dump();
  EXPECT_EQ(json.substr(json.find(R"("deleted")")),
            R"("deleted":[{"name":"OLD","ext":"TXT","size":32,)"
            R"("extents":[{"track":3,"granule":0,"count":1}],"state":"unverified"}],)"
            R"("unowned":[{"extent":{"track":5,"granule":0,"count":1},"holds":null}]})");
  EXPECT_EQ(FilesText(report.fs()),
            "  TRSDOS   DATADISK   03/04/85\n"
            "  ONE/BAS           272     P0\n"
            "  1 file, 66 free granules of 5 sectors\n"
            "  problem: track 5 granule 0: allocated in the GAT, used by no file\n"
            "  deleted  OLD/TXT            32  unverified\n"
            "  unowned  track 5 granule 0\n");
}

TEST(InfoFiles, NoDosIsNull) {
  const std::optional<FileSystem> none;
  EXPECT_TRUE(DosJson(none).is_null());
  EXPECT_TRUE(OwnerJson(none, 0).is_null());
  EXPECT_EQ(FilesText(none), "  no DOS recognised\n");
}

}  // namespace
}  // namespace m1::info
