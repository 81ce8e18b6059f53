#include "tests/support/dos_disks.h"

#include <algorithm>

#include "core/dos/filesystem.h"

namespace m1::fuzzing {

using m1::testing::Bytes;
using m1::testing::DirEntry;
using m1::testing::Jv1Builder;
using m1::testing::PdriveEntry;
using m1::testing::SectorDisk;

namespace {

constexpr std::size_t kSector = 256;

// A GAT with the given allocation bytes from byte 0, and a name and date.
Bytes Gat(std::initializer_list<std::uint8_t> allocation, std::uint8_t rest) {
  Bytes gat(kSector, rest);
  std::copy(allocation.begin(), allocation.end(), gat.begin());
  const std::string label = "FUZZDISK01/01/84";
  std::copy(label.begin(), label.end(), gat.begin() + 0xD0);
  return gat;
}

// An entry sector holding the given 32-byte entries from slot 0 on, the rest zero.
Bytes Entries(std::initializer_list<DirEntry> entries) {
  Bytes sector(kSector, 0x00);
  std::size_t at = 0;
  for (const DirEntry& e : entries) {
    const Bytes b = e.Build();
    std::copy(b.begin(), b.end(), sector.begin() + static_cast<std::ptrdiff_t>(at));
    at += b.size();
  }
  return sector;
}

PdriveEntry Pdrive(int ddsl, int tc, int spt, int gpl) {
  PdriveEntry p;
  p.ddsl = static_cast<std::uint8_t>(ddsl);
  p.tc = static_cast<std::uint8_t>(tc);
  p.spt = static_cast<std::uint8_t>(spt);
  p.gpl = static_cast<std::uint8_t>(gpl);
  p.ddga = 2;
  return p;
}

// The HIT bytes of slots 0, 1, 2 and of slot 3 of the second entry sector: BOOT/SYS, ONE/BAS,
// LONG/CMD and its extended entry.
Bytes Hit() {
  Bytes hit(kSector, 0x00);
  hit[0x00] = 0xA2;
  hit[0x20] = 0x46;
  hit[0x40] = 0x3D;
  hit[0x61] = 0x3D;
  return hit;
}

const DirEntry kBoot{0x5E, "BOOT", "SYS", 0, 0, 0, 5, {0x00, 0x00}};
const DirEntry kOne{0x10, "ONE", "BAS", 0x0C, 0xFF, 0x40, 8, {0x05, 0x21}};
const DirEntry kLong{0x10, "LONG", "CMD", 0, 0, 0, 10, {0x08, 0x00, 0xFE, 0x61}};
const DirEntry kLongMore{0x90, "LONG", "CMD", 0, 0, 0, 0, {0x0A, 0x20}};

// Newdos/80 (pdrive) or LDOS (boot byte 2) on 35 single-density JV1 tracks, directory track 17.
DosDisk Model1Jv1(const std::string& name, bool newdos) {
  Jv1Builder jv1(35);
  DosDisk d{name, {}, {}};
  if (newdos) {
    jv1.Put(0, 2, 0, m1::testing::NewdosSystemSector(Pdrive(17, 35, 10, 2)));
    d.directory.push_back(Jv1Builder::Offset(0, 2));
  } else {
    d.directory.push_back(Jv1Builder::Offset(0, 0));
  }
  Bytes gat = Gat({0x01, 0, 0, 0, 0, 0x02, 0x01, 0, 0x01, 0, 0x02}, 0x00);
  gat[17] = 0x03;
  if (!newdos) gat[0xCB] = 0x51;
  jv1.Put(17, 0, 0, gat).Put(17, 1, 0, Hit());
  jv1.Put(17, 2, 0, Entries({kBoot, kOne, kLong})).Put(17, 3, 0, Entries({{}, {}, {}, kLongMore}));
  for (int s = 4; s < 10; ++s) jv1.Put(17, s, 0, Bytes(kSector, 0x00));
  for (int s = 0; s < 10; ++s) d.directory.push_back(Jv1Builder::Offset(17, s));
  d.file = jv1.Build();
  return d;
}

// Newdos/80 on 40 double-sided double-density cylinders, a lump of 4 granules, the directory at
// lump 18 (cylinder 10); ONE/BAS there lies on side 1.
DosDisk NewdosDoubleSided() {
  SectorDisk disk(40, 2, 18, 0, true);
  disk.Put(0, 0, 2, 0, m1::testing::NewdosSystemSector(Pdrive(18, 40, 36, 4)));
  DosDisk d{"newdos-ds.jv3", {}, {disk.Jv3Offset(0, 0, 2)}};
  Bytes gat = Gat({0x01}, 0x00);
  gat[18] = 0x03;
  gat[19] = 0x06;
  DirEntry one = kOne;
  one.extents = {0x13, 0x21};
  Bytes hit = Hit();
  hit[0x40] = hit[0x61] = 0x00;  // no LONG/CMD here
  disk.Put(10, 0, 0, 0, gat).Put(10, 0, 1, 0, hit).Put(10, 0, 2, 0, Entries({kBoot, one}));
  for (int s = 3; s < 10; ++s) disk.Put(10, 0, s, 0, Bytes(kSector, 0x00));
  for (int s = 0; s < 10; ++s) d.directory.push_back(disk.Jv3Offset(10, 0, s));
  d.file = disk.Jv3();
  return d;
}

// Model III TRSDOS on 40 double-density tracks of sectors 1-18, the directory on track 17.
DosDisk Model3() {
  SectorDisk disk(40, 1, 18, 1, true);
  disk.Put(0, 0, 1, 0, {0x00, 0x11, 0x00});
  DosDisk d{"trsdos13.jv3", {}, {disk.Jv3Offset(0, 0, 1)}};
  Bytes gat = Gat({0x00, 0x07}, 0x00);
  gat[17] = 0x3F;
  gat[20] = 0x1C;
  Bytes hit(kSector, 0x00);
  hit[0] = 0x46;
  hit[0xE0] = 0x03;
  hit[0xE1] = 0x01;
  Bytes entries(kSector, 0x00);
  const Bytes one = DirEntry{0x10, "ONE", "BAS", 5, 81, 0x80, 8, {20, 0x43}}.Build(48);
  std::copy(one.begin(), one.end(), entries.begin());
  disk.Put(17, 0, 1, 0, gat).Put(17, 0, 2, 0, hit).Put(17, 0, 3, 0, entries);
  for (int s = 4; s <= 18; ++s) disk.Put(17, 0, s, 0, Bytes(kSector, 0x00));
  for (int s = 1; s <= 18; ++s) d.directory.push_back(disk.Jv3Offset(17, 0, s));
  d.file = disk.Jv3();
  return d;
}

}  // namespace

const std::vector<DosDisk>& DosDisks() {
  static const std::vector<DosDisk> disks = {Model1Jv1("newdos-ss.dsk", true), NewdosDoubleSided(),
                                             Model1Jv1("ldos.dsk", false), Model3()};
  return disks;
}

Bytes DiskFromInput(std::span<const std::uint8_t> input) {
  if (input.empty()) return {};
  const DosDisk& d = DosDisks()[input[0] % DosDisks().size()];
  Bytes file = d.file;
  std::size_t from = 1;
  for (const std::size_t offset : d.directory) {
    if (from >= input.size()) break;
    const std::size_t n = std::min(kSector, input.size() - from);
    std::copy_n(input.begin() + static_cast<std::ptrdiff_t>(from), n,
                file.begin() + static_cast<std::ptrdiff_t>(offset));
    from += n;
  }
  return file;
}

std::vector<Bytes> DosDiskSeeds() {
  std::vector<Bytes> seeds;
  for (std::size_t k = 0; k < DosDisks().size(); ++k) {
    const DosDisk& d = DosDisks()[k];
    Bytes seed = {static_cast<std::uint8_t>(k)};
    for (const std::size_t offset : d.directory) {
      seed.insert(seed.end(), d.file.begin() + static_cast<std::ptrdiff_t>(offset),
                  d.file.begin() + static_cast<std::ptrdiff_t>(offset + kSector));
    }
    seeds.push_back(std::move(seed));
  }
  return seeds;
}

std::vector<std::string> CheckFileSystem(std::span<const std::uint8_t> image) {
  std::vector<std::string> faults;
  const Listing listing = ListSectors(image);
  // Reads every byte it is given, so that the contents of deleted files and unowned runs are read.
  const ContentGuess guess = [](std::span<const std::uint8_t> bytes) -> std::optional<std::string> {
    unsigned sum = 0;
    for (const std::uint8_t b : bytes) sum += b;
    if (sum % 2 == 0) return std::nullopt;
    return "text";
  };
  const std::optional<FileSystem> fs = ReadFileSystem(image, listing, guess);
  if (!fs) return faults;
  if (fs->owners.size() != listing.records.size()) {
    faults.push_back("owners: " + std::to_string(fs->owners.size()) + " for " +
                     std::to_string(listing.records.size()) + " records");
  }
  for (std::size_t i = 0; i < fs->owners.size(); ++i) {
    const SectorOwner& o = fs->owners[i];
    if (o.kind == OwnerKind::File &&
        (o.file < 0 || static_cast<std::size_t>(o.file) >= fs->files.size() || o.record < 0 ||
         static_cast<std::size_t>(o.record) >
             fs->files[static_cast<std::size_t>(o.file)].sectors.size())) {
      faults.push_back("record " + std::to_string(i) + " owned by a file record that is not there");
    }
    (void)fs->OwnerText(i);
  }
  const auto checkSectors = [&](const std::string& name, const std::vector<FileSector>& sectors) {
    for (const FileSector& s : sectors) {
      if (!s.record) continue;
      if (*s.record >= listing.records.size()) {
        faults.push_back(name + ": a sector's record past the listing");
        continue;
      }
      const SectorRecord& r = listing.records[*s.record];
      if (r.cylinder != s.cylinder || r.head != s.head || r.sector != s.sector) {
        faults.push_back(name + ": a sector's record is another sector");
      }
    }
  };
  for (const DosFile& f : fs->files) checkSectors(f.FullName(), f.sectors);
  const std::vector<std::string> states = {"recoverable", "unverified", "partly overwritten",
                                           "overwritten"};
  for (const DeletedFile& d : fs->deleted) {
    checkSectors("deleted " + d.file.FullName(), d.file.sectors);
    if (std::find(states.begin(), states.end(), d.state) == states.end()) {
      faults.push_back("deleted " + d.file.FullName() + ": state '" + d.state + "'");
    }
    if (static_cast<std::int64_t>(d.file.sectors.size()) * 256 < d.file.size) {
      faults.push_back("deleted " + d.file.FullName() + ": fewer sectors than its size");
    }
  }
  for (const UnownedRun& u : fs->unowned) {
    checkSectors("an unowned run", u.sectors);
    if (u.extent.count < 1 ||
        u.sectors.size() != static_cast<std::size_t>(u.extent.count * fs->sectorsPerGranule)) {
      faults.push_back("an unowned run of " + std::to_string(u.extent.count) + " granules with " +
                       std::to_string(u.sectors.size()) + " sectors");
    }
  }
  (void)DirectoryText(*fs);
  return faults;
}

}  // namespace m1::fuzzing
