// From a sector index to the sector: JV1 computes everything from the index (ten sectors of 256
// bytes a track); JV3 and DMK look it up in the per-sector tables the scan filled. Every lookup
// goes through the record's checked accessors, which read 0 outside a table.
#include "core/design/sector.h"

#include <algorithm>
#include <cmath>

#include "core/container/dmk_format.h"
#include "core/container/jv1_format.h"
#include "core/container/jv3_format.h"

namespace m1 {

namespace {

constexpr int kJv1SectorsPerTrack = jv1::kSectorsPerTrack;
constexpr double kJv1DirectoryFirst = jv1::kDirectoryTrack * kJv1SectorsPerTrack;  // 170
constexpr double kJv1DirectoryEnd = kJv1DirectoryFirst + kJv1SectorsPerTrack;
constexpr int kDirectoryMarkJv = jv3::kDirectory;      // also set for JV1's directory track
constexpr int kDirectoryTrack = jv1::kDirectoryTrack;  // the Model 1 directory track
constexpr int kDirectorySectors = 18;                  // indexes dirstartsec .. dirstartsec + 17
// Far beyond any sector index, and small enough that every value computed from it fits an int.
constexpr double kIndexLimit = 1.0e8;

// The index as a whole number within +-kIndexLimit, so that no conversion overflows.
double Bounded(double i) {
  if (!std::isfinite(i)) return 0;
  return std::clamp(std::floor(i), -kIndexLimit, kIndexLimit);
}

}  // namespace

void ResolvePosition(DiskImage& img) {
  const double i = Bounded(img.PresSecnum);
  if (img.jv1 == 1) {
    img.TrkToFind = static_cast<int>(std::floor(i / kJv1SectorsPerTrack));
    img.SecToFind = static_cast<int>(i - kJv1SectorsPerTrack * static_cast<double>(img.TrkToFind));
    img.SideToFind = 0;
  } else {
    img.TrkToFind = img.sectrk.At(i);
    img.SecToFind = img.secid.At(i);
    img.SideToFind = img.secside.At(i);
  }
}

void ResolvePlace(DiskImage& img) {
  const double i = img.PresSecnum;
  img.disktrk = img.TrkToFind;
  if (img.jv1 == 1) {
    img.fpa = i * jv1::kSectorBytes;
    img.trkdens = 0;
  }
  img.datamarkjv = 0;
  if (img.jv1 == 1 && i >= kJv1DirectoryFirst && i < kJv1DirectoryEnd)
    img.datamarkjv = kDirectoryMarkJv;
  if (img.dmkflag == 1) {
    img.Emtype = "DMK";
    img.fpa = img.secpos.At(i);
    img.datamarkDmk = img.secdam.At(i);
    img.trkdens = img.secdens.At(i);
  }
  if (img.jv3flag == 1) {
    img.Emtype = "JV3";
    img.fpa = img.secpos.At(i);
    img.datamarkjv = img.secdam.At(i);
    img.trkdens = img.secdens.At(i);
  }
}

void ResolveSector(DiskImage& img) {
  ResolvePosition(img);
  ResolvePlace(img);
}

bool LocateSector(DiskImage& img) {
  const double i = img.PresSecnum;
  img.errflg = 0;
  bool emptied = false;
  if (img.dmkflag == 1) {
    img.Emtype = "DMK";
    img.fpa = img.secpos.At(i);
    emptied = true;
    img.datamarkDmk = img.secdam.At(i);
  } else {
    img.Emtype = "JV3";
    img.fpa = img.secpos.At(i);
    img.datamarkjv = img.secdam.At(i);
  }
  img.trkdens = img.secdens.At(i);
  return emptied;
}

bool IsDirectoryByMarks(const DiskImage& img) {
  bool directory = false;
  const int mark = img.datamarkDmk;  // a byte of the file
  if (mark == (mark & 0xFF) && dmk::IsDirectoryMark(static_cast<std::uint8_t>(mark))) {
    directory = true;
  }
  if (img.datamarkjv == kDirectoryMarkJv) directory = true;
  return directory;
}

bool IsDirectoryFromSectorOne(DiskImage& img) {
  if (img.firstsecnum != 1) return false;
  img.dirstartsec = img.spt * kDirectoryTrack;
  const double i = img.PresSecnum;
  return i >= img.dirstartsec && i <= img.dirstartsec + (kDirectorySectors - 1);
}

bool IsDirectorySector(DiskImage& img) {
  if (img.firstsecnum == 1) return IsDirectoryFromSectorOne(img);
  return IsDirectoryByMarks(img);
}

int DataByteStep(const DiskImage& img) {
  if (img.jv1 == 1 || img.dmkflag != 1) return 1;
  return (img.trkdens == 0 && img.sdsinglebyte == 0) ? 2 : 1;
}

std::optional<long> Lump(const DiskImage& img) {
  if (img.newdosflag != 1 || img.jv1 == 1 || img.spl == 0) return std::nullopt;
  return static_cast<long>(std::floor(Bounded(img.PresSecnum) / img.spl));
}

}  // namespace m1
