// The main window's scan of a DMK image (the layout is drawn in core/dmk_format.h). It walks the
// track images one after another from the header and, for each, the pointer table of its ID
// address marks (at most 31 of them are read). For every ID field it takes the track, side and
// sector bytes (at +1, +2, +3 from the mark, or +2, +4, +6 when every byte was recorded twice) and
// the data address mark: the first F8, FA or FB from +10 to +50 after the ID address mark. The
// sector's first data byte follows the mark (by 1 or 2). The sectors of a track image are filed
// under the track's first sector index plus the sector number less the track's lowest number.
#include <algorithm>
#include <array>

#include "core/container/dmk_format.h"
#include "core/design/data_mark.h"
#include "core/design/formats.h"

namespace m1 {

namespace {

constexpr int kPointersRead = 31;  // pointers read per track (slots 0..30)
constexpr int kMarkFrom = 10;      // data address mark search, from +10 ...
constexpr int kMarkTo = 50;        // ... to +50 after the ID address mark
static_assert(kMarkTo - kMarkFrom + 1 == datamark::kWindowBytes);
constexpr int kDirectoryBound = 10000;  // a directory sector index lies below this
constexpr int kFirstSecStart = 50;      // the smallest sector number starts from here
constexpr int kTrackLowStart = 20;      // the track's lowest sector number starts from here
constexpr int kDensityDouble = 128;     // secdens of a double-density sector
// An ID field whose bytes or mark search reach past the end of the file is kept with this track
// number, which no table has room for, so that filing passes it over like any such track.
constexpr int kUnreadTrack = 0xFF;
static_assert(kUnreadTrack >= kTrackSlots);

// What the pass reads at one pointer of a track image.
struct PointedSector {
  int track = kUnreadTrack;
  int side = 0;
  int sector = kTrackLowStart;  // stays when even the sector byte is missing
  int mark = 0;                 // the data address mark byte
  int dens = 0;                 // 0 single, 128 double
  std::int64_t pos = 0;         // file offset of the first data byte
};

// The data address mark after the ID address mark at A: the first mark from +10 to +50, or the
// byte at +50 when there is none (its data then starts at +51). Nothing when the search reaches
// past the end of the file before it finds a mark.
struct FoundMark {
  int at;
  std::uint8_t mark;
};
std::optional<FoundMark> FindDataMark(const ByteReader& file, std::int64_t A) {
  if (const auto window = file.bytes(A + kMarkFrom, kMarkTo - kMarkFrom + 1)) {
    const std::size_t first = datamark::Find(datamark::Window(window->data(), window->size()));
    if (first == window->size()) return FoundMark{kMarkTo + 1, window->back()};
    return FoundMark{kMarkFrom + static_cast<int>(first), (*window)[first]};
  }
  // The window runs past the end of the file: a mark before the end still counts.
  for (int d = kMarkFrom; d <= kMarkTo; ++d) {
    const auto b = file.byte(A + d);
    if (!b) return std::nullopt;
    if (dmk::IsDataMark(*b)) return FoundMark{d, *b};
  }
  return std::nullopt;  // not reached: the byte at +50 would have been missing above
}

// The sector the pointer p of the track image at P leads to. `step` is 2 when single density is
// recorded with every byte twice. The sector number alone still counts towards the track's lowest
// number when the rest of the ID field or its data mark cannot be read.
PointedSector ReadPointedSector(const ByteReader& file, std::int64_t P, dmk::Pointer p, int step) {
  const std::int64_t A = P + p.Offset15();
  if (p.DoubleDensity()) step = 1;
  PointedSector s;
  s.dens = p.DoubleDensity() ? kDensityDouble : 0;
  const auto sector = file.byte(A + dmk::kIdSector * step);
  if (!sector) return s;
  s.sector = *sector;
  const auto side = file.byte(A + dmk::kIdSide * step);
  const auto track = file.byte(A + dmk::kIdTrack * step);
  if (!side || !track) return s;
  const auto found = FindDataMark(file, A);
  if (!found) return s;
  s.track = *track;
  s.side = *side;
  s.mark = found->mark;
  s.pos = A + found->at + step;
  return s;
}

struct PassState {
  std::int64_t bound = kDirectoryBound;
  std::int64_t total = 0;  // sectors of the track images before this one
  int lastTrack = 0;       // track and side of the last ID field filed
  int lastSide = 0;
};

// One track image at P, as track counter k: files each sector it points to under its index. The
// lowest sector number must be known before the first of them can be filed.
void ReadTrackImage(DiskImage& img, const ByteReader& file, std::int64_t P, std::size_t k,
                    PassState& st) {
  img.trkstart[k] = static_cast<std::int32_t>(st.total);
  const int step = img.sdsinglebyte ? 1 : 2;
  std::array<PointedSector, kPointersRead> sectors;
  int count = 0;
  int lowest = kTrackLowStart;
  for (; count < kPointersRead; ++count) {
    // A pointer read past the end of the file ends the table like an entry of 0.
    const dmk::Pointer p = dmk::ReadPointer(file, P, count).value_or(dmk::Pointer{});
    if (p.Offset15() == 0) break;
    sectors[count] = ReadPointedSector(file, P, p, step);
    lowest = std::min(lowest, sectors[count].sector);
  }
  img.spt = count;

  for (int j = 0; j < count; ++j) {
    const PointedSector& s = sectors[j];
    if (s.track >= kTrackSlots) continue;
    img.trkspt[s.track] = count;
    const std::int64_t i = s.sector + st.total - lowest;
    if (i < 0 || i >= kSectorSlots) continue;
    const auto at = static_cast<std::size_t>(i);
    const int side = s.side == 1 ? 1 : 0;
    if (side == 1) img.sides = 2;
    if (dmk::IsDirectoryMark(static_cast<std::uint8_t>(s.mark)) && i < st.bound) {
      st.bound = i;
      img.dirstartsec = static_cast<std::int32_t>(i);
      img.dirstartsecfnd = 1;
    }
    img.secdam[at] = s.mark;
    img.secid[at] = s.sector;
    img.sectrk[at] = s.track;
    img.secside[at] = side;
    img.secdens[at] = s.dens;
    img.secpos[at] = static_cast<std::int32_t>(s.pos);
    ++img.Totalsecs;
    st.lastTrack = s.track;
    st.lastSide = s.side;
  }

  if (lowest == 1) img.firstsecnum = 1;
  st.total += count;
}

}  // namespace

void ScanDmk(DiskImage& img, const ByteReader& file) {
  // First pass, track 0: the smallest sector number its pointers offer (read at +3, whatever the
  // density), up to the first empty pointer, whose own +3 still counts.
  int smallest = kFirstSecStart;
  for (int j = 0; j < kPointersRead; ++j) {
    const auto p = dmk::ReadPointer(file, dmk::kHeaderBytes, j);
    if (!p) break;
    const std::int64_t A = dmk::kHeaderBytes + p->Offset15();
    if (const auto s = file.byte(A + dmk::kIdSector)) smallest = std::min<int>(smallest, *s);
    if (p->Offset15() == 0) break;
  }
  img.firstsecnum = smallest;

  // Track pass.
  img.sides = 1;
  img.dirstartsecfnd = 0;
  img.Totalsecs = 0;
  PassState st;
  std::int64_t P = dmk::kHeaderBytes;
  std::size_t k = 0;
  const std::int64_t length = img.trklength;
  bool lastTrackReached = false;
  while (length > 0 && file.Holds(P, length) && k < kTrackStartSlots) {
    ReadTrackImage(img, file, P, k, st);
    P += length;
    if (st.lastSide == 0) ++k;
    if (st.lastTrack >= img.tracks - 1) {
      lastTrackReached = true;
      break;
    }
  }
  // The pass stops at the side-0 image of the last track; its side-1 image follows it.
  if (lastTrackReached && img.sides == 2 && length > 0 && file.Holds(P, length) &&
      k < kTrackStartSlots) {
    ReadTrackImage(img, file, P, k, st);
  }
}

}  // namespace m1
