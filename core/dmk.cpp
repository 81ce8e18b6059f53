// DMK: a 16-byte header, then the raw track images one after another (for a double-sided disk
// side 0 and side 1 of each track in turn).
//   byte 0       write protect (0x00 or 0xFF)
//   byte 1       number of tracks
//   bytes 2-3    track length, including the 128-byte table of ID address mark pointers
//   byte 4       options: 0x10 single-sided, 0x40 single density stored single-byte,
//                0x80 ignore density
//   bytes 12-15  78 56 34 12 when the file stands for a real drive
// Each track image opens with its pointer table: little-endian 16-bit entries, the low 15 bits the
// offset of an ID address mark (0xFE) from the start of the image, bit 15 double density; an
// entry of 0 ends the table. An ID field is FE, track, side, sector, size, CRC. Double density
// records each byte once; single density is usually recorded with every byte twice (the mark at
// +0 and +1, the track at +2, the side at +4, the sector at +6), unless header byte 4 says it is
// stored single-byte. The data address mark (0xFB data, 0xF8 or 0xFA directory) follows 10 to 50
// bytes after the ID address mark, and the sector's data starts right after the mark.
#include <algorithm>
#include <bit>
#include <cstring>
#include <span>

#include "core/data_mark.h"
#include "core/formats.h"

namespace m1 {

namespace {

constexpr std::int64_t kDmkFirstTrack = 16;   // the first track image follows the header
constexpr int kDmkPointerSlots = 31;          // pointers read per track (slots 0..30)
constexpr int kDmkPointerMask = 0x7FFF;       // offset of the ID address mark
constexpr int kDmkDoublePointer = 0x8000;     // the sector is double density
constexpr int kDmkMarkFrom = 10;              // data address mark search, from +10 ...
constexpr int kDmkMarkTo = 50;                // ... to +50 after the ID address mark
constexpr int kDmkWindowBytes = kDmkMarkTo - kDmkMarkFrom + 1;
static_assert(kDmkWindowBytes == datamark::kWindowBytes);
using datamark::IsDataMark;
constexpr int kDmkDirectoryBound = 10000;
constexpr int kDmkFirstSecStart = 50;         // the smallest sector number starts from here
constexpr int kDmkTrackLowStart = 20;         // the track's lowest sector number starts from here
constexpr int kDensityDouble = 128;

bool IsDirectoryMark(std::uint8_t b) { return b == 0xF8 || b == 0xFA; }

// What the track pass reads at the pointers of one track image, slot by slot: the ID field's side,
// sector and track bytes, the data address mark, the file offset of the sector's first data byte
// and the density. One array per field: the compiler would pack a record's fields into one wide
// store, which costs more than it saves.
struct TrackSectors {
  std::array<std::int32_t, kDmkPointerSlots> pos, side, sector, track, mark, dens;
  int count = 0;
  int lowest = kDmkTrackLowStart;  // the lowest sector number, or 20
};
// An ID field whose bytes or mark search reach past the end of the file is kept with this track
// number, which no table has room for, so that filing passes it over like any such track.
constexpr int kUnreadTrack = 0xFF;
static_assert(kUnreadTrack >= kTrackSlots);

// The ID field's bytes lie at 1, 2, 3 from its address mark (track, side, sector), or at 2, 4, 6
// when every byte was recorded twice; `twice` is 0 or 1, the shift between the two. The first data
// byte follows the data address mark by the same 1 or 2.
constexpr int TrackAt(int twice) { return 1 << twice; }
constexpr int SideAt(int twice) { return 2 << twice; }
constexpr int SectorAt(int twice) { return 3 << twice; }

// Keeps slot j: the ID field at A (p pointing at its address mark) with its data address mark
// found at d (51 when there is none: the byte at +50 then stands as the mark). Returns the sector
// number, handed back rather than read back from the slot.
template <int Twice>
[[gnu::always_inline]] inline int Keep(TrackSectors& ts, int j, const std::uint8_t* p,
                                       std::int64_t A, int d) {
  const int side = p[SideAt(Twice)], sector = p[SectorAt(Twice)], track = p[TrackAt(Twice)];
  ts.pos[j] = static_cast<std::int32_t>(A + d + TrackAt(Twice));
  ts.side[j] = side;
  ts.sector[j] = sector;
  ts.track[j] = track;
  ts.mark[j] = p[std::min(d, kDmkMarkTo)];
  return sector;
}
[[gnu::always_inline]] inline int Keep(TrackSectors& ts, int j, const std::uint8_t* p,
                                       std::int64_t A, int d, int twice) {
  return twice ? Keep<1>(ts, j, p, A, d) : Keep<0>(ts, j, p, A, d);
}

// Slot j for the ID field at A when it or its search window runs past the end of the file: the
// data address mark is looked for byte by byte, so that a mark before the end still counts. An ID
// field that cannot be read whole is kept under kUnreadTrack. Returns the sector number, or 20
// when even that byte is missing.
[[gnu::noinline]] int KeepChecked(TrackSectors& ts, int j, const ByteReader& file, std::int64_t A,
                                  int twice) {
  ts.track[j] = kUnreadTrack;
  const auto side = file.byte(A + SideAt(twice));
  const auto sector = file.byte(A + SectorAt(twice));
  const auto track = file.byte(A + TrackAt(twice));
  if (!sector) return kDmkTrackLowStart;
  ts.sector[j] = *sector;  // it still takes part in the track's lowest number
  if (!side || !track) return *sector;
  for (int d = kDmkMarkFrom; d <= kDmkMarkTo; ++d) {
    const auto b = file.byte(A + d);
    if (!b) return *sector;
    if (IsDataMark(*b)) {
      ts.pos[j] = static_cast<std::int32_t>(A + d + TrackAt(twice));
      ts.side[j] = *side;
      ts.track[j] = *track;
      ts.mark[j] = *b;
      return *sector;
    }
  }
  return *sector;  // not reached: the byte at +50 would have been missing above
}

struct PassState {
  std::int64_t bound = kDmkDirectoryBound;
  std::int64_t total = 0;  // T: sectors of the track images before this one
  int lastTrack = 0;       // track and side of the last ID field recorded
  int lastSide = 0;
  datamark::RepeatFinder marks;  // the sectors of every track repeat the same gaps
};

// The pass asks for the cache lines it will read one track image ahead: the ID fields and mark
// windows lie a few hundred bytes apart, and fetching them one sector at a time, as they are
// reached, leaves the pass waiting on each.
void PrefetchPointerTable(const ByteReader& file, std::int64_t P) {
  file.Prefetch(P);
  file.Prefetch(P + 2 * kDmkPointerSlots - 1);
}
void PrefetchIdField(const ByteReader& file, std::int64_t A) {
  file.Prefetch(A);  // the line after it, which the search window reaches into, comes along
}

// Entry j of a pointer table: little-endian, read as one 16-bit load where the machine is.
int Le16(std::span<const std::uint8_t> b, int j) {
  if constexpr (std::endian::native == std::endian::little) {
    std::uint16_t v;
    std::memcpy(&v, b.subspan(static_cast<std::size_t>(2 * j), 2).data(), sizeof v);
    return v;
  } else {
    return b[2 * j] | (b[2 * j + 1] << 8);
  }
}

// Reads the sectors of the track image at P, each ID field once: the lowest sector number must be
// known before the first of them can be filed. Asks for the ID fields of the image at `next`
// (whose pointer table was asked for one image earlier) and for the table after it.
void ReadPointedSectors(const DiskImage& img, const ByteReader& file, std::int64_t P,
                        std::int64_t next, datamark::RepeatFinder& marks, TrackSectors& ts) {
  // The table lies in the file whenever its track image does; a pointer read past the end of the
  // file ends it like an entry of 0.
  const auto table = file.bytes(P, 2 * kDmkPointerSlots);
  // Past the last image the next "table" is one of zeros: what it asks for is a line already here.
  static constexpr std::array<std::uint8_t, 2 * kDmkPointerSlots> kNoTable{};
  const auto nextPointers = file.bytes(next, 2 * kDmkPointerSlots).value_or(kNoTable);
  PrefetchPointerTable(file, next + (next - P));
  const int sdTwice = img.sdsinglebyte ? 0 : 1;
  int count = 0;
  int lowest = kDmkTrackLowStart;
  for (int j = 0; j < kDmkPointerSlots; ++j) {
    const int ptr = table ? Le16(*table, j) : file.le16(P + 2 * j).value_or(0);
    if ((ptr & kDmkPointerMask) == 0) break;
    PrefetchIdField(file, next + (Le16(nextPointers, j) & kDmkPointerMask));
    const std::int64_t A = P + (ptr & kDmkPointerMask);
    const bool dd = (ptr & kDmkDoublePointer) != 0;
    const int twice = dd ? 0 : sdTwice;
    ts.dens[j] = dd ? kDensityDouble : 0;
    int sector;
    if (const auto field = file.bytes(A, kDmkMarkTo + 1)) {
      // The whole ID field and search window lie in the file (the usual case).
      const std::uint8_t* p = field->data();
      const auto found = marks.Find(datamark::Window(p + kDmkMarkFrom, kDmkWindowBytes));
      sector = Keep(ts, j, p, A, kDmkMarkFrom + static_cast<int>(found), twice);
    } else {
      sector = KeepChecked(ts, j, file, A, twice);
    }
    lowest = std::min(lowest, sector);
    ++count;
  }
  ts.count = count;
  ts.lowest = lowest;
}

// One track image at P, as track counter k: files each sector it points to under its index (the
// track's first index plus the sector number less the track's lowest sector number).
void ReadTrackImage(DiskImage& img, const ByteReader& file, std::int64_t P, std::size_t k,
                    PassState& st) {
  img.trkstart[k] = static_cast<std::int32_t>(st.total);
  TrackSectors ts;
  ReadPointedSectors(img, file, P, P + img.trklength, st.marks, ts);
  const int count = ts.count;
  img.spt = count;

  std::int64_t bound = st.bound;
  int lastFiled = -1, filed = 0, sides = img.sides;
  for (int j = 0; j < count; ++j) {
    const int t = ts.track[j];
    if (t >= kTrackSlots) continue;
    img.trkspt[t] = count;
    const int s = ts.sector[j], sideByte = ts.side[j];
    const int mark = ts.mark[j];
    const std::int64_t i = s + st.total - ts.lowest;
    if (i < 0 || i >= kSectorSlots) continue;
    const auto at = static_cast<std::size_t>(i);
    const int side = sideByte == 1 ? 1 : 0;
    if (side == 1) sides = 2;
    if (IsDirectoryMark(static_cast<std::uint8_t>(mark)) && i < bound) {
      bound = i;
      img.dirstartsec = static_cast<std::int32_t>(i);
      img.dirstartsecfnd = 1;
    }
    img.secdam[at] = mark;
    img.secid[at] = s;
    img.sectrk[at] = t;
    img.secside[at] = side;
    img.secdens[at] = ts.dens[j];
    img.secpos[at] = ts.pos[j];
    ++filed;
    lastFiled = j;
  }
  img.sides = sides;
  img.Totalsecs += filed;
  st.bound = bound;
  if (lastFiled >= 0) {
    st.lastTrack = ts.track[static_cast<std::size_t>(lastFiled)];
    st.lastSide = ts.side[static_cast<std::size_t>(lastFiled)];
  }

  if (ts.lowest == 1) img.firstsecnum = 1;
  st.total += count;
}

}  // namespace

void ScanDmk(DiskImage& img, const ByteReader& file) {
  // First pass, track 0: the smallest sector number offered by its pointers (read at +3).
  int smallest = kDmkFirstSecStart;
  for (int j = 0; j < kDmkPointerSlots; ++j) {
    const auto ptr = file.le16(kDmkFirstTrack + 2 * j);
    if (!ptr) break;
    const int p = *ptr & kDmkPointerMask;
    if (const auto s = file.byte(kDmkFirstTrack + p + 3)) smallest = std::min<int>(smallest, *s);
    if (p == 0) break;
  }
  img.firstsecnum = smallest;

  // Track pass.
  img.sides = 1;
  img.dirstartsecfnd = 0;
  img.Totalsecs = 0;
  PassState st;
  std::int64_t P = kDmkFirstTrack;
  std::size_t k = 0;
  const std::int64_t length = img.trklength;
  bool lastTrackReached = false;
  // The first track image is read without being asked for ahead; the pass asks for the second's
  // table here and from then on keeps one track image ahead.
  PrefetchPointerTable(file, P + length);
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
