// The main window's scan of a JV3 image (the layout is drawn in core/jv3_format.h). Real images
// keep their headers in no fixed order (track by track, side 0 then side 1, or mixed), so the
// counting pass looks at every header before any sector gets its index.
#include <algorithm>

#include "core/container/jv3_format.h"
#include "core/design/formats.h"

namespace m1 {

namespace {

constexpr std::int64_t kJv3DirectoryBound = 100000;  // a directory sector index lies below this

bool InTrackRange(int t) {
  return t >= 0 && t < kTrackSlots;
}

}  // namespace

void ScanJv3(DiskImage& img, const ByteReader& file) {
  img.tracks = 1;
  img.sides = 1;
  img.dens = 0;
  int prevDens = file.byte(2).value_or(0) & jv3::kDouble;  // the first entry's flags

  // Counting pass: side-0 and side-1 sectors of each track and their lowest sector numbers.
  std::array<int, kTrackSlots> c1{};
  std::array<int, kTrackSlots> m0{};
  std::array<int, kTrackSlots> m1{};
  m0.fill(256);
  m1.fill(256);
  int highest = 0;
  const std::int64_t entries = jv3::EntriesInUse(file);
  for (std::int64_t k = 0; k < entries; ++k) {
    const jv3::Entry e = *jv3::ReadEntry(file, 0, k);
    if (!InTrackRange(e.track)) continue;
    const auto t = static_cast<std::size_t>(e.track);
    if (e.Side1()) {
      img.sides = 2;
      ++c1[t];
      m1[t] = std::min<int>(m1[t], e.sector);
    } else {
      ++img.trkspt[t];
      m0[t] = std::min<int>(m0[t], e.sector);
    }
    highest = std::max<int>(highest, e.track);
  }
  img.tracks = highest + 1;
  img.trkstart[0] = 0;
  for (std::size_t t = 1; t < static_cast<std::size_t>(img.tracks); ++t) {
    img.trkstart[t] = img.trkstart[t - 1] + img.trkspt[t - 1] + c1[t - 1];
  }

  // Table pass: every sector gets its index, place and marks.
  std::int64_t bound = kJv3DirectoryBound;
  std::int64_t pos = jv3::kDataStart;
  int recorded = 0;
  for (std::int64_t k = 0; k < entries; ++k) {
    const jv3::Entry e = *jv3::ReadEntry(file, 0, k);
    const std::int64_t here = pos;
    pos += e.Size();
    if (!InTrackRange(e.track)) continue;
    const auto t = static_cast<std::size_t>(e.track);
    const bool side1 = e.Side1();
    const std::int64_t i = side1 ? std::int64_t{img.trkstart[t]} + img.trkspt[t] + e.sector - m1[t]
                                 : std::int64_t{img.trkstart[t]} + e.sector - m0[t];
    if (i < 0 || i >= kSectorSlots) continue;
    const auto at = static_cast<std::size_t>(i);
    img.secdam[at] = e.flags & jv3::kDirectory;
    img.secid[at] = e.sector;
    img.sectrk[at] = e.track;
    img.secside[at] = side1 ? 1 : 0;
    img.secpos[at] = static_cast<std::int32_t>(here);
    if (e.DirectoryMark() && i < bound) {
      bound = i;
      img.dirstartsec = static_cast<std::int32_t>(i);
      img.dirstartsecfnd = 1;
    }
    const int density = e.flags & jv3::kDouble;
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
