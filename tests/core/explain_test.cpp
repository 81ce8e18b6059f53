// The byte explainer: fields of hand-made listings over builder images, offset by offset, and a
// walk over every offset of each sample image.
#include "core/explain/explain.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/container/listing.h"
#include "core/dos/filesystem.h"
#include "tests/support/image_builder.h"

namespace m1::testing {
namespace {

struct Case {
  std::int64_t offset;
  const char* text;
};

void ExpectTexts(const ByteExplainer& e, const std::vector<Case>& cases) {
  for (const Case& c : cases) EXPECT_EQ(e.Explain(c.offset), c.text) << "offset " << c.offset;
}

SectorRecord Record(int track, int sector, bool dd, std::int64_t id, std::int64_t data) {
  SectorRecord r;
  r.track = r.cylinder = track;
  r.sector = sector;
  r.sizeCode = 1;
  r.size = 256;
  r.doubleDensity = dd;
  r.doubled = !dd;
  r.idOffset = id;
  r.dataOffset = data;
  r.dam = 0xFB;
  r.idCrc = CrcCheck{true, 0x1234, 0x1234};
  r.dataCrc = CrcCheck{true, 0x5678, 0x5678};
  return r;
}

// Record 0 of the listing is record 9 of an 18-sector BASIC/CMD.
FileSystem BasicOwnsRecordZero(std::size_t records) {
  FileSystem fs;
  fs.dos = "Newdos/80";
  DosFile basic;
  basic.name = "BASIC";
  basic.ext = "CMD";
  basic.sectors.resize(18);
  fs.files.push_back(basic);
  fs.owners.resize(records);
  fs.owners[0] = SectorOwner{OwnerKind::File, 0, 9, 0};
  return fs;
}

TEST(Explain, DmkHeaderPointersFieldsAndDoubledCopies) {
  // Image 0: a double-density sector, FE at 16 + 159 = 175, mark at 219, data 220..475, CRC 476.
  // Image 1 (from 6416): a doubled single-density sector, FE at 6416 + 172 = 6588, each logical
  // byte k at 6588 + 2k; mark at 6636, data byte k at 6638 + 2k, CRC at 6638 + 512 = 7150.
  DmkBuilder dmk(2, 6400, 0x10);
  dmk.AddTrack({DmkSector::Dd(0, 0, 1)});
  dmk.AddTrack({DmkSector::Sd(1, 0, 1)});
  const Bytes file = dmk.Build();
  Listing listing;
  listing.format = ImageFormat::Dmk;
  listing.records = {Record(0, 1, true, 175, 220), Record(1, 1, false, 6588, 6638)};
  listing.records[0].dataCrc = CrcCheck{false, 0x1A2B, 0x3C4D};
  // A third record whose data would run on into image 1: its bytes stop at the image's end.
  SectorRecord cut = Record(0, 7, true, 6300, 6350);
  cut.remarks = kRemarkCutByTrack;
  listing.records.push_back(cut);
  const FileSystem fs = BasicOwnsRecordZero(listing.records.size());
  const ByteExplainer e(file, listing, &fs);
  ExpectTexts(
      e, {
             {0, "DMK header: write protect (00, writable)"},
             {1, "DMK header: tracks (2)"},
             {3, "DMK header: track length (2 bytes, 6400)"},
             {4, "DMK header: options (10, single-sided)"},
             {13, "DMK header: reserved (byte 13, 00)"},
             {16, "track image 0, pointer 0: ID address mark at +0x009F, double density"},
             {18, "track image 0, pointer 1: 0000, the end of the table"},
             {21, "track image 0, pointer 2: unused (after the end of the table)"},
             {175,
              "ID field of track 0 side 0 sector 1: ID address mark, double density; ID CRC ok "
              "(1234)"},
             {178, "ID field of track 0 side 0 sector 1: sector number; ID CRC ok (1234)"},
             {179, "ID field of track 0 side 0 sector 1: size code (256 bytes); ID CRC ok (1234)"},
             {190, "gap between the ID field and the data field of track 0 side 0 sector 1"},
             {219, "data address mark FB, data of track 0 side 0 sector 1"},
             {237, "data byte 17 of track 0 side 0 sector 1 (BASIC/CMD, record 9 of 18)"},
             {476,
              "data CRC, high byte, of track 0 side 0 sector 1; data CRC bad (written 1A2B, "
              "computed 3C4D)"},
             {478, "gap (track image 0, +0x01CE)"},
             {6415, "data byte 65 of track 0 side 0 sector 7"},
             {6416, "track image 1, pointer 0: ID address mark at +0x00AC, single density"},
             {6595,
              "ID field of track 1 side 0 sector 1: sector number (second copy of a doubled "
              "single-density byte); ID CRC ok (1234)"},
             {6637,
              "data address mark FB, data of track 1 side 0 sector 1 (second copy of a doubled "
              "single-density byte)"},
             {6672, "data byte 17 of track 1 side 0 sector 1"},
             {6673,
              "data byte 17 of track 1 side 0 sector 1 (second copy of a doubled single-density "
              "byte)"},
             {7152, "data CRC, low byte, of track 1 side 0 sector 1; data CRC ok (5678)"},
             {12815, "gap (track image 1, +0x18FF)"},
             {12816, "past the end of the file"},
             {-1, "past the end of the file"},
         });
}

TEST(Explain, OverlappingFieldsGoToIdFieldsFirstThenToTheEarlierRecord) {
  // Record 1 reads its ID field inside record 0's data (220..475) and its data from 400: the ID
  // field wins its seven bytes, record 0's data keeps the rest of its own; record 2 lies on record
  // 0 exactly and loses everywhere. Fields win by kind: ID, mark, data, CRC, gap.
  DmkBuilder dmk(1, 6400, 0x10);
  dmk.AddTrack({DmkSector::Dd(0, 0, 1)});
  Listing listing;
  listing.format = ImageFormat::Dmk;
  listing.records = {Record(0, 1, true, 175, 220), Record(0, 2, true, 300, 400),
                     Record(0, 3, true, 175, 220)};
  const Bytes file = dmk.Build();
  const ByteExplainer e(file, listing, nullptr);
  ExpectTexts(e, {
                     {178, "ID field of track 0 side 0 sector 1: sector number; ID CRC ok (1234)"},
                     {299, "data byte 79 of track 0 side 0 sector 1"},
                     {303, "ID field of track 0 side 0 sector 2: sector number; ID CRC ok (1234)"},
                     {307, "data byte 87 of track 0 side 0 sector 1"},
                     {475, "data byte 255 of track 0 side 0 sector 1"},
                     {476, "data byte 76 of track 0 side 0 sector 2"},
                     {656, "data CRC, high byte, of track 0 side 0 sector 2; data CRC ok (5678)"},
                 });
}

TEST(Explain, Jv3TableFlagsWriteProtectAndData) {
  // Entry 0 at 0..2 (single density, 256 bytes, data 8704..8959); entry 1 at 3..5 with flags
  // 0x80 double density | 0x20 mark F8 | 0x10 side 1 | 0x08 CRC error | 0x01 128 bytes (data
  // 8960..9087); entry 2 free; the write-protect byte at 8703.
  Jv3Builder jv3;
  jv3.Add(0, 1, 0x00);
  jv3.Add(0, 2, 0xB9);
  const Bytes file = jv3.Build();
  Listing listing;
  listing.format = ImageFormat::Jv3;
  SectorRecord a = Record(0, 1, false, 0, 8704);
  a.doubled = false;
  a.idCrc.reset();
  a.dataCrc = CrcCheck{};
  SectorRecord b = Record(0, 2, true, 3, 8960);
  b.side = 1;
  b.size = 128;
  b.idCrc.reset();
  b.dataCrc = CrcCheck{false, {}, {}};
  listing.records = {a, b};
  const ByteExplainer e(file, listing, nullptr);
  ExpectTexts(
      e, {
             {0, "JV3 sector header 0 (track 0 side 0 sector 1): track number"},
             {4, "JV3 sector header 1 (track 0 side 1 sector 2): sector number"},
             {5,
              "JV3 sector header 1 (track 0 side 1 sector 2): flags B9: double density, data mark "
              "F8, side 1, read with a CRC error, 128 bytes"},
             {6, "JV3 sector header 2: free entry"},
             {8702, "JV3 sector header 2900: free entry"},
             {8703, "JV3 write-protect byte (FF, not protected)"},
             {8721, "data byte 17 of track 0 side 0 sector 1"},
             {8960, "data byte 0 of track 0 side 1 sector 2; read with a CRC error"},
             {9088, "past the end of the file"},
         });
}

TEST(Explain, FileThatIsNoImage) {
  const Bytes file(100, 0x41);
  Listing listing;
  listing.error = "the file is too short";
  const ByteExplainer e(file, listing, nullptr);
  EXPECT_EQ(e.Explain(50), "not a disk image (the file is too short)");
}

Bytes ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// Every offset of every sample has an explanation; each data byte and each ID field byte of the
// listing is explained as such, and nothing else is.
TEST(Explain, EveryOffsetOfEverySample) {
  int samples = 0;
  for (const auto& entry : std::filesystem::directory_iterator(M1VIEW_SAMPLES)) {
    const auto ext = entry.path().extension();
    if (ext != ".dmk" && ext != ".jv3" && ext != ".dsk") continue;
    ++samples;
    SCOPED_TRACE(entry.path().filename().string());
    const Bytes file = ReadAll(entry.path());
    const Listing listing = ListSectors(file);
    ASSERT_TRUE(listing.format);
    const std::optional<FileSystem> fs = ReadFileSystem(file, listing);
    const ByteExplainer e(file, listing, fs ? &*fs : nullptr);
    std::int64_t dataBytes = 0, idBytes = 0;
    for (const SectorRecord& r : listing.records) {
      dataBytes += std::int64_t{r.size} * r.Step();
      if (listing.format == ImageFormat::Dmk) idBytes += 7 * r.Step();
      const std::string first = e.Explain(*r.dataOffset);
      EXPECT_EQ(first.rfind("data byte 0 of track " + std::to_string(r.track) + " side " +
                                std::to_string(r.side) + " sector " + std::to_string(r.sector),
                            0),
                0u)
          << first;
    }
    std::int64_t seenData = 0, seenId = 0;
    for (std::int64_t at = 0; at < static_cast<std::int64_t>(file.size()); ++at) {
      const std::string text = e.Explain(at);
      ASSERT_FALSE(text.empty()) << at;
      ASSERT_EQ(text.find("past the end"), std::string::npos) << at;
      ASSERT_EQ(text.find("outside the track image"), std::string::npos) << at;
      ASSERT_EQ(text.find("cut by"), std::string::npos) << at;
      if (text.rfind("data byte ", 0) == 0) {
        ++seenData;
        ASSERT_LT(std::stoi(text.substr(10)), 256) << text;
      }
      if (text.rfind("ID field of ", 0) == 0) ++seenId;
    }
    EXPECT_EQ(seenData, dataBytes);
    EXPECT_EQ(seenId, idBytes);
    EXPECT_EQ(e.Explain(static_cast<std::int64_t>(file.size())), "past the end of the file");
  }
  EXPECT_EQ(samples, 7);
}

}  // namespace
}  // namespace m1::testing
