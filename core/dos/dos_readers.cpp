// The recognisers: each DOS told from its own structures, and the layout of its disk.
//
// Newdos/80 numbers "relative sectors" cylinder by cylinder, side 0 then side 1, and allocates in
// granules of 5 sectors grouped into lumps of GPL granules; a lump is not a track. Relative sector
// 2 is the system sector, with the drive parameters (PDRIVE; newdos_format.h has its layout).
// A disk whose boot track has another format (cylinder 0 single density on a double-density disk)
// starts its relative sectors on cylinder 1; its marker is then on cylinder 1.
//
// TRSDOS 2.3 and LDOS 5 (LS-DOS 6 alike) keep the directory cylinder in byte 2 of the boot
// sector (bit 7 aside) and allocate by track in granules of 5 sectors (single density) or 6
// (double), or as LDOS says in GAT byte 0xCD: bits 0-2 the granules per track less one, bit 5 two
// sides. LDOS keeps its version in GAT byte 0xCB (0x51: 5.1) and the cylinders less 35 in 0xCC.
//
// Model III TRSDOS 1.3 keeps the directory cylinder in byte 1 of the boot sector, numbers sectors
// from 1, allocates granules of 3 sectors, and has 48-byte entries, five a sector, with 13 extents
// (the count not less one) and no extended entries; the HIT position of an entry is its sector x 5
// plus its place in the sector. Its system files are not in the directory: the HIT holds their
// extents from byte 0xE0 on, the granule byte first.
#include <algorithm>

#include "core/dos/dos_layout.h"
#include "core/dos/newdos_format.h"

namespace m1::dos {
namespace {

constexpr std::size_t kModel1DirectoryAt = 2;  // boot sector byte: the directory cylinder
constexpr std::size_t kModel3DirectoryAt = 1;
constexpr std::uint8_t kCylinderMask = 0x7F;  // bit 7 of that byte is not part of it
constexpr std::size_t kLdosVersionAt = 0xCB;
constexpr std::size_t kLdosCylindersAt = 0xCC;  // cylinders less 35
constexpr int kLdosCylinderBase = 35;
constexpr std::size_t kLdosConfigAt = 0xCD;
constexpr std::uint8_t kLdosGranules = 0x07;  // granules per track less one
constexpr std::uint8_t kLdosTwoSides = 0x20;

constexpr int kModel3GranuleSectors = 3;
constexpr int kModel3Entries = 80;  // HIT slots of entries; the system file extents follow
constexpr std::size_t kModel3SystemExtentsAt = 0xE0;
constexpr int kModel3SystemExtents = 16;

// True when the directory the layout describes has a HIT that agrees with its entries: at least
// one in-use entry whose name hashes to its HIT byte, and no more disagreeing bytes than agreeing.
bool HitAgrees(const DiskView& disk, const DosLayout& layout) {
  const HitAgreement a = CheckHit(disk, layout);
  return a.matching >= 1 && 2 * a.matching >= a.used;
}

// The cylinders the image holds from `from` on.
int CylindersFrom(const DiskView& disk, int from) {
  return std::max(disk.listing().cylinders - from, 0);
}

// The directory cylinder the boot sector names at byte `at`, or nothing when track 0 has no
// readable first sector.
std::optional<int> BootDirectoryCylinder(const DiskView& disk, std::size_t at) {
  const DiskView::TrackShape track0 = disk.Shape(0, 0);
  const auto boot = disk.Sector(0, 0, track0.firstSector);
  if (track0.sectors == 0 || !boot) return std::nullopt;
  return (*boot)[at] & kCylinderMask;
}

}  // namespace

std::optional<FileSystem> ReadNewdos80(const DiskView& disk) {
  for (const int firstCylinder : {0, 1}) {
    const DiskView::TrackShape side0 = disk.Shape(firstCylinder, 0);
    if (side0.sectors == 0) continue;
    const auto system = disk.Sector(firstCylinder, 0, side0.firstSector + newdos::kSystemSector);
    if (!system || (*system)[newdos::kMarkerAt] != newdos::kMarker) continue;
    const std::vector<std::uint8_t>& p = *system;
    const int ddsl = p[newdos::kDdsl], tc = p[newdos::kTc], spc = p[newdos::kSpt],
              gpl = p[newdos::kGpl], ddga = p[newdos::kDdga];
    if (tc == 0 || spc == 0 || gpl == 0 || gpl > kMaxGranulesPerUnit || ddga == 0) {
      return std::nullopt;  // the marker, but no drive parameters to read the disk by
    }
    DosLayout l;
    l.dos = "Newdos/80";
    l.unitName = "lump";
    l.firstCylinder = firstCylinder;
    l.firstSector = side0.firstSector;
    // SPT counts both sides: a cylinder of 36 on 18-sector tracks is a double-sided disk.
    const bool twoSides =
        spc > side0.sectors && spc % 2 == 0 && disk.Shape(firstCylinder, 1).sectors > 0;
    l.sides = twoSides ? 2 : 1;
    l.sectorsPerSide = spc / l.sides;
    l.totalSectors = std::min(tc, CylindersFrom(disk, firstCylinder)) * spc;
    l.sectorsPerGranule = newdos::kGranuleSectors;
    l.granulesPerUnit = gpl;
    const int granules = l.totalSectors / newdos::kGranuleSectors;
    l.gatUnits = kGatUnitsNewdos;
    l.units = std::min((granules + gpl - 1) / gpl, l.gatUnits);
    l.directorySector = ddsl * gpl * newdos::kGranuleSectors;
    l.entrySectors =
        std::clamp(std::min(ddga * newdos::kGranuleSectors, l.totalSectors - l.directorySector) - 2,
                   0, kHitSectors);
    l.bootSectors = {0};
    l.systemSectors = {newdos::kSystemSector};
    if (firstCylinder == 1) l.bootCylinders = {0};
    FileSystem fs = ReadDirectory(disk, l);
    if (l.directorySector + 1 >= l.totalSectors) {
      fs.problems.push_back("the directory lump " + std::to_string(ddsl) +
                            " lies outside the disk");
    }
    return fs;
  }
  return std::nullopt;
}

std::optional<FileSystem> ReadTrsdosModel1(const DiskView& disk) {
  const std::optional<int> bootDir = BootDirectoryCylinder(disk, kModel1DirectoryAt);
  if (!bootDir) return std::nullopt;
  const int dirCylinder = *bootDir;
  const DiskView::TrackShape dirTrack = disk.Shape(dirCylinder, 0);
  if (dirTrack.sectors < 3) return std::nullopt;
  const auto gat = disk.Sector(dirCylinder, 0, dirTrack.firstSector);
  if (!gat) return std::nullopt;

  DosLayout l;
  const int version = (*gat)[kLdosVersionAt];
  const bool ldos = (version & 0xF0) == 0x50 || (version & 0xF0) == 0x60;
  if ((version & 0xF0) == 0x50) {
    l.dos = "LDOS";
  } else if ((version & 0xF0) == 0x60) {
    l.dos = "LS-DOS";
  } else {
    l.dos = "TRSDOS";
  }
  if (ldos) l.version = std::to_string(version >> 4) + "." + std::to_string(version & 0x0F);

  const int spt = dirTrack.sectors;
  const std::uint8_t config = (*gat)[kLdosConfigAt];
  int granules = (config & kLdosGranules) + 1;
  if (granules < 2 || spt % granules != 0) granules = spt <= 10 ? 2 : 3;
  l.sides = (ldos && (config & kLdosTwoSides) && disk.Shape(dirCylinder, 1).sectors > 0) ? 2 : 1;
  l.sectorsPerSide = spt;
  l.firstSector = dirTrack.firstSector;
  l.sectorsPerGranule = std::max(spt / granules, 1);
  l.granulesPerUnit = std::min(granules * l.sides, kMaxGranulesPerUnit);
  int cylinders = CylindersFrom(disk, 0);
  if (ldos) cylinders = std::min(cylinders, (*gat)[kLdosCylindersAt] + kLdosCylinderBase);
  l.units = std::min(cylinders, l.gatUnits);
  l.totalSectors = l.units * l.SectorsPerCylinder();
  l.directorySector = dirCylinder * l.SectorsPerCylinder();
  l.entrySectors = std::min(spt - 2, kHitSectors);
  l.date = ldos ? DateRule::LdosPacked : DateRule::None;
  l.bootSectors = {0};
  if (dirCylinder >= l.units || !HitAgrees(disk, l)) return std::nullopt;
  return ReadDirectory(disk, l);
}

std::optional<FileSystem> ReadTrsdosModel3(const DiskView& disk) {
  const std::optional<int> bootDir = BootDirectoryCylinder(disk, kModel3DirectoryAt);
  if (!bootDir) return std::nullopt;
  const int dirCylinder = *bootDir;
  const DiskView::TrackShape dirTrack = disk.Shape(dirCylinder, 0);
  if (dirTrack.sectors < 3 || dirTrack.sectors % kModel3GranuleSectors != 0) return std::nullopt;

  DosLayout l;
  l.dos = "TRSDOS";
  l.version = "1.3";
  l.sectorsPerSide = dirTrack.sectors;
  l.firstSector = dirTrack.firstSector;
  l.sectorsPerGranule = kModel3GranuleSectors;
  l.granulesPerUnit = std::min(dirTrack.sectors / kModel3GranuleSectors, kMaxGranulesPerUnit);
  l.units = std::min(CylindersFrom(disk, 0), l.gatUnits);
  l.totalSectors = l.units * l.sectorsPerSide;
  l.directorySector = dirCylinder * l.sectorsPerSide;
  l.entryBytes = 48;
  l.entriesPerSector = 5;
  l.entrySectors = std::min(dirTrack.sectors - 2, kModel3Entries / l.entriesPerSector);
  l.extentPairs = 13;
  l.linkedEntries = false;
  l.countLessOne = false;
  l.hit = HitRule::SectorTimes5;
  l.size = SizeRule::RecordsPlusEof;
  l.date = DateRule::MonthYear;
  l.bootSectors = {0};
  if (dirCylinder >= l.units || !HitAgrees(disk, l)) return std::nullopt;

  // The boot sector loads SYS0 by following its load records from sector 2 of track 0, not by
  // the system extents: a SYS0 that grew runs on through the granules of track 0 the HIT does not
  // name. All of track 0 is the DOS's own.
  l.systemExtents.push_back({0, 0, l.granulesPerUnit});
  const auto hit = disk.Sector(dirCylinder, 0, dirTrack.firstSector + 1);
  for (int k = 0; hit && k < kModel3SystemExtents; ++k) {
    const std::uint8_t g = (*hit)[kModel3SystemExtentsAt + 2 * static_cast<std::size_t>(k)];
    const int cylinder = (*hit)[kModel3SystemExtentsAt + 2 * static_cast<std::size_t>(k) + 1];
    if (cylinder < l.units && (g & 0x1F) > 0)
      l.systemExtents.push_back({cylinder, g >> 5, g & 0x1F});
  }
  return ReadDirectory(disk, l);
}

}  // namespace m1::dos
