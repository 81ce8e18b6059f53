// The DOS directories read from disks built here: Newdos/80 on single-sided single-density JV1 and
// double-sided double-density JV3, LDOS and TRSDOS 2.3 on JV1, Model III TRSDOS 1.3 on JV3, the
// problems a directory can have, and the real utility disk. HIT bytes are the names' hashes worked
// out by hand (BOOT/SYS 0xA2, DIR/SYS 0xC4, ONE/BAS 0x46, LONG/CMD 0x3D, SIDE/DAT 0xE3, PROG/CMD
// 0xAB).
#include "core/dos/filesystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

#include "tests/core/real_image.h"
#include "tests/support/image_builder.h"

namespace m1::testing {
namespace {

struct Read {
  Bytes file;
  Listing listing;
  std::optional<FileSystem> fs;

  explicit Read(Bytes bytes, const ContentGuess& guess = {}) : file(std::move(bytes)) {
    listing = ListSectors(file);
    fs = ReadFileSystem(file, listing, guess);
  }
  std::string Owner(int cylinder, int head, int sector) const {
    const auto r = listing.Find(cylinder, head, sector);
    return r ? fs->OwnerText(*r) : "no record";
  }
  // Whether the reader found `dos` with `freeGranules` granules free, no problem and `files`
  // files.
  ::testing::AssertionResult Found(const std::string& dos, int freeGranules,
                                   std::size_t files) const {
    if (!fs) return ::testing::AssertionFailure() << "no file system";
    if (fs->dos != dos) return ::testing::AssertionFailure() << "DOS " << fs->dos;
    if (fs->freeGranules != freeGranules) {
      return ::testing::AssertionFailure()
             << (fs->freeGranules ? std::to_string(*fs->freeGranules) : "no count of")
             << " granules free";
    }
    if (!fs->problems.empty()) return ::testing::AssertionFailure() << fs->problems.front();
    if (fs->files.size() != files) {
      return ::testing::AssertionFailure() << fs->files.size() << " files";
    }
    return ::testing::AssertionSuccess();
  }
  // Expects the owner text of each sector, given as cylinder, head, sector.
  void ExpectOwners(const std::vector<std::pair<std::vector<int>, std::string>>& owners) const {
    for (const auto& [at, text] : owners) {
      EXPECT_EQ(Owner(at[0], at[1], at[2]), text) << at[0] << "," << at[1] << "," << at[2];
    }
  }
  const DosFile& File(const std::string& fullName) const {
    const auto it = std::find_if(fs->files.begin(), fs->files.end(),
                                 [&](const DosFile& f) { return f.FullName() == fullName; });
    if (it == fs->files.end()) throw std::runtime_error("no file " + fullName);
    return *it;
  }
};

std::vector<std::vector<int>> Places(const DosFile& f) {
  std::vector<std::vector<int>> out;
  for (const FileSector& s : f.sectors) out.push_back({s.cylinder, s.head, s.sector});
  return out;
}

// A directory sector of zeros but for the given bytes, each at its offset.
Bytes ZeroSector(std::initializer_list<std::pair<std::size_t, std::uint8_t>> bytes) {
  Bytes sector(256, 0x00);
  for (const auto& [at, value] : bytes) sector[at] = value;
  return sector;
}

// The first and the last sector of a file as cylinder, head, sector (none for a file without).
std::vector<std::vector<int>> Ends(const DosFile& f) {
  const std::vector<std::vector<int>> places = Places(f);
  if (places.empty()) return {};
  return {places.front(), places.back()};
}

std::vector<std::vector<int>> Extents(const DosFile& f) {
  std::vector<std::vector<int>> out;
  for (const FileExtent& x : f.extents) out.push_back({x.track, x.granule, x.count});
  return out;
}

// Newdos/80 on 35 single-density tracks of 10 sectors: lumps of 2 granules of 5 sectors, so here a
// lump is a track; the directory at lump 17, two granules (GAT, HIT, 8 entry sectors).
// BOOT/SYS lump 0 granule 0; ONE/BAS lump 5 granule 1 and lump 6 granule 0 (8 records); LONG/CMD
// lump 8 granule 0, then through its extended entry in slot 11 (HIT position 3 x 32 + 1 = 0x61)
// lump 10 granule 1; DIR/SYS lump 17. Entry 2 of the second entry sector (slot 10, DEC 0x41) is
// spare.
struct NewdosDisk {
  Bytes gat = ZeroSector({{0, 0x01}, {5, 0x02}, {6, 0x01}, {8, 0x01}, {10, 0x02}, {17, 0x03}});
  Bytes hit = ZeroSector({{0, 0xA2}, {1, 0xC4}, {64, 0x46}, {96, 0x3D}, {97, 0x3D}});
  DirEntry boot{0x5E, "BOOT", "SYS", 0, 0, 0, 5, {0x00, 0x00}};
  DirEntry one{0x10, "ONE", "BAS", 0, 0, 0x40, 8, {0x05, 0x21}};
  DirEntry long1{0x10, "LONG", "CMD", 0, 0, 0, 10, {0x08, 0x00, 0xFE, 0x61}};
  DirEntry dir{0x5D, "DIR", "SYS", 0, 0, 0, 10, {0x11, 0x01}};
  DirEntry long2{0x90, "LONG", "CMD", 0, 0, 0, 0, {0x0A, 0x20}};
  Bytes spare = Bytes(32, 0x00);

  NewdosDisk() {
    const std::string label = "NEWDISK 01/02/83";
    std::copy(label.begin(), label.end(), gat.begin() + 0xD0);
  }
  Bytes Build() const {
    Jv1Builder jv1(35);
    const PdriveEntry p{.ddsl = 17, .tc = 35, .spt = 10, .gpl = 2, .ddga = 2};
    jv1.Put(0, 2, 0, NewdosSystemSector(p));
    jv1.Put(17, 0, 0, gat).Put(17, 1, 0, hit);
    jv1.Put(17, 2, 0, Bytes(256, 0)).Put(17, 3, 0, Bytes(256, 0));
    jv1.Put(17, 2, 0, boot.Build()).Put(17, 2, 64, one.Build()).Put(17, 2, 96, long1.Build());
    jv1.Put(17, 3, 0, dir.Build()).Put(17, 3, 64, spare).Put(17, 3, 96, long2.Build());
    return jv1.Build();
  }
};

TEST(FileSystem, NewdosSingleSidedFilesExtentsAndOwners) {
  const Read r(NewdosDisk().Build());
  // 70 granules, 7 allocated; the files in directory order: slots 0, 2, 3, 8.
  ASSERT_TRUE(r.Found("Newdos/80", 63, 4));
  EXPECT_EQ(r.fs->diskName, "NEWDISK");
  EXPECT_EQ(r.fs->date, "01/02/83");
  EXPECT_EQ(r.fs->files[3].FullName(), "DIR/SYS");

  const DosFile& boot = r.File("BOOT/SYS");
  EXPECT_TRUE(boot.system);
  EXPECT_TRUE(boot.invisible);
  EXPECT_EQ(boot.protection, 6);
  EXPECT_EQ(boot.size, 1280);

  const DosFile& one = r.File("ONE/BAS");
  EXPECT_EQ(one.size, 1856);  // 7 x 256 + 0x40
  EXPECT_FALSE(one.system || one.invisible);
  EXPECT_EQ(Extents(one), (std::vector<std::vector<int>>{{5, 1, 2}}));
  EXPECT_EQ(
      Places(one),
      (std::vector<std::vector<int>>{
          {5, 0, 5}, {5, 0, 6}, {5, 0, 7}, {5, 0, 8}, {5, 0, 9}, {6, 0, 0}, {6, 0, 1}, {6, 0, 2}}));
  EXPECT_EQ(one.sectors[0].record, r.listing.Find(5, 0, 5));

  const DosFile& long1 = r.File("LONG/CMD");
  EXPECT_EQ(long1.size, 2560);
  EXPECT_EQ(Extents(long1), (std::vector<std::vector<int>>{{8, 0, 1}, {10, 1, 1}}));
  ASSERT_EQ(long1.sectors.size(), 10u);
  EXPECT_EQ(Places(long1)[5], (std::vector<int>{10, 0, 5}));

  r.ExpectOwners({
      {{0, 0, 0}, "boot"},
      {{0, 0, 1}, "BOOT/SYS, record 2 of 5"},
      {{0, 0, 2}, "system"},
      {{17, 0, 0}, "GAT"},
      {{17, 0, 1}, "HIT"},
      {{17, 0, 3}, "directory, entries 8 to 15"},
      {{5, 0, 5}, "ONE/BAS, record 1 of 8"},
      {{6, 0, 2}, "ONE/BAS, record 8 of 8"},
      {{6, 0, 3}, "ONE/BAS, past its end"},
      {{10, 0, 9}, "LONG/CMD, record 10 of 10"},
      {{20, 0, 0}, "free"},
  });
}

TEST(FileSystem, EachProblemNamedOnce) {
  struct Case {
    std::function<void(NewdosDisk&)> change;
    std::string file;  // the file that names it, or empty for the disk
    std::string problem;
  };
  const std::vector<Case> cases = {
      {[](NewdosDisk& d) { d.gat[30] = 0x01; }, "",
       "lump 30 granule 0: allocated in the GAT, used by no file"},
      {[](NewdosDisk& d) { d.gat[5] = 0x00; }, "ONE/BAS",
       "extent 1 (lump 5, granule 1, 2 granules) lies on granules the GAT marks free"},
      {[](NewdosDisk& d) {
         d.long2.extents = {0x05, 0x20};
         d.gat[10] = 0x00;
       },
       "", "ONE/BAS and LONG/CMD lie on the same granules"},
      {[](NewdosDisk& d) {
         d.one.extents = {0x28, 0x21};
       },
       "ONE/BAS", "extent 1 (lump 40, granule 1, 2 granules) lies outside the disk"},
      {[](NewdosDisk& d) {
         d.long2.extents = {0x0A, 0x20, 0xFE, 0x61};
       },
       "LONG/CMD", "the extended entries loop back to entry 0x61"},
      {[](NewdosDisk& d) {
         d.long1.extents = {0x08, 0x00, 0xFE, 0x62};
       },
       "LONG/CMD", "its link leads to entry 0x62, which is not an extended entry in use"},
      {[](NewdosDisk& d) { d.hit[64] = 0x55; }, "",
       "entry 0x40 (ONE/BAS): HIT byte 0x55, the name's hash is 0x46"},
      // A HIT byte for an entry that is gone: overwritten, or killed with its HIT byte left.
      {[](NewdosDisk& d) { d.hit[0x41] = 0x77; }, "",
       "entry 0x41: the HIT names a file (0x77), but the entry is empty (zeros)"},
      {[](NewdosDisk& d) {
         d.hit[0x41] = 0x77;
         d.spare = Bytes(32, 0xFF);
       },
       "", "entry 0x41: the HIT names a file (0x77), but the entry is empty (FF)"},
      {[](NewdosDisk& d) { d.one.attributes = 0x00; }, "",
       "entry 0x40: the HIT names a file (0x46), but the entry is not in use"},
  };
  for (const Case& c : cases) {
    NewdosDisk disk;
    c.change(disk);
    const Read r(disk.Build());
    ASSERT_TRUE(r.fs);
    const auto& problems = c.file.empty() ? r.fs->problems : r.File(c.file).problems;
    EXPECT_EQ(std::count(problems.begin(), problems.end(), c.problem), 1) << c.problem;
  }
}

// LONG/CMD's second extent with its lump byte damaged (10 read as 5) lands on ONE/BAS's granule 1
// of lump 5 and leaves lump 10 granule 1 allocated to no file: one problem, on LONG/CMD.
TEST(FileSystem, DamagedExtentIsOneProblemOnItsFile) {
  NewdosDisk disk;
  disk.long2.extents = {0x05, 0x20};
  const Read r(disk.Build());
  ASSERT_TRUE(r.fs);
  EXPECT_EQ(r.fs->problems, std::vector<std::string>{});
  EXPECT_EQ(r.File("ONE/BAS").problems, std::vector<std::string>{});
  EXPECT_EQ(r.File("LONG/CMD").problems,
            std::vector<std::string>{
                "extent 2 (lump 5, granule 1, 1 granule) lies on granules of ONE/BAS, while the "
                "GAT allocates lump 10 granule 1 to no file: the extent seems damaged, and to have "
                "named those"});
}

// Stands in for the recogniser of file contents: a program saved to disk starts with 0xFF.
std::optional<std::string> LeadingFfIsBasic(std::span<const std::uint8_t> bytes) {
  if (!bytes.empty() && bytes[0] == 0xFF) return "basic";
  return std::nullopt;
}

// OLD/BAS killed in the spare slot (in-use bit clear, HIT byte zero, name and extents left), 16
// bytes (ERN 1, EOF 0x10). Lump 12 is free and its first byte tells whether it holds a program;
// lump 5 granule 1 is ONE/BAS's now.
TEST(FileSystem, KilledFileAndWhatBecameOfItsGranules) {
  struct Case {
    Bytes extents;
    std::uint8_t firstByte;  // of lump 12
    std::string state;
    std::vector<int> firstSector;
  };
  for (const Case& c : {Case{{0x0C, 0x00}, 0xFF, "recoverable", {12, 0, 0}},
                        Case{{0x0C, 0x00}, 0xE5, "unverified", {12, 0, 0}},
                        Case{{0x0C, 0x00, 0x05, 0x20}, 0xFF, "partly overwritten", {12, 0, 0}},
                        Case{{0x05, 0x21}, 0xFF, "overwritten", {5, 0, 5}}}) {
    NewdosDisk disk;
    disk.spare = DirEntry{0x00, "OLD", "BAS", 0, 0, 0x10, 1, c.extents}.Build();
    Bytes file = disk.Build();
    file[Jv1Builder::Offset(12, 0)] = c.firstByte;
    const Read r(file, LeadingFfIsBasic);
    ASSERT_TRUE(r.Found("Newdos/80", 63, 4));
    ASSERT_EQ(r.fs->deleted.size(), 1u);
    const DeletedFile& d = r.fs->deleted[0];
    EXPECT_EQ(d.state, c.state) << c.state;
    EXPECT_EQ(d.file.FullName(), "OLD/BAS");
    EXPECT_EQ(d.file.size, 16);
    EXPECT_EQ(Places(d.file), std::vector<std::vector<int>>{c.firstSector}) << c.state;
    EXPECT_EQ(r.Owner(12, 0, 0), "free");
  }
}

// Lump 30, both its granules allocated in the GAT and used by no file, holds a BASIC program.
TEST(FileSystem, UnownedRunAndWhatItHolds) {
  NewdosDisk disk;
  disk.gat[30] = 0x03;
  Bytes file = disk.Build();
  file[Jv1Builder::Offset(30, 0)] = 0xFF;
  const Read r(file, LeadingFfIsBasic);
  ASSERT_TRUE(r.fs);
  EXPECT_EQ(r.fs->problems, std::vector<std::string>{
                                "lump 30 granules 0-1: allocated in the GAT, used by no file"});
  ASSERT_EQ(r.fs->unowned.size(), 1u);
  const UnownedRun& u = r.fs->unowned[0];
  EXPECT_EQ((std::vector<int>{u.extent.track, u.extent.granule, u.extent.count}),
            (std::vector<int>{30, 0, 2}));
  EXPECT_EQ(u.holds, "basic");
  ASSERT_EQ(u.sectors.size(), 10u);
  EXPECT_EQ(u.sectors[9].sector, 9);
  EXPECT_EQ(u.sectors[9].record, r.listing.Find(30, 0, 9));
}

// Newdos/80 on 40 double-sided double-density cylinders: SPT 36 counts both sides, GPL 4, so a
// lump is 20 sectors; the directory at lump 18 is relative sector 360, cylinder 10. SIDE/DAT at
// lump 19 granule 1, two granules, is relative sectors 385-394: cylinder 10, side 1, sectors 7-16.
TEST(FileSystem, NewdosDoubleSidedExtentOnSideOne) {
  SectorDisk disk(40, 2, 18, 0, true);
  const PdriveEntry p{.ddsl = 18, .tc = 40, .spt = 36, .gpl = 4, .ddga = 2};
  disk.Put(0, 0, 2, 0, NewdosSystemSector(p));
  const Bytes gat = ZeroSector({{0, 0x01}, {18, 0x03}, {19, 0x06}});
  const Bytes hit = ZeroSector({{0, 0xE3}});
  disk.Put(10, 0, 0, 0, gat).Put(10, 0, 1, 0, hit).Put(10, 0, 2, 0, Bytes(256, 0x00));
  disk.Put(10, 0, 2, 0, DirEntry{0x10, "SIDE", "DAT", 0, 0, 0, 10, {0x13, 0x21}}.Build());

  const Read r(disk.Jv3());
  // 40 x 36 / 5 = 288 granules, 5 allocated
  ASSERT_TRUE(r.Found("Newdos/80", 283, 1));
  const DosFile& f = r.fs->files[0];
  EXPECT_EQ(Extents(f), (std::vector<std::vector<int>>{{19, 1, 2}}));
  ASSERT_EQ(f.sectors.size(), 10u);
  EXPECT_EQ(Ends(f), (std::vector<std::vector<int>>{{10, 1, 7}, {10, 1, 16}}));
  r.ExpectOwners({{{10, 1, 7}, "SIDE/DAT, record 1 of 10"},
                  {{10, 1, 6}, "free"},
                  {{10, 0, 9}, "directory, entries 56 to 63"}});
}

// Newdos/80 on 80 double-sided double-density cylinders with lumps of 3 granules: 2880 sectors,
// 576 granules, 192 lumps, so the GAT runs to byte 0xBF (no lockout table from 0x60 as in
// TRSDOS). SIDE/DAT lies on lump 100 granules 0-1 (relative sectors 1500-1509: cylinder 41, side
// 1, sectors 6-15) and lump 191 granule 2 (relative 2875-2879: cylinder 79, side 1, sectors
// 13-17, the last of the disk).
TEST(FileSystem, NewdosGatPastTheLockoutTable) {
  SectorDisk disk(80, 2, 18, 0, true);
  const PdriveEntry p{.ddsl = 17, .tc = 80, .spt = 36, .gpl = 3, .ddga = 2};
  disk.Put(0, 0, 2, 0, NewdosSystemSector(p));
  // lump 17 is relative sector 255: cylinder 7, side 0, sector 3
  const Bytes gat = ZeroSector({{0, 0x01}, {17, 0x03}, {100, 0x03}, {191, 0x04}});
  const Bytes hit = ZeroSector({{0, 0xE3}});
  disk.Put(7, 0, 3, 0, gat).Put(7, 0, 4, 0, hit).Put(7, 0, 5, 0, Bytes(256, 0x00));
  disk.Put(7, 0, 5, 0, DirEntry{0x10, "SIDE", "DAT", 0, 0, 0, 15, {100, 0x01, 191, 0x40}}.Build());

  const Read r(disk.Jv3());
  ASSERT_TRUE(r.Found("Newdos/80", 570, 1));
  const DosFile& f = r.fs->files[0];
  EXPECT_TRUE(f.problems.empty()) << f.problems.front();
  ASSERT_EQ(f.sectors.size(), 15u);
  EXPECT_TRUE(std::all_of(f.sectors.begin(), f.sectors.end(),
                          [](const FileSector& s) { return s.record.has_value(); }));
  EXPECT_EQ(Ends(f), (std::vector<std::vector<int>>{{41, 1, 6}, {79, 1, 17}}));
  r.ExpectOwners({{{41, 1, 15}, "SIDE/DAT, record 10 of 15"},
                  {{79, 1, 13}, "SIDE/DAT, record 11 of 15"},
                  {{79, 1, 12}, "free"}});
}

// Newdos/80 on a DMK whose boot track is single density (10 sectors) and the rest double density
// (18): relative sector 0 is cylinder 1 sector 0, so the system sector is cylinder 1 sector 2 and
// TC counts the 5 cylinders after the boot track. Lumps of 2 granules are 10 sectors: the
// directory at lump 3 starts at relative sector 30 (cylinder 2, sector 12); ONE/BAS at lump 5,
// relative sectors 50-54, runs from cylinder 3 sector 14 over to cylinder 4 sector 0.
TEST(FileSystem, NewdosBootTrackInAnotherFormat) {
  auto track = [](int cylinder, int sectors, bool dd, std::map<int, Bytes> data) {
    std::vector<DmkSector> out;
    for (int s = 0; s < sectors; ++s) {
      DmkSector sector = dd ? DmkSector::Dd(cylinder, 0, s) : DmkSector::Sd(cylinder, 0, s);
      if (data.count(s)) sector.data = data[s];
      out.push_back(sector);
    }
    return out;
  };
  const PdriveEntry p{.ddsl = 3, .tc = 5, .spt = 18, .gpl = 2, .ddga = 2};
  const Bytes gat = ZeroSector({{0, 0x01}, {3, 0x03}, {5, 0x01}});
  const Bytes hit = ZeroSector({{0, 0x46}});
  DmkBuilder dmk(6, 6400, 0x10);
  dmk.AddTrack(track(0, 10, false, {}));
  dmk.AddTrack(track(1, 18, true, {{2, NewdosSystemSector(p)}}));
  dmk.AddTrack(track(2, 18, true,
                     {{12, gat},
                      {13, hit},
                      {14, DirEntry{0x10, "ONE", "BAS", 0, 0, 0, 5, {0x05, 0x00}}.Build()}}));
  for (int c = 3; c < 6; ++c) dmk.AddTrack(track(c, 18, true, {}));

  const Read r(dmk.Build());
  // 5 x 18 / 5 = 18 granules, 4 allocated
  ASSERT_TRUE(r.Found("Newdos/80", 14, 1));
  EXPECT_EQ(
      Places(r.fs->files[0]),
      (std::vector<std::vector<int>>{{3, 0, 14}, {3, 0, 15}, {3, 0, 16}, {3, 0, 17}, {4, 0, 0}}));
  r.ExpectOwners({{{0, 0, 3}, "boot"},
                  {{1, 0, 2}, "system"},
                  {{2, 0, 12}, "GAT"},
                  {{4, 0, 0}, "ONE/BAS, record 5 of 5"}});
}

// LDOS 5.1 and TRSDOS 2.3 on 40 single-density tracks: the directory on track 17 from boot byte 2
// (the 0x11 of 00 FE 11), granules of 5 sectors, two a track. The GAT's unused bits are set as
// these DOSes keep them. PROG/CMD on track 1 granule 0; LONG/CMD on track 2 granule 0, then
// through slot 11 on track 4 granule 1. Only LDOS keeps dates in the entries: 0x0C, 0xFF is
// month 12, day 31, year 1987.
Bytes Model1Disk(std::uint8_t version, std::uint8_t config) {
  Jv1Builder jv1(40);
  Bytes gat(256, 0xFF);
  for (int t = 0; t < 40; ++t) gat[static_cast<std::size_t>(t)] = 0xFC;
  gat[0] = gat[1] = gat[2] = 0xFD;
  gat[4] = 0xFE;
  gat[17] = 0xFF;
  gat[0xCB] = version;
  gat[0xCC] = 5;
  gat[0xCD] = config;
  const std::string label = "LDOSDISK12/31/87";
  std::copy(label.begin(), label.end(), gat.begin() + 0xD0);
  const Bytes hit = ZeroSector({{0, 0xA2}, {1, 0xC4}, {64, 0xAB}, {96, 0x3D}, {97, 0x3D}});
  jv1.Put(17, 0, 0, gat).Put(17, 1, 0, hit);
  jv1.Put(17, 2, 0, Bytes(256, 0)).Put(17, 3, 0, Bytes(256, 0));
  jv1.Put(17, 2, 0, DirEntry{0x5E, "BOOT", "SYS", 0, 0, 0, 5, {0x00, 0x00}}.Build());
  jv1.Put(17, 2, 64, DirEntry{0x10, "PROG", "CMD", 0x0C, 0xFF, 0x7A, 3, {0x01, 0x00}}.Build());
  jv1.Put(17, 2, 96, DirEntry{0x10, "LONG", "CMD", 0, 0, 0, 10, {0x02, 0x00, 0xFE, 0x61}}.Build());
  jv1.Put(17, 3, 0, DirEntry{0x5D, "DIR", "SYS", 0, 0, 0, 10, {0x11, 0x01}}.Build());
  jv1.Put(17, 3, 96, DirEntry{0x90, "LONG", "CMD", 0, 0, 0, 0, {0x04, 0x20}}.Build());
  return jv1.Build();
}

TEST(FileSystem, LdosAndTrsdosModel1) {
  struct Case {
    std::uint8_t version, config;
    std::string dos;
    std::optional<std::string> dosVersion, date;
  };
  for (const Case& c : {Case{0x51, 0x01, "LDOS", "5.1", "12/31/87"},
                        Case{0x00, 0x00, "TRSDOS", std::nullopt, std::nullopt}}) {
    const Read r(Model1Disk(c.version, c.config));
    // 80 granules, 6 allocated
    ASSERT_TRUE(r.Found(c.dos, 74, 4));
    EXPECT_EQ(r.fs->version, c.dosVersion);
    EXPECT_EQ(r.fs->diskName, "LDOSDISK");
    const DosFile& prog = r.File("PROG/CMD");
    EXPECT_EQ(prog.size, 634);  // 2 x 256 + 0x7A
    EXPECT_EQ(prog.date, c.date);
    EXPECT_EQ(Places(prog), (std::vector<std::vector<int>>{{1, 0, 0}, {1, 0, 1}, {1, 0, 2}}));
    const DosFile& long1 = r.File("LONG/CMD");
    EXPECT_EQ(Extents(long1), (std::vector<std::vector<int>>{{2, 0, 1}, {4, 1, 1}}));
    EXPECT_EQ(Places(long1)[9], (std::vector<int>{4, 0, 9}));
    EXPECT_TRUE(r.File("DIR/SYS").system && r.File("DIR/SYS").invisible);
    EXPECT_EQ(r.Owner(2, 0, 5), "free");  // 0xFD: granule 1 of track 2 is free
  }
}

// Model III TRSDOS 1.3 on 40 double-density tracks of sectors 1-18: the directory cylinder in boot
// byte 1, granules of 3 sectors, six a track, 48-byte entries five a sector. ONE/BAS at track 20,
// granule byte 0x43 (first granule 2, 3 granules, not less one): sectors 7-15. Its size is ERN x
// 256 + EOF = 8 x 256 + 128. A system file's extent in the HIT at 0xE0: granules 0-2 of track 1.
// SYS0 grew over all of track 0 (GAT byte 0x3F), which the HIT does not name: the boot sector
// loads it by its records, and track 0 is the DOS's own.
TEST(FileSystem, TrsdosModel3) {
  SectorDisk disk(40, 1, 18, 1, true);
  disk.Put(0, 0, 1, 0, {0x00, 0x11, 0x00});
  const Bytes gat = ZeroSector({{0, 0x3F}, {1, 0x07}, {17, 0x3F}, {20, 0x1C}});
  const Bytes hit = ZeroSector({{0, 0x46}, {0xE0, 0x03}, {0xE1, 0x01}});
  disk.Put(17, 0, 1, 0, gat).Put(17, 0, 2, 0, hit).Put(17, 0, 3, 0, Bytes(256, 0x00));
  disk.Put(17, 0, 3, 0, DirEntry{0x10, "ONE", "BAS", 5, 81, 0x80, 8, {20, 0x43}}.Build(48));

  const Read r(disk.Jv3());
  // 240 granules, 18 allocated
  ASSERT_TRUE(r.Found("TRSDOS", 222, 1));
  EXPECT_EQ(r.fs->version, "1.3");
  const DosFile& f = r.fs->files[0];
  EXPECT_EQ(f.size, 2176);
  EXPECT_EQ(f.date, "05/81");
  EXPECT_EQ(Extents(f), (std::vector<std::vector<int>>{{20, 2, 3}}));
  ASSERT_EQ(f.sectors.size(), 9u);
  EXPECT_EQ(Ends(f), (std::vector<std::vector<int>>{{20, 0, 7}, {20, 0, 15}}));
  r.ExpectOwners({{{0, 0, 1}, "boot"},
                  {{0, 0, 16}, "system"},
                  {{1, 0, 1}, "system"},
                  {{17, 0, 1}, "GAT"},
                  {{17, 0, 3}, "directory, entries 0 to 4"}});
}

TEST(FileSystem, NoDosOnABlankDisk) {
  EXPECT_FALSE(Read(Jv1Builder(35).Build()).fs);
}

// The utility disk of ../shared/real (single density, 80 tracks): an LS-DOS 6.2 data disk, read
// by hand from its directory track: 37 files, the GAT at 12/31/87, 21 granules free.
TEST(FileSystem, RealUtilityDisk) {
  const std::optional<Bytes> file = ReadUtilityDisk();
  if (!file) GTEST_SKIP() << UtilityDiskPath() << " is not there";
  const Read r(*file);
  ASSERT_TRUE(r.Found("LS-DOS", 21, 37));
  EXPECT_EQ(r.fs->version, "6.2");
  EXPECT_EQ(r.fs->diskName, "XTRSUTIL");
  EXPECT_EQ(r.fs->date, "12/31/87");
  struct Pin {
    std::string name;
    std::int64_t size;
    std::vector<int> extent;
  };
  for (const Pin& p : {Pin{"BOOT/SYS", 1280, {0, 0, 1}}, Pin{"EXPORT/CMD", 634, {1, 0, 1}},
                       Pin{"XTRSHARD/Z80", 17284, {19, 0, 14}}, Pin{"XTRSEMT/H", 2862, {14, 1, 3}},
                       Pin{"DIR/SYS", 2560, {17, 0, 2}}}) {
    const DosFile& f = r.File(p.name);
    EXPECT_EQ(f.size, p.size) << p.name;
    EXPECT_EQ(Extents(f), std::vector<std::vector<int>>{p.extent}) << p.name;
  }
  EXPECT_EQ(r.File("EXPORT/CMD").date, "12/31/87");
  EXPECT_EQ(Places(r.File("EXPORT/CMD")),
            (std::vector<std::vector<int>>{{1, 0, 0}, {1, 0, 1}, {1, 0, 2}}));
  EXPECT_EQ(r.Owner(17, 0, 0), "GAT");
  EXPECT_EQ(r.Owner(0, 0, 7), "free");  // GAT 0xFD: granule 1 of track 0 is free
}

}  // namespace
}  // namespace m1::testing
