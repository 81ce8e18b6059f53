// A file's bytes from its sectors: a DMK of two tracks holding a file of 1034 bytes in two extents
// (track 0 sectors 1-2, track 1 sectors 1-3), each sector filled with its own byte. Track 0
// sector 2 has a bad data CRC, track 1 sector 2 is not on the disk, and the file ends 10 bytes
// into track 1 sector 3.
#include "core/dos/file_bytes.h"

#include <gtest/gtest.h>

#include "tests/core/real_image.h"
#include "tests/support/image_builder.h"

namespace m1::testing {
namespace {

struct TwoExtentFile {
  Bytes image;
  Listing listing;
  DosFile file;

  // cut: the image ends that many bytes into the data of track 1 sector 3.
  explicit TwoExtentFile(std::optional<std::size_t> cut = std::nullopt) {
    DmkBuilder dmk(2, 6400, 0x10);
    std::vector<DmkSector> track0 = DdSectors(0, 0, 1, 2), track1 = DdSectors(1, 0, 1, 3);
    track0[0].fill = 0x11;
    track0[1].fill = 0x12;
    track1[0].fill = 0x21;
    track1[1].sector = 9;  // sector 2 is missing; a sector 9 stands there
    track1[2].fill = 0x23;
    dmk.AddTrack(track0).AddTrack(track1);
    image = dmk.Build();
    image[dmk.Place(0, 1).data + 7] ^= 0xFF;
    if (cut) image.resize(dmk.Place(1, 2).data + *cut);
    listing = ListSectors(image);
    file.name = "TWO";
    file.size = 4 * 256 + 10;
    for (const auto& [c, s] :
         std::vector<std::pair<int, int>>{{0, 1}, {0, 2}, {1, 1}, {1, 2}, {1, 3}}) {
      file.sectors.push_back({c, 0, s, listing.Find(c, 0, s)});
    }
  }
};

TEST(FileBytes, SectorsInOrderCutToSizeWithEachProblemNamed) {
  const TwoExtentFile t;
  const FileBytes got = ReadFileBytes(t.image, t.listing, t.file);
  Bytes want;
  for (const auto& [n, b] : std::vector<std::pair<std::size_t, std::uint8_t>>{
           {256, 0x11}, {256, 0x12}, {256, 0x21}, {256, 0x00}, {10, 0x23}}) {
    want.insert(want.end(), n, b);
  }
  want[256 + 7] = 0x12 ^ 0xFF;  // the bad-CRC sector's bytes as the image holds them
  EXPECT_EQ(got.bytes, want);
  ASSERT_EQ(got.problems.size(), 2u);
  EXPECT_EQ(got.problems[0].text, "record 2 (track 0 side 0 sector 2): data CRC bad");
  EXPECT_EQ(got.problems[1].text,
            "record 4 (track 1 side 0 sector 2): no such sector in the image; 256 zero bytes "
            "stand in their place");
  EXPECT_EQ(got.problems[1].record, 3u);

  // Where bytes lie: record numbers of the listing (track 0: 0-1, track 1: 2-4).
  const std::vector<std::pair<std::int64_t, std::optional<std::size_t>>> places = {
      {-1, std::nullopt},  {0, 0}, {511, 1}, {512, 2}, {768, std::nullopt}, {1033, 4},
      {1034, std::nullopt}};
  for (const auto& [offset, record] : places) {
    EXPECT_EQ(RecordOfFileOffset(t.file, offset), record) << offset;
  }
}

TEST(FileBytes, CutSectorAndTooFewSectors) {
  const TwoExtentFile cut(4);
  const FileBytes got = ReadFileBytes(cut.image, cut.listing, cut.file);
  ASSERT_EQ(got.bytes.size(), 1034u);
  EXPECT_EQ(got.bytes[1027], 0x23);
  EXPECT_EQ(got.bytes[1028], 0x00);
  ASSERT_EQ(got.problems.size(), 3u);
  EXPECT_EQ(got.problems[2].text,
            "record 5 (track 1 side 0 sector 3): the image holds 4 of its 10 bytes; 6 zero bytes "
            "stand in their place");

  TwoExtentFile longer;
  longer.file.size = 6 * 256;
  const FileBytes past = ReadFileBytes(longer.image, longer.listing, longer.file);
  EXPECT_EQ(past.bytes.size(), 5u * 256);
  EXPECT_EQ(past.problems.back().text,
            "record 6: past the sectors its extents hold; the file ends at byte 1280");
}

// Every file of the real utility disk: its bytes are its sectors' data joined and cut to its size,
// and each /CMD file's load records (type, length, that many bytes; a load block's length of 0-2
// meaning 256-258) run to a transfer address that ends exactly at the file's end.
TEST(FileBytes, RealUtilityDiskFilesWhole) {
  const std::optional<Bytes> image = ReadUtilityDisk();
  if (!image) GTEST_SKIP() << UtilityDiskPath() << " is not there";
  const Listing listing = ListSectors(*image);
  const std::optional<FileSystem> fs = ReadFileSystem(*image, listing);
  ASSERT_TRUE(fs);
  int commands = 0;
  for (const DosFile& f : fs->files) {
    Bytes joined;
    for (const FileSector& s : f.sectors) {
      ASSERT_TRUE(s.record) << f.FullName();
      const SectorRecord& r = listing.records[*s.record];
      ASSERT_TRUE(r.dataOffset);
      const auto at = image->begin() + static_cast<std::ptrdiff_t>(*r.dataOffset);
      joined.insert(joined.end(), at, at + 256);
    }
    joined.resize(static_cast<std::size_t>(f.size));
    const FileBytes got = ReadFileBytes(*image, listing, f);
    EXPECT_TRUE(got.problems.empty()) << f.FullName() << ": " << got.problems.front().text;
    EXPECT_EQ(got.bytes, joined) << f.FullName();
    if (f.ext != "CMD") continue;
    ++commands;
    std::size_t at = 0;
    while (at + 1 < joined.size() && joined[at] != 0x02) {
      const std::size_t length = joined[at + 1];
      at += 2 + (joined[at] == 0x01 && length < 3 ? length + 256 : length);
    }
    ASSERT_LT(at + 1, joined.size()) << f.FullName();
    EXPECT_EQ(at + 2 + joined[at + 1], joined.size()) << f.FullName();
  }
  EXPECT_GT(commands, 0);
}

}  // namespace
}  // namespace m1::testing
