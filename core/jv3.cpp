// JV3: a table of 2901 three-byte sector headers fills offsets 0..8702, and byte 8703 is the
// write-protect byte; the sector data starts at 0x2200 and follows in table order. Each header:
//   byte 0  track number (0xFF: a free entry, which ends the table here)
//   byte 1  sector number as recorded on the disk
//   byte 2  flags: 0x80 double density, 0x20 directory data address mark, 0x10 side 1,
//           0x03 size code (0: 256, 1: 128, 2: 1024, 3: 512 bytes)
// Real images keep their headers in no fixed order (track by track, side 0 then side 1, or
// mixed), so the counting pass looks at every header before any sector gets its index.
#include <algorithm>
#include <span>

#include "core/formats.h"

namespace m1 {

namespace {

constexpr std::int64_t kJv3HeaderEntries = 2901;  // 2901 x 3 bytes, with the protect byte: 0x2200
constexpr std::int64_t kJv3DataStart = 0x2200;
constexpr std::uint8_t kJv3Free = 0xFF;
constexpr std::uint8_t kJv3Double = 0x80;
constexpr std::uint8_t kJv3Directory = 0x20;
constexpr std::uint8_t kJv3Side1 = 0x10;
constexpr std::uint8_t kJv3SizeMask = 0x03;
constexpr std::int64_t kJv3Sizes[4] = {256, 128, 1024, 512};
constexpr std::int64_t kJv3DirectoryBound = 100000;

struct Entry {
  int track;
  int sector;
  std::uint8_t flags;
};

// The headers in use: the table up to its first free entry, its 2901st entry or the end of the
// file, whichever comes first. Both passes walk them, read in place.
class HeaderTable {
 public:
  explicit HeaderTable(const ByteReader& file) {
    const std::int64_t whole = std::min<std::int64_t>(
        kJv3HeaderEntries, static_cast<std::int64_t>(file.size()) / 3);
    if (const auto table = file.bytes(0, 3 * whole)) bytes_ = *table;
    while (3 * count_ + 2 < bytes_.size() && bytes_[3 * count_] != kJv3Free) ++count_;
  }
  std::size_t size() const { return count_; }
  Entry operator[](std::size_t k) const {
    return Entry{bytes_[3 * k], bytes_[3 * k + 1], bytes_[3 * k + 2]};
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t count_ = 0;
};

bool InTrackRange(int t) { return t >= 0 && t < kTrackSlots; }

}  // namespace

void ScanJv3(DiskImage& img, const ByteReader& file) {
  img.tracks = 1;
  img.sides = 1;
  img.dens = 0;
  int prevDens = file.byte(2).value_or(0) & kJv3Double;

  // Counting pass: side-0 and side-1 sectors of each track and their lowest sector numbers.
  std::array<int, kTrackSlots> c1{};
  std::array<int, kTrackSlots> m0{};
  std::array<int, kTrackSlots> m1{};
  m0.fill(256);
  m1.fill(256);
  int highest = 0;
  const HeaderTable entries(file);
  for (std::size_t k = 0; k < entries.size(); ++k) {
    const Entry e = entries[k];
    if (!InTrackRange(e.track)) continue;
    const auto t = static_cast<std::size_t>(e.track);
    if (e.flags & kJv3Side1) {
      img.sides = 2;
      ++c1[t];
      m1[t] = std::min(m1[t], e.sector);
    } else {
      ++img.trkspt[t];
      m0[t] = std::min(m0[t], e.sector);
    }
    highest = std::max(highest, e.track);
  }
  img.tracks = highest + 1;
  img.trkstart[0] = 0;
  for (std::size_t t = 1; t < static_cast<std::size_t>(img.tracks); ++t) {
    img.trkstart[t] = img.trkstart[t - 1] + img.trkspt[t - 1] + c1[t - 1];
  }

  // Table pass: every sector gets its index, place and marks.
  std::int64_t bound = kJv3DirectoryBound;
  std::int64_t pos = kJv3DataStart;
  int recorded = 0;
  for (std::size_t k = 0; k < entries.size(); ++k) {
    const Entry e = entries[k];
    const std::int64_t here = pos;
    pos += kJv3Sizes[e.flags & kJv3SizeMask];
    if (!InTrackRange(e.track)) continue;
    const auto t = static_cast<std::size_t>(e.track);
    const bool side1 = (e.flags & kJv3Side1) != 0;
    const std::int64_t i = side1 ? std::int64_t{img.trkstart[t]} + img.trkspt[t] + e.sector - m1[t]
                                 : std::int64_t{img.trkstart[t]} + e.sector - m0[t];
    if (i < 0 || i >= kSectorSlots) continue;
    const auto at = static_cast<std::size_t>(i);
    img.secdam[at] = e.flags & kJv3Directory;
    img.secid[at] = e.sector;
    img.sectrk[at] = e.track;
    img.secside[at] = side1 ? 1 : 0;
    img.secpos[at] = static_cast<std::int32_t>(here);
    if ((e.flags & kJv3Directory) && i < bound) {
      bound = i;
      img.dirstartsec = static_cast<std::int32_t>(i);
      img.dirstartsecfnd = 1;
    }
    const int density = e.flags & kJv3Double;
    img.secdens[at] = density;
    if (density != prevDens) img.dens = 3;
    prevDens = density;
    ++recorded;
  }

  img.Totalsecs = recorded;
  if (img.dens != 3) img.dens = prevDens ? 2 : 1;
  img.spt = img.trkspt[0];
  img.spg = img.spt == 18 ? 6 : 5;
}

}  // namespace m1
