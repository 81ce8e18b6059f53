// The demonstration disks. Each is laid out the way its DOS addresses it: relative sectors numbered
// cylinder by cylinder (side 0, then side 1), granules of a few of them, one GAT byte for each lump
// (Newdos/80) or cylinder. The files are written into their granules; the directory is then made
// from the files: the GAT bits from their extents and the directory's own granules, the HIT bytes
// the hashes of their names, the entries with their sizes and extents. Last the disk is written out
// as the container holds it, the directory sectors with the directory data address mark.
//
// The directory, as all these DOSes keep it: the GAT, the HIT, then the entry sectors. An entry
// (32 bytes; 48 on Model III TRSDOS): byte 0 the attributes, 1-2 the date, 3 the end-of-file byte,
// 4 the record length (0: 256), 5-12 the name and 13-15 the extension space-padded, 16-19 the
// update and access password hashes, 20-21 the ending record number (ERN), from 22 the extents:
// (lump or cylinder, granule byte), the granule byte's top 3 bits the first granule and its low 5
// the count (less one on the Model 1 DOSes), FF after the last.
#include "tools/demo_disks.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

#include "core/dos/dos_layout.h"
#include "tools/demo_files.h"

namespace m1::samples {
namespace {

using m1::testing::DmkBuilder;
using m1::testing::DmkSector;
using m1::testing::Jv3Builder;

constexpr std::size_t kSectorBytes = 256;
constexpr std::uint8_t kFormatFill = 0xE5;  // what FORMAT leaves in every sector

// Attributes: a user's file in use; the DOS's own files (system, in use, invisible, protection 6).
constexpr std::uint8_t kUserFile = 0x10;
constexpr std::uint8_t kDosFile = 0x5E;

// How a DOS lays out a disk.
struct Layout {
  int cylinders = 40;
  int sides = 1;
  int sectorsPerSide = 10;
  int firstSector = 0;
  bool doubleDensity = false;
  int sectorsPerGranule = 5;
  int granulesPerUnit = 2;      // granules a GAT byte describes: a lump, or a cylinder
  int gatUnits = 0x60;          // allocation bytes of the GAT: 0xC0 on Newdos/80
  int directoryGranule = 0;     // the directory's first granule
  int directoryGranules = 2;    // all its sectors: GAT, HIT, entry sectors
  int entryBytes = 32;          // 48 on Model III TRSDOS
  int entriesPerSector = 8;     // 5 on Model III TRSDOS
  int extents = 4;              // extents an entry holds (13 on Model III TRSDOS)
  bool countLessOne = true;     // an extent's granule count is stored less one (not on the III)
  bool hitBySector = false;     // Model III: HIT position = entry sector x 5 + slot, else slot in
                                // sector x 32 + entry sector
  bool recordsPlusEof = false;  // Model III: size = ERN x 256 + EOF; else (ERN - 1) x 256 + EOF,
                                // ERN x 256 when EOF is 0

  int Sectors() const { return cylinders * sides * sectorsPerSide; }
  int Granules() const { return Sectors() / sectorsPerGranule; }
  int Units() const { return (Granules() + granulesPerUnit - 1) / granulesPerUnit; }
  int DirectorySector() const { return directoryGranule * sectorsPerGranule; }
  int DirectorySectors() const { return directoryGranules * sectorsPerGranule; }
};

// An extent: granules granule .. granule + count - 1.
struct Run {
  int granule;
  int count;
};

struct DemoFile {
  std::string name;
  std::string ext;
  std::uint8_t attributes;
  int slot;  // directory entry slot: entry sector x entries a sector + place in it
  std::vector<Run> runs;
  Bytes data;     // written into the runs; empty when their sectors hold the file already
  int size = -1;  // the size of a file given without data
  std::uint8_t date1 = 0;
  std::uint8_t date2 = 0;
};

// The password hash of a blank password, as the entries and the GAT keep it (4296H, low byte
// first).
constexpr std::uint8_t kBlankPassword[2] = {0x96, 0x42};

class DosDisk {
 public:
  explicit DosDisk(const Layout& l)
      : l_(l),
        sectors_(static_cast<std::size_t>(l.Sectors()), Bytes(kSectorBytes, kFormatFill)),
        used_(static_cast<std::size_t>(l.Granules()), false) {}

  const Layout& layout() const { return l_; }
  const Bytes& Sector(int rel) const { return sectors_.at(static_cast<std::size_t>(rel)); }

  // Writes a sector; a shorter one is padded with zeros.
  void Put(int rel, Bytes bytes) {
    bytes.resize(kSectorBytes, 0x00);
    sectors_.at(static_cast<std::size_t>(rel)) = std::move(bytes);
  }

  // Allocates granules to the DOS without a directory entry (the directory; the Model III system).
  void Reserve(Run run) {
    for (int g = run.granule; g < run.granule + run.count; ++g) {
      if (g < 0 || g >= l_.Granules() || used_[static_cast<std::size_t>(g)]) {
        throw std::logic_error("granule " + std::to_string(g) + " is not free");
      }
      used_[static_cast<std::size_t>(g)] = true;
    }
  }

  // Adds each file with the same date bytes in its entry.
  void Add(std::vector<DemoFile> files, std::uint8_t date1, std::uint8_t date2) {
    for (DemoFile& f : files) {
      f.date1 = date1;
      f.date2 = date2;
      Add(std::move(f));
    }
  }

  void Add(DemoFile f) {
    std::vector<int> rels;
    for (const Run& run : f.runs) {
      Reserve(run);
      for (int k = 0; k < run.count * l_.sectorsPerGranule; ++k) {
        rels.push_back(run.granule * l_.sectorsPerGranule + k);
      }
    }
    if (!f.data.empty()) f.size = static_cast<int>(f.data.size());
    const std::size_t records =
        (static_cast<std::size_t>(f.size) + kSectorBytes - 1) / kSectorBytes;
    // A DOS gives a file the granules it needs: its last granule holds at least its last record.
    const auto granuleSectors = static_cast<std::size_t>(l_.sectorsPerGranule);
    if (records > rels.size() || records + granuleSectors <= rels.size() ||
        f.runs.size() > static_cast<std::size_t>(l_.extents)) {
      throw std::logic_error(f.name + "/" + f.ext + " does not fill its extents");
    }
    for (std::size_t r = 0; !f.data.empty() && r < records; ++r) {
      const auto from = f.data.begin() + static_cast<std::ptrdiff_t>(r * kSectorBytes);
      const auto to = f.data.begin() +
                      static_cast<std::ptrdiff_t>(std::min(f.data.size(), (r + 1) * kSectorBytes));
      Put(rels[r], Bytes(from, to));
    }
    for (const DemoFile& other : files_) {
      if (other.slot == f.slot) throw std::logic_error("two files in one entry slot");
    }
    files_.push_back(std::move(f));
  }

  // The GAT's allocation bytes from byte 0: a bit for each granule in use, and for each granule
  // a unit does not have; FF for the units past the disk.
  Bytes Gat() const {
    Bytes gat(kSectorBytes, 0x00);
    for (int u = 0; u < l_.gatUnits; ++u) {
      std::uint8_t bits = 0xFF;
      if (u < l_.Units()) {
        for (int k = 0; k < l_.granulesPerUnit; ++k) {
          const int g = u * l_.granulesPerUnit + k;
          if (g < l_.Granules() && !used_[static_cast<std::size_t>(g)]) {
            bits = static_cast<std::uint8_t>(bits & ~(1u << k));
          }
        }
      }
      gat[static_cast<std::size_t>(u)] = bits;
    }
    return gat;
  }

  // The HIT: the hash of each file's name at its slot's position.
  Bytes Hit() const {
    Bytes hit(kSectorBytes, 0x00);
    for (const DemoFile& f : files_) {
      const int sector = f.slot / l_.entriesPerSector, place = f.slot % l_.entriesPerSector;
      const int at = l_.hitBySector ? sector * l_.entriesPerSector + place : place * 32 + sector;
      const Bytes name = Name11(f);
      hit.at(static_cast<std::size_t>(at)) = dos::NameHash(name);
    }
    return hit;
  }

  // Writes the GAT, the HIT and the entry sectors into the directory's granules.
  void WriteDirectory(const Bytes& gat, const Bytes& hit) {
    const int first = l_.DirectorySector();
    Put(first, gat);
    Put(first + 1, hit);
    for (int s = 2; s < l_.DirectorySectors(); ++s) Put(first + s, Bytes(kSectorBytes, 0x00));
    for (const DemoFile& f : files_) {
      const int rel = first + 2 + f.slot / l_.entriesPerSector;
      const auto at = static_cast<std::size_t>((f.slot % l_.entriesPerSector) * l_.entryBytes);
      const Bytes entry = Entry(f);
      std::copy(
          entry.begin(), entry.end(),
          sectors_.at(static_cast<std::size_t>(rel)).begin() + static_cast<std::ptrdiff_t>(at));
    }
  }

  bool IsDirectory(int rel) const {
    return rel >= l_.DirectorySector() && rel < l_.DirectorySector() + l_.DirectorySectors();
  }

 private:
  static Bytes Name11(const DemoFile& f) {
    Bytes name(11, ' ');
    std::copy(f.name.begin(), f.name.end(), name.begin());
    std::copy(f.ext.begin(), f.ext.end(), name.begin() + 8);
    return name;
  }

  Bytes Entry(const DemoFile& f) const {
    Bytes e(static_cast<std::size_t>(l_.entryBytes), 0xFF);
    const int eof = f.size % static_cast<int>(kSectorBytes);
    int ern = f.size / static_cast<int>(kSectorBytes);
    if (!l_.recordsPlusEof && eof != 0) ++ern;  // the sector the end lies in
    e[0] = f.attributes;
    e[1] = f.date1;
    e[2] = f.date2;
    e[3] = static_cast<std::uint8_t>(eof);
    e[4] = 0x00;  // records of 256 bytes
    const Bytes name = Name11(f);
    std::copy(name.begin(), name.end(), e.begin() + 5);
    for (std::size_t k = 16; k < 20; k += 2) {
      e[k] = kBlankPassword[0];
      e[k + 1] = kBlankPassword[1];
    }
    e[20] = static_cast<std::uint8_t>(ern & 0xFF);
    e[21] = static_cast<std::uint8_t>(ern >> 8);
    std::size_t at = 22;
    for (const Run& run : f.runs) {
      const int count = run.count - (l_.countLessOne ? 1 : 0);
      const int first = run.granule % l_.granulesPerUnit;
      e[at++] = static_cast<std::uint8_t>(run.granule / l_.granulesPerUnit);
      e[at++] = static_cast<std::uint8_t>((first << 5) | count);
    }
    return e;
  }

  Layout l_;
  std::vector<Bytes> sectors_;  // by relative sector
  std::vector<bool> used_;      // by granule
  std::vector<DemoFile> files_;
};

// ---------------------------------------------------------------------------------------------
// The containers. The relative sectors of each cylinder and side, in the order of the interleave;
// the directory's sectors with the directory data address mark (F8).

constexpr int kDmkTrackLength = 0x1900;  // a 5.25-inch double-density track, pointer table included
constexpr std::uint8_t kDmkSingleSided = 0x10;
constexpr std::uint8_t kDataMark = 0xFB;
constexpr std::uint8_t kDirectoryMark = 0xF8;
constexpr std::uint8_t kJv3Double = 0x80;
constexpr std::uint8_t kJv3Side1 = 0x10;
constexpr std::uint8_t kJv3DirectoryDouble = 0x20;  // double density: F8
constexpr std::uint8_t kJv3DirectorySingle = 0x60;  // single density: F8

int Rel(const Layout& l, int cylinder, int side, int s) {
  return (cylinder * l.sides + side) * l.sectorsPerSide + s;
}

Bytes ToDmk(const DosDisk& disk, int step) {
  const Layout& l = disk.layout();
  DmkBuilder dmk(l.cylinders, kDmkTrackLength, l.sides == 1 ? kDmkSingleSided : 0x00);
  for (int c = 0; c < l.cylinders; ++c) {
    for (int side = 0; side < l.sides; ++side) {
      std::vector<DmkSector> track;
      for (const int s : Interleave(l.sectorsPerSide, step)) {
        const int rel = Rel(l, c, side, s);
        const std::uint8_t mark = disk.IsDirectory(rel) ? kDirectoryMark : kDataMark;
        DmkSector sector = l.doubleDensity ? DmkSector::Dd(c, side, l.firstSector + s, mark)
                                           : DmkSector::Sd(c, side, l.firstSector + s, mark);
        sector.data = disk.Sector(rel);
        track.push_back(std::move(sector));
      }
      dmk.AddTrack(track);
    }
  }
  return dmk.Build();
}

Bytes ToJv3(const DosDisk& disk, int step) {
  const Layout& l = disk.layout();
  Jv3Builder jv3;
  for (int c = 0; c < l.cylinders; ++c) {
    for (int side = 0; side < l.sides; ++side) {
      for (const int s : Interleave(l.sectorsPerSide, step)) {
        const int rel = Rel(l, c, side, s);
        std::uint8_t flags = l.doubleDensity ? kJv3Double : 0x00;
        if (side == 1) flags |= kJv3Side1;
        if (disk.IsDirectory(rel))
          flags |= l.doubleDensity ? kJv3DirectoryDouble : kJv3DirectorySingle;
        jv3.Put(jv3.Add(c, l.firstSector + s, flags), 0, disk.Sector(rel));
      }
    }
  }
  return jv3.Build();
}

// ---------------------------------------------------------------------------------------------
// What the disks share.

void PutText(Bytes& sector, std::size_t at, std::string_view text) {
  std::copy(text.begin(), text.end(), sector.begin() + static_cast<std::ptrdiff_t>(at));
}

// The GAT bytes after the allocation that all these DOSes keep alike: the disk's password hash
// at CEH, its name at D0H and the date it was formatted at D8H; on the Model 1 DOSes the AUTO
// command at E0H, empty.
constexpr std::size_t kGatPassword = 0xCE;
constexpr std::size_t kGatName = 0xD0;
constexpr std::size_t kGatDate = 0xD8;
constexpr std::size_t kGatAuto = 0xE0;
constexpr std::string_view kDiskName = "M1VIEW  ";
constexpr std::string_view kDiskDate = "05/17/85";

void NameTheDisk(Bytes& gat, bool autoCommand) {
  gat[kGatPassword] = kBlankPassword[0];
  gat[kGatPassword + 1] = kBlankPassword[1];
  PutText(gat, kGatName, kDiskName);
  PutText(gat, kGatDate, kDiskDate);
  if (autoCommand) gat[kGatAuto] = 0x0D;
}

// TRSDOS and LDOS follow the allocation bytes with the lockout table (60H-BFH): a bit set for a
// granule that cannot be used, here only the ones a cylinder does not have.
void LockOut(Bytes& gat, const Layout& l) {
  constexpr std::size_t kLockout = 0x60;
  for (std::size_t u = 0; u < kLockout; ++u) {
    gat[kLockout + u] = static_cast<int>(u) < l.Units()
                            ? static_cast<std::uint8_t>(0xFF << l.granulesPerUnit)
                            : 0xFF;
  }
}

// Where the stand-ins of the DOS's files load: SYS0 the resident part, the others its overlays.
constexpr int kResident = 0x4D00;
constexpr int kOverlay = 0x4E00;

DemoFile StandIn(const std::string& name, int slot, int granule) {
  return {name,           "SYS",
          kDosFile,       slot,
          {{granule, 1}}, SystemStandIn(name + "/SYS", name == "SYS0" ? kResident : kOverlay)};
}

// ---------------------------------------------------------------------------------------------
// Newdos/80: 40 cylinders, two sides, double density, 18 sectors a side numbered from 0. PDRIVE:
// SPT 36 (a cylinder, both sides), granules of 5 sectors, GPL 2 (a lump 10 sectors), DDSL 17 and
// DDGA 2: the directory fills lump 17, relative sectors 170-179, cylinder 4 side 1 sectors 8-17.
// Relative sector 2 is the system sector: the PDRIVE table (ten entries of ten bytes) and the
// marker A5H at byte 239.
DemoImage Newdos80() {
  constexpr int kGpl = 2;
  constexpr int kDdsl = 17;
  constexpr int kDdga = 2;
  Layout l;
  l.sides = 2;
  l.sectorsPerSide = 18;
  l.doubleDensity = true;
  l.granulesPerUnit = kGpl;
  l.gatUnits = 0xC0;
  l.directoryGranule = kDdsl * kGpl;
  l.directoryGranules = kDdga;
  DosDisk disk(l);

  // PDRIVE entry: DDSL, lumps, TI A and TSR 3, TC, SPT, GPL, 0, 0, DDSL again, DDGA.
  const int spt = l.sides * l.sectorsPerSide;
  const Bytes pdrive = {kDdsl,
                        static_cast<std::uint8_t>(l.Units()),
                        0x07,
                        static_cast<std::uint8_t>(l.cylinders),
                        static_cast<std::uint8_t>(spt),
                        kGpl,
                        0x00,
                        0x00,
                        kDdsl,
                        kDdga};
  Bytes system(kSectorBytes, 0x00);
  for (std::size_t drive = 0; drive < 10; ++drive) {
    std::copy(pdrive.begin(), pdrive.end(),
              system.begin() + static_cast<std::ptrdiff_t>(drive * 10));
  }
  system[239] = 0xA5;
  const int directoryCylinder = l.DirectorySector() / spt;
  disk.Put(0, Model1BootSector(static_cast<std::uint8_t>(directoryCylinder)));
  disk.Put(1, {});
  disk.Put(2, system);
  disk.Put(3, {});
  disk.Put(4, {});

  disk.Add({"BOOT", "SYS", kDosFile, 0, {{0, 1}}, {}, 5 * 256});
  disk.Add({"DIR", "SYS", kDosFile, 1, {{l.directoryGranule, kDdga}}, {}, kDdga * 5 * 256});
  disk.Add(StandIn("SYS0", 8, 1));
  disk.Add(StandIn("SYS1", 9, 2));
  disk.Add(StandIn("SYS2", 16, 3));
  disk.Add({"SQUARES", "BAS", kUserFile, 2, {{4, 1}}, SquaresBasic()});
  disk.Add({"DEMO", "CMD", kUserFile, 3, {{5, 1}}, DemoCmd()});
  disk.Add({"DEMO", "ASM", kUserFile, 4, {{6, 1}}, DemoAsm()});
  disk.Add({"README",
            "TXT",
            kUserFile,
            5,
            {{7, 1}, {36, 1}},
            TextFile({
                "M1VIEW DEMONSTRATION DISK: NEWDOS/80",
                "",
                "This disk was written by m1view-make-samples to show what m1view",
                "reads on a Newdos/80 disk. Its structures agree with one",
                "another: the PDRIVE with the geometry and the directory's",
                "place, the GAT with the files' extents, the HIT with their",
                "names, each entry's size with its file.",
                "",
                "40 cylinders, two sides, double density, 18 sectors of 256",
                "bytes a side. PDRIVE: TI=A TD=G TC=40 SPT=36 TSR=3 GPL=2",
                "DDSL=17 DDGA=2. SPT counts a cylinder's sectors, both sides.",
                "",
                "A granule is 5 sectors and a lump 2 granules. The directory",
                "starts at lump 17: relative sector 170, which is cylinder 4,",
                "side 1, sector 8. Lump 17 is track 17 only on a single-sided",
                "single-density disk.",
                "",
                "THE FILES",
                "SQUARES/BAS  squares and cubes, then a box of graphics",
                "DEMO/CMD     clears the screen, writes a message in its",
                "             middle and returns to the DOS (JP 402DH)",
                "DEMO/ASM     the editor-assembler source of DEMO/CMD",
                "README/TXT   this text, in two extents: lump 3, then lump 18",
                "",
                "THE DIRECTORY",
                "Lump 17 holds the GAT (relative sector 170), the HIT (171) and",
                "8 sectors of entries, 8 to a sector. A HIT byte is the hash of",
                "the name in its slot: the 11 bytes of name and extension, each",
                "XORed in and the result rotated left. The directory's sectors",
                "carry the data address mark F8.",
                "",
                "BOOT/SYS, DIR/SYS and SYS0/SYS to SYS2/SYS are the DOS's own",
                "files. Here they are short stand-ins: the disk does not boot.",
            })});

  Bytes gat = disk.Gat();
  NameTheDisk(gat, true);
  disk.WriteDirectory(gat, disk.Hit());
  return {"demo-newdos80-40t-ds.dmk", ToDmk(disk, 3)};
}

// LDOS 5.1: 40 tracks, one side, single density, 10 sectors numbered from 0, two granules of 5
// sectors a track. Boot sector byte 2: the directory cylinder, 20. The GAT keeps the version at
// CBH (51H), the cylinders less 35 at CCH and, at CDH, the granules a track less one (bit 5 would
// say two sides). Entries carry their date: byte 1 the month, byte 2 the day x 8 + year - 1980.
DemoImage Ldos() {
  constexpr int kDirectoryCylinder = 20;
  Layout l;
  l.directoryGranule = kDirectoryCylinder * l.granulesPerUnit;
  DosDisk disk(l);

  disk.Put(0, Model1BootSector(kDirectoryCylinder));
  for (int rel = 1; rel < 5; ++rel) disk.Put(rel, {});

  constexpr std::uint8_t kMonth = 5;
  constexpr std::uint8_t kDayYear = (17 << 3) | (85 - 80);
  std::vector<DemoFile> files = {
      {"BOOT", "SYS", kDosFile, 0, {{0, 1}}, {}, 5 * 256},
      {"DIR", "SYS", kDosFile, 1, {{l.directoryGranule, 2}}, {}, 10 * 256},
      StandIn("SYS0", 8, 1),
      StandIn("SYS1", 9, 2),
      StandIn("SYS2", 16, 3),
      {"GUESS", "BAS", kUserFile, 2, {{4, 1}}, GuessBasic()},
      {"DEMO", "CMD", kUserFile, 3, {{5, 1}}, DemoCmd()},
      {"README",
       "TXT",
       kUserFile,
       4,
       {{6, 1}},
       TextFile({
           "M1VIEW DEMONSTRATION DISK: LDOS 5.1",
           "",
           "This disk was written by m1view-make-samples to show what m1view",
           "reads on an LDOS disk: 40 tracks, one side, single density, 10",
           "sectors of 256 bytes a track, two granules of 5 sectors each.",
           "",
           "Byte 2 of the boot sector names the directory cylinder, 20. Its",
           "first sector is the GAT, which also keeps the version (51H at",
           "CBH), the cylinders less 35 (CCH) and the granules of a track",
           "less one (CDH); the HIT follows, then 8 sectors of entries. The",
           "directory's sectors carry the directory data address mark F8.",
           "",
           "THE FILES",
           "GUESS/BAS    guess the number, with READ and DATA",
           "DEMO/CMD     clears the screen, writes a message in its",
           "             middle and returns to the DOS (JP 402DH)",
           "README/TXT   this text",
           "",
           "Each entry keeps its date: the month in byte 1, the day and the",
           "year in byte 2. BOOT/SYS, DIR/SYS and SYS0/SYS to SYS2/SYS are",
           "the DOS's own files. Here they are short stand-ins: the disk",
           "does not boot.",
       })},
  };
  disk.Add(std::move(files), kMonth, kDayYear);

  constexpr std::size_t kVersion = 0xCB;
  constexpr std::size_t kCylinders = 0xCC;
  constexpr std::size_t kConfiguration = 0xCD;
  constexpr int kCylinderBase = 35;
  Bytes gat = disk.Gat();
  LockOut(gat, l);
  gat[kVersion] = 0x51;
  gat[kCylinders] = static_cast<std::uint8_t>(l.cylinders - kCylinderBase);
  gat[kConfiguration] = static_cast<std::uint8_t>(l.granulesPerUnit - 1);
  NameTheDisk(gat, true);
  disk.WriteDirectory(gat, disk.Hit());
  return {"demo-ldos-40t.jv3", ToJv3(disk, 2)};
}

// Model III TRSDOS 1.3: 40 tracks, one side, double density, 18 sectors numbered from 1, granules
// of 3 sectors, 6 a track. Boot sector byte 1: the directory cylinder, 17. Entries of 48 bytes, 5
// a sector, 13 extents whose counts are not less one; the HIT position of an entry is its sector x
// 5 + its place. The DOS's own files have no entries: the HIT keeps their extents from E0H, the
// granule byte first; here they fill cylinder 0. A file's size is ERN x 256 + EOF. Entries carry
// their date: byte 1 the month, byte 2 the year less 1900.
DemoImage Trsdos13() {
  constexpr int kDirectoryCylinder = 17;
  Layout l;
  l.sectorsPerSide = 18;
  l.firstSector = 1;
  l.doubleDensity = true;
  l.sectorsPerGranule = 3;
  l.granulesPerUnit = 6;
  l.directoryGranule = kDirectoryCylinder * l.granulesPerUnit;
  l.directoryGranules = 6;
  l.entryBytes = 48;
  l.entriesPerSector = 5;
  l.extents = 13;
  l.countLessOne = false;
  l.hitBySector = true;
  l.recordsPlusEof = true;
  DosDisk disk(l);

  disk.Reserve({l.directoryGranule, l.directoryGranules});
  disk.Reserve({0, 6});
  disk.Put(0, Model3BootSector());
  disk.Put(1, SystemStandIn("SYS0/SYS", kResident));

  constexpr std::uint8_t kMonth = 5;
  constexpr std::uint8_t kYear = 85;
  std::vector<DemoFile> files = {
      {"SQUARES", "BAS", kUserFile, 0, {{6, 1}}, SquaresBasic()},
      {"DEMO", "CMD", kUserFile, 1, {{7, 1}}, DemoCmd()},
      {"README",
       "TXT",
       kUserFile,
       2,
       {{8, 2}},
       TextFile({
           "M1VIEW DEMONSTRATION DISK: MODEL III TRSDOS 1.3",
           "",
           "This disk was written by m1view-make-samples to show what m1view",
           "reads on a Model III TRSDOS 1.3 disk: 40 tracks, one side,",
           "double density, sectors 1 to 18 of 256 bytes, granules of 3",
           "sectors, 6 a track.",
           "",
           "Byte 1 of the boot sector names the directory cylinder, 17: the",
           "GAT in sector 1, the HIT in sector 2, then 16 sectors of five",
           "48-byte entries, each with up to 13 extents. The DOS's own",
           "files are not in the directory: the HIT keeps their extents",
           "from byte E0H on. Here they fill cylinder 0 and are short",
           "stand-ins: the disk does not boot.",
           "",
           "THE FILES",
           "SQUARES/BAS  squares and cubes, then a box of graphics",
           "DEMO/CMD     clears the screen, writes a message in its",
           "             middle and returns to the DOS (JP 402DH)",
           "README/TXT   this text",
           "",
           "A file's size is its ERN, the whole sectors, x 256 plus its",
           "EOF byte.",
       })},
  };
  disk.Add(std::move(files), kMonth, kYear);

  constexpr std::size_t kSystemExtents = 0xE0;
  Bytes hit = disk.Hit();
  hit[kSystemExtents] = 0x06;      // granule byte: from granule 0, 6 granules
  hit[kSystemExtents + 1] = 0x00;  // cylinder 0
  Bytes gat = disk.Gat();
  LockOut(gat, l);
  NameTheDisk(gat, false);
  disk.WriteDirectory(gat, hit);
  return {"demo-trsdos13-40t.dmk", ToDmk(disk, 3)};
}

}  // namespace

std::vector<int> Interleave(int sectors, int step) {
  std::vector<int> order;
  for (int start = 0; start < step; ++start) {
    for (int s = start; s < sectors; s += step) order.push_back(s);
  }
  return order;
}

std::vector<DemoImage> DemoImages() {
  return {Newdos80(), Ldos(), Trsdos13()};
}

}  // namespace m1::samples
