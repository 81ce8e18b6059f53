// The physical listing: every record as it lies in the file, with its CRCs checked.
#include "core/container/listing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "core/container/crc.h"
#include "core/container/record_text.h"
#include "core/design/index_reach.h"
#include "core/disk_facts.h"
#include "tests/core/real_image.h"
#include "tests/support/image_builder.h"

namespace m1::testing {
namespace {

// The listing with the records out of the main window's reach marked, as the health window
// shows it.
Listing List(const Bytes& file) {
  Listing listing = ListSectors(file);
  MarkIndexReach(file, listing);
  return listing;
}

// A track image of 6400 bytes built by hand: each ID field at `at` (FE 00 00 R 01 and its CRC),
// its data mark `gap` logical bytes after the FE, 256 data bytes of 0xE5 and their CRC. Single
// density is recorded doubled. Bytes that would fall past the end of the image are left out.
struct HandSector {
  int at;
  std::uint8_t sector;
  int gap;
  bool dd = true;
};
Bytes HandTrack(std::initializer_list<HandSector> sectors) {
  Bytes t(6400, 0x4E);
  std::fill_n(t.begin(), 128, 0);  // the pointer table, 0 after the last pointer
  int slot = 0;
  for (const HandSector& s : sectors) {
    const std::size_t step = s.dd ? 1 : 2;
    auto put = [&](std::size_t at, std::size_t k, std::uint8_t b) {
      for (std::size_t copy = 0; copy < step; ++copy) {
        if (at + step * k + copy < t.size()) t[at + step * k + copy] = b;
      }
    };
    t[2 * slot] = static_cast<std::uint8_t>(s.at & 0xFF);
    t[2 * slot + 1] = static_cast<std::uint8_t>((s.dd ? 0x80 : 0) | (s.at >> 8));
    ++slot;
    const Bytes sync = s.dd ? Bytes{0xA1, 0xA1, 0xA1} : Bytes{};
    Bytes id = sync;
    for (const std::uint8_t b :
         {std::uint8_t{0xFE}, std::uint8_t{0}, std::uint8_t{0}, s.sector, std::uint8_t{1}}) {
      id.push_back(b);
    }
    const std::uint16_t idCrc = Crc16Ccitt(id);
    const auto at = static_cast<std::size_t>(s.at);
    for (std::size_t k = 0; k < 5; ++k) put(at, k, id[sync.size() + k]);
    put(at, 5, static_cast<std::uint8_t>(idCrc >> 8));
    put(at, 6, static_cast<std::uint8_t>(idCrc & 0xFF));
    Bytes field = sync;
    field.push_back(0xFB);
    field.resize(field.size() + 256, 0xE5);
    const std::uint16_t dataCrc = Crc16Ccitt(field);
    const std::size_t mark = at + step * static_cast<std::size_t>(s.gap);
    for (std::size_t k = 0; k < 257; ++k) put(mark, k, field[sync.size() + k]);
    put(mark, 257, static_cast<std::uint8_t>(dataCrc >> 8));
    put(mark, 258, static_cast<std::uint8_t>(dataCrc & 0xFF));
  }
  return t;
}

TEST(Listing, CrcOfTheWorkedExamples) {
  const Bytes sd = {0xFE, 0x00, 0x00, 0x01, 0x01};
  const Bytes dd0 = {0xFE, 0x00, 0x00, 0x01, 0x02};
  const Bytes dd1 = {0xFE, 0x00, 0x01, 0x01, 0x02};
  EXPECT_EQ(Crc16(sd), 0xC2E2);
  EXPECT_EQ(Crc16(dd0, kCrcStartAfterSync), 0xCA6F);
  EXPECT_EQ(Crc16(dd1, kCrcStartAfterSync), 0xFD5F);
  const Bytes sync = {0xA1, 0xA1, 0xA1};
  EXPECT_EQ(Crc16(sync), kCrcStartAfterSync);
}

TEST(Listing, CrcInEightByteStepsAgreesWithBoostByteByByte) {
  Bytes bytes(1100);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 151 + 7);
  for (const std::size_t n : {0, 1, 7, 8, 9, 15, 16, 17, 257, 1025, 1100}) {
    for (const std::uint16_t start : {kCrcStart, kCrcStartAfterSync, std::uint16_t{0}}) {
      const auto span = std::span(bytes).first(n);
      EXPECT_EQ(Crc16Update(start, span), Crc16UpdateBytewise(start, span)) << n;
    }
  }
}

TEST(Listing, DoubledSingleDensityFieldReadsEveryOtherByte) {
  DmkBuilder dmk(1, 3264, 0x10);
  DmkSector s = DmkSector::Sd(0, 0, 1);
  s.data = {0x11, 0x22, 0x33};
  dmk.AddTrack({s});
  const Bytes file = dmk.Build();
  const Listing l = List(file);
  ASSERT_EQ(l.format, ImageFormat::Dmk);
  ASSERT_EQ(l.records.size(), 1u);
  const SectorRecord& r = l.records[0];
  EXPECT_TRUE(r.doubled);
  EXPECT_FALSE(r.doubleDensity);
  EXPECT_EQ(r.idOffset, 16 + 128 + 32 + 12);  // 16 gap bytes and 6 zeros, each twice
  EXPECT_EQ(r.dataOffset, *r.idOffset + 50);  // the mark 24 bytes after FE, doubled
  EXPECT_EQ(r.dam, 0xFB);
  ASSERT_TRUE(r.idCrc && r.dataCrc);
  EXPECT_TRUE(r.idCrc->ok);
  EXPECT_EQ(r.idCrc->written, 0xC2E2);
  EXPECT_TRUE(r.dataCrc->ok);
  EXPECT_EQ(r.remarks, 0u);
  EXPECT_EQ(HealthText(r), "ID CRC ok, data CRC ok");
  const auto data = SectorData(file, r);
  ASSERT_EQ(data.size(), 256u);
  EXPECT_EQ(data[0], 0x11);
  EXPECT_EQ(data[1], 0x22);
  EXPECT_EQ(data[2], 0x33);
  EXPECT_EQ(data[3], 0xE5);
}

TEST(Listing, BadCrcsAndMissingDataMark) {
  DmkBuilder dmk(1, 6400, 0x10);
  dmk.AddTrack({DmkSector::Dd(0, 0, 1), DmkSector::Dd(0, 0, 2), DmkSector::Dd(0, 0, 3)});
  Bytes file = dmk.Build();
  const std::size_t id1 = dmk.Place(0, 0).idam, data2 = dmk.Place(0, 1).data;
  file[id1 + 5] = 0x12;  // ID CRC written 1234 instead of FA0C
  file[id1 + 6] = 0x34;
  file[data2 + 7] ^= 0xFF;                // a data byte changed
  file[dmk.Place(0, 2).data - 1] = 0x00;  // the mark of sector 3 gone
  const Listing l = List(file);
  ASSERT_EQ(l.records.size(), 3u);
  const SectorRecord& a = l.records[0];
  EXPECT_EQ(a.idCrc->written, 0x1234);
  EXPECT_EQ(a.idCrc->computed, 0xFA0C);
  EXPECT_FALSE(a.idCrc->ok);
  EXPECT_EQ(HealthText(a), "ID CRC bad (written 1234, computed FA0C), data CRC ok");
  const SectorRecord& b = l.records[1];
  EXPECT_TRUE(b.idCrc->ok);
  EXPECT_FALSE(b.dataCrc->ok);
  EXPECT_EQ(b.dataCrc->written, (file[data2 + 256] << 8) | file[data2 + 257]);
  const SectorRecord& c = l.records[2];
  EXPECT_TRUE(c.Has(kRemarkNoDataMark));
  EXPECT_FALSE(c.dam);
  EXPECT_FALSE(c.dataOffset);
  EXPECT_FALSE(c.dataCrc);
  EXPECT_EQ(HealthText(c), "ID CRC ok, no data mark");
  EXPECT_EQ(RemarkTexts(c), std::vector<std::string>{"no data mark"});
  const HealthSummary s = l.Summary();
  // Records, good, bad ID CRC, bad data CRC, no data mark.
  EXPECT_EQ(std::tie(s.records, s.good, s.idCrcBad, s.dataCrcBad, s.noDataMark),
            std::tuple(3, 0, 1, 1, 1));
}

TEST(Listing, DataMarkAt55IsFoundButOutOfTheMainWindowsReach) {
  // Doubled single density: sector 1 with its mark 24 logical bytes after the FE (at +48 and
  // +49), sector 2 with it 27 after (+54 and +55): inside the controller's 30 bytes after the ID
  // CRC, past the main window's +50.
  Bytes file = DmkBuilder(1, 6400, 0x10).Build();
  const Bytes track = HandTrack({{0x100, 1, 24, false}, {0x400, 2, 27, false}});
  file.insert(file.end(), track.begin(), track.end());
  const Listing l = List(file);
  ASSERT_EQ(l.records.size(), 2u);
  EXPECT_EQ(l.records[0].dataOffset, 16 + 0x100 + 50);
  EXPECT_EQ(l.records[0].remarks, 0u);
  const SectorRecord& r = l.records[1];
  EXPECT_EQ(r.dam, 0xFB);
  EXPECT_EQ(r.dataOffset, 16 + 0x400 + 56);
  EXPECT_TRUE(r.idCrc->ok);
  EXPECT_TRUE(r.dataCrc->ok);
  EXPECT_EQ(r.remarks, kRemarkNotIndexed);
  EXPECT_FALSE(IsProblem(r));
  EXPECT_EQ(RemarkTexts(r), std::vector<std::string>{"not in the main window's index"});
}

TEST(Listing, DataMarkWindowEndsAfter30SingleAnd43DoubleDensityBytes) {
  struct Case {
    bool dd;
    int gap;  // logical bytes from the ID mark to the data mark
    bool found;
  };
  for (const Case c : {Case{true, 49, true}, Case{true, 50, false}, Case{false, 36, true},
                       Case{false, 37, false}}) {
    SCOPED_TRACE(c.gap);
    Bytes file = DmkBuilder(1, 6400, 0x10).Build();
    const Bytes track = HandTrack({{0x100, 1, c.gap, c.dd}});
    file.insert(file.end(), track.begin(), track.end());
    const Listing l = List(file);
    ASSERT_EQ(l.records.size(), 1u);
    EXPECT_EQ(l.records[0].Has(kRemarkNoDataMark), !c.found);
    if (c.found) {
      EXPECT_EQ(l.records[0].dataOffset, 16 + 0x100 + (c.gap + 1) * (c.dd ? 1 : 2));
    }
  }
}

TEST(Listing, DuplicatesAndDifferingTracksAndWhichOneFindPicks) {
  DmkBuilder dmk(1, 6400);  // one track, two images: image 1 is cylinder 0, head 1
  dmk.AddTrack({DmkSector::Dd(0, 0, 1), DmkSector::Dd(0, 0, 2), DmkSector::Dd(0, 0, 1)});
  dmk.AddTrack({DmkSector::Dd(7, 1, 1), DmkSector::Dd(0, 1, 1)});
  Bytes file = dmk.Build();
  file[dmk.Place(0, 0).data] ^= 0xFF;  // the first copy of sector 1 has a bad data CRC
  const Listing l = List(file);
  ASSERT_EQ(l.records.size(), 5u);
  EXPECT_FALSE(l.records[0].Has(kRemarkDuplicate));
  EXPECT_TRUE(l.records[2].Has(kRemarkDuplicate));
  EXPECT_EQ(l.records[3].cylinder, 0);
  EXPECT_EQ(l.records[3].head, 1);
  EXPECT_TRUE(l.records[3].Has(kRemarkTrackDiffers));
  EXPECT_FALSE(l.records[4].Has(kRemarkDuplicate));  // recorded track 0, the earlier one 7
  EXPECT_EQ(l.Summary().duplicates, 1);
  EXPECT_EQ(l.Find(0, 0, 1), 2u);  // the good copy
  EXPECT_EQ(l.Find(0, 0, 2), 1u);
  EXPECT_EQ(l.Find(0, 1, 1), 4u);  // the one whose recorded track is the cylinder
  EXPECT_FALSE(l.Find(0, 0, 9));
  EXPECT_FALSE(l.Find(5, 0, 1));
  EXPECT_FALSE(l.Find(-1, 0, 1));
}

TEST(Listing, DmkImagesAreSidesOnlyWhenTheFileHoldsMoreThanTheTracks) {
  DmkBuilder dmk(2, 6400);  // two tracks, two images, no single-sided option
  dmk.AddTrack({DmkSector::Dd(0, 0, 1)});
  dmk.AddTrack({DmkSector::Dd(1, 0, 1)});
  const Listing l = List(dmk.Build());
  ASSERT_EQ(l.records.size(), 2u);
  EXPECT_EQ(l.records[1].cylinder, 1);
  EXPECT_EQ(l.records[1].head, 0);
  EXPECT_EQ(l.records[1].remarks, 0u);
  EXPECT_EQ(l.cylinders, 2);
  EXPECT_EQ(l.sides, 1);
}

TEST(Listing, Jv3FlagsOfBothDensities) {
  struct Case {
    std::uint8_t flags;
    int dam, size, side;
    bool dd, crcOk;
    std::int64_t data;
  };
  const Case cases[] = {
      {0x00, 0xFB, 256, 0, false, true, 0x2200},  {0x21, 0xFA, 128, 0, false, true, 0x2300},
      {0x42, 0xF9, 1024, 0, false, true, 0x2380}, {0x63, 0xF8, 512, 0, false, true, 0x2780},
      {0x80, 0xFB, 256, 0, true, true, 0x2980},   {0xA0, 0xF8, 256, 0, true, true, 0x2A80},
      {0x98, 0xFB, 256, 1, true, false, 0x2B80},  {0x14, 0xFB, 256, 1, false, true, 0x2C80},
  };
  Jv3Builder jv3;
  int n = 0;
  for (const Case& c : cases) jv3.Add(0, n++, c.flags);
  const Listing l = List(jv3.Build());
  ASSERT_EQ(l.format, ImageFormat::Jv3);
  ASSERT_EQ(l.records.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    const SectorRecord& r = l.records[i];
    EXPECT_EQ(r.dam, cases[i].dam);
    EXPECT_EQ(r.size, cases[i].size);
    EXPECT_EQ(r.side, cases[i].side);
    EXPECT_EQ(r.doubleDensity, cases[i].dd);
    EXPECT_EQ(r.dataOffset, cases[i].data);
    EXPECT_EQ(r.idOffset, 3 * static_cast<std::int64_t>(i));
    EXPECT_FALSE(r.idCrc);
    ASSERT_TRUE(r.dataCrc);
    EXPECT_EQ(r.dataCrc->ok, cases[i].crcOk);
    EXPECT_FALSE(r.dataCrc->written);
  }
  EXPECT_EQ(HealthText(l.records[6]), "data CRC bad");
  EXPECT_TRUE(l.records[7].Has(kRemarkNonIbm));
  EXPECT_EQ(l.sides, 2);
}

TEST(Listing, Jv3FreeEntryKeepsItsDataSpace) {
  Jv3Builder jv3;
  jv3.Add(1, 0, 0x00);
  jv3.Add(1, 1, 0x00);
  jv3.Add(0, 2, 0x00);  // the main window refuses this table: its first four entries differ
  Bytes file = jv3.Build();
  file[3] = file[4] = file[5] = 0xFF;  // entry 1 freed: its 256 bytes stay
  const Listing l = List(file);
  ASSERT_EQ(l.format, ImageFormat::Jv3);
  ASSERT_EQ(l.records.size(), 2u);
  EXPECT_EQ(l.records[1].image, 2);
  EXPECT_EQ(l.records[1].dataOffset, 0x2400);
  EXPECT_TRUE(l.records[1].Has(kRemarkNotIndexed));
  EXPECT_EQ(l.cylinders, 2);
}

TEST(Listing, Jv3SecondTableAfterTheFirstTablesData) {
  Jv3Builder jv3;
  for (int k = 0; k < 2901; ++k) jv3.Add(k / 40, k % 40, 0x01);  // 128 bytes each
  Bytes file = jv3.Build();
  ASSERT_EQ(file.size(), 0x2200u + 2901 * 128);
  Bytes second(0x2200, 0xFF);
  second[0] = 80;  // track 80, sector 3, double density, 256 bytes
  second[1] = 3;
  second[2] = 0x80;
  file.insert(file.end(), second.begin(), second.end());
  file.resize(file.size() + 256, 0xE5);
  const Listing l = List(file);
  ASSERT_EQ(l.records.size(), 2902u);
  const SectorRecord& r = l.records.back();
  EXPECT_EQ(r.image, 2901);
  EXPECT_EQ(r.track, 80);
  EXPECT_EQ(r.idOffset, 0x2200 + 2901 * 128);
  EXPECT_EQ(r.dataOffset, 0x2200 + 2901 * 128 + 0x2200);
  EXPECT_EQ(r.remarks & ~kRemarkNotIndexed, 0u);
}

TEST(Listing, FieldsCutByTheTrackImageAndByTheFile) {
  // Image 0: an ID field at 6300 whose data field runs past the end of the image; image 1 follows.
  Bytes file = DmkBuilder(2, 6400, 0x10).Build();
  const Bytes first = HandTrack({{6300, 1, 44}});
  file.insert(file.end(), first.begin(), first.end());
  DmkBuilder second(1, 6400);
  second.AddTrack({DmkSector::Dd(1, 0, 1), DmkSector::Dd(1, 0, 2)});
  const Bytes image1 = second.Build();
  file.insert(file.end(), image1.begin() + 16, image1.end());
  const std::size_t data2 = 6400 + second.Place(0, 1).data;
  const Listing whole = List(file);
  ASSERT_EQ(whole.records.size(), 3u);
  const SectorRecord& r = whole.records[0];
  EXPECT_EQ(r.remarks & (kRemarkCutByTrack | kRemarkCutByFile), kRemarkCutByTrack);
  EXPECT_EQ(r.dataOffset, 16 + 6300 + 45);
  EXPECT_EQ(r.dataPresent, 6400 - 6345);
  EXPECT_FALSE(r.dataCrc);
  EXPECT_EQ(HealthText(r), "ID CRC ok, data field cut");
  EXPECT_EQ(SectorData(file, r).size(), 55u);

  // The file cut 100 bytes into the data of image 1's second sector, then 3 bytes after an ID mark.
  Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(data2 + 100));
  const Listing l = List(cut);
  ASSERT_EQ(l.records.size(), 3u);
  EXPECT_TRUE(l.records[1].dataCrc);
  EXPECT_EQ(l.records[2].remarks & (kRemarkCutByTrack | kRemarkCutByFile), kRemarkCutByFile);
  EXPECT_EQ(l.records[2].dataPresent, 100);
  EXPECT_EQ(SectorData(cut, l.records[2]).size(), 100u);
  const std::size_t id2 = 6400 + second.Place(0, 1).idam;
  cut.resize(id2 + 3);
  const Listing l2 = List(cut);
  ASSERT_EQ(l2.records.size(), 3u);
  const SectorRecord& c = l2.records[2];
  EXPECT_TRUE(c.Has(kRemarkCutByFile));
  EXPECT_FALSE(c.idCrc);
  EXPECT_FALSE(c.dataOffset);
  EXPECT_EQ(c.track, 1);
  EXPECT_EQ(c.side, 0);
  EXPECT_EQ(HealthText(c), "ID field cut");
}

TEST(Listing, Jv3AndJv1CutByTheFile) {
  Jv3Builder jv3;
  jv3.Add(0, 0, 0x00);
  jv3.Add(0, 1, 0x00);
  Bytes file = jv3.Build();
  file.resize(file.size() - 56);
  const Listing l = List(file);
  ASSERT_EQ(l.records.size(), 2u);
  EXPECT_TRUE(l.records[1].Has(kRemarkCutByFile));
  EXPECT_EQ(l.records[1].dataPresent, 200);

  Bytes jv1 = Jv1Builder(2).Build();
  jv1.resize(2560 + 300);
  const Listing j = List(jv1);
  ASSERT_EQ(j.format, ImageFormat::Jv1);
  ASSERT_EQ(j.records.size(), 12u);
  EXPECT_EQ(j.records[11].cylinder, 1);
  EXPECT_EQ(j.records[11].sector, 1);
  EXPECT_EQ(j.records[11].dataOffset, 2816);
  EXPECT_EQ(j.records[11].dataPresent, 44);
  EXPECT_TRUE(j.records[11].Has(kRemarkCutByFile));
  EXPECT_EQ(HealthText(j.records[0]), "no CRCs recorded");
}

TEST(Listing, Recognition) {
  DmkBuilder real(1, 6400, 0x10);
  real.SetHeaderByte(12, 0x78).SetHeaderByte(13, 0x56).SetHeaderByte(14, 0x34).SetHeaderByte(15,
                                                                                             0x12);
  real.AddTrack({DmkSector::Dd(0, 0, 1)});
  const Listing r = List(real.Build());
  EXPECT_EQ(r.format, ImageFormat::Dmk);
  ASSERT_EQ(r.records.size(), 1u);
  EXPECT_TRUE(r.records[0].Has(kRemarkNotIndexed));  // the main window refuses a real drive

  const Listing data = List(Jv1Builder(35, 0xE5, false).Build());  // a JV1 data disk
  EXPECT_EQ(data.format, ImageFormat::Jv1);
  EXPECT_EQ(data.records.size(), 350u);
  EXPECT_EQ(data.cylinders, 35);

  Bytes noise(20000);
  for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<std::uint8_t>(i * 7 + 3);
  EXPECT_EQ(List(noise).error, "not a JV1, JV3 or DMK image");
  EXPECT_FALSE(List(noise).format);
  EXPECT_EQ(List(Bytes(15, 0)).error, "too short to be a disk image");
  EXPECT_EQ(LengthError(std::int64_t{64} * 1024 * 1024 + 1),
            "too large to be a disk image (over 64 MiB)");
  EXPECT_FALSE(LengthError(std::int64_t{64} * 1024 * 1024));
}

TEST(Listing, RealUtilityJv3HasNoProblems) {
  const std::optional<Bytes> file = ReadUtilityDisk();
  if (!file) GTEST_SKIP() << UtilityDiskPath() << " is not there";
  const Listing l = List(*file);
  ASSERT_EQ(l.format, ImageFormat::Jv3);
  EXPECT_EQ(l.cylinders, 80);
  EXPECT_EQ(l.sides, 1);
  EXPECT_EQ(l.Summary().records, 800);
  EXPECT_EQ(l.Summary().good, 800);
  for (const SectorRecord& r : l.records) EXPECT_EQ(r.remarks, 0u);
  EXPECT_EQ(l.records[l.Find(17, 0, 5).value()].dam, 0xFA);
  EXPECT_EQ(l.Find(0, 0, 1), 2u);  // track 0 in the order 0 5 1 6 ...
}

}  // namespace
}  // namespace m1::testing

namespace m1::testing {
namespace {

TEST(Listing, DmkTrackImagesPastTheHeadersCountAreListedWithARemark) {
  // A header naming 3 tracks over 8 images: a double-sided disk of 4 cylinders.
  DmkBuilder dmk(3, 6400);
  for (int k = 0; k < 8; ++k) dmk.AddTrack({DmkSector::Dd(k / 2, k % 2, 1)});
  const Bytes file = dmk.Build();
  const Listing l = List(file);
  ASSERT_EQ(l.records.size(), 8u);
  EXPECT_EQ(l.cylinders, 4);
  EXPECT_EQ(l.sides, 2);
  for (int k = 0; k < 8; ++k) EXPECT_EQ(l.records[k].Has(kRemarkPastHeader), k >= 6) << k;
  const SectorRecord& last = l.records[7];
  EXPECT_EQ(last.cylinder, 3);
  EXPECT_EQ(last.head, 1);
  EXPECT_TRUE(IsProblem(last));
  EXPECT_EQ(RemarkTexts(last), (std::vector<std::string>{"not in the main window's index",
                                                         "past the header's track count"}));
  EXPECT_EQ(l.Summary().pastHeader, 2);
  EXPECT_EQ(l.Summary().good, 6);
  const auto facts = DiskFacts::Read(file);
  EXPECT_EQ(facts->Explain(16 + 6 * 6400),
            "track image 6 (past the 6 the header names), pointer 0: ID address mark at +0x009F, "
            "double density");
}

}  // namespace
}  // namespace m1::testing
