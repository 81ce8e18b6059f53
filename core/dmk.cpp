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
#include <cstring>
#include <span>

#include "core/formats.h"

namespace m1 {

namespace {

constexpr std::int64_t kDmkFirstTrack = 16;   // the first track image follows the header
constexpr int kDmkPointerSlots = 31;          // pointers read per track (slots 0..30)
constexpr int kDmkPointerMask = 0x7FFF;       // offset of the ID address mark
constexpr int kDmkDoublePointer = 0x8000;     // the sector is double density
constexpr int kDmkMarkFrom = 10;              // data address mark search, from +10 ...
constexpr int kDmkMarkTo = 50;                // ... to +50 after the ID address mark
constexpr int kDmkDirectoryBound = 10000;
constexpr int kDmkFirstSecStart = 50;         // the smallest sector number starts from here
constexpr int kDmkTrackLowStart = 20;         // the track's lowest sector number starts from here
constexpr int kDensityDouble = 128;

constexpr bool IsDataMark(std::uint8_t b) { return b == 0xF8 || b == 0xFA || b == 0xFB; }

// Position of the first data address mark in a window of bytes, or the window's size when there
// is none. Eight bytes are looked at a time: a byte whose value with its two low bits set is 0xFB
// (F8, F9, FA, FB) makes the word a candidate, which is then checked byte by byte. The gap, sync
// and ID bytes before a mark are almost never candidates, so most words cost one test.
std::size_t FindDataMark(std::span<const std::uint8_t> w) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  constexpr std::uint64_t kHighs = 0x8080808080808080ull;
  std::size_t i = 0;
  for (; i + 8 <= w.size(); i += 8) {
    std::uint64_t v;
    std::memcpy(&v, w.data() + i, sizeof v);
    const std::uint64_t x = (v | (kOnes * 0x03)) ^ (kOnes * 0xFB);  // a zero byte: a candidate
    if (((x - kOnes) & ~x & kHighs) == 0) continue;
    for (std::size_t k = i; k < i + 8; ++k) {
      if (IsDataMark(w[k])) return k;
    }
  }
  for (; i < w.size(); ++i) {
    if (IsDataMark(w[i])) return i;
  }
  return w.size();
}
bool IsDirectoryMark(std::uint8_t b) { return b == 0xF8 || b == 0xFA; }

// Offsets of the ID field's bytes from its address mark.
struct IdOffsets {
  int track, side, sector;
  int dataAfterMark;  // the first data byte lies this far after the data address mark
};
constexpr IdOffsets kOnce{1, 2, 3, 1};     // double density, or single density stored single-byte
constexpr IdOffsets kDoubled{2, 4, 6, 2};  // single density with every byte recorded twice

// What the track pass reads of one sector: its ID field and its data address mark at offset d.
struct IdAndMark {
  std::uint8_t side, sector, track, mark;
  int d;
};

// Reads the ID field at A and looks for the data address mark: the first of F8/FA/FB from +10 to
// +50; when there is none, the byte at +50 stands as the mark. Nothing when a byte the search
// needs lies past the end of the file.
std::optional<IdAndMark> ReadIdAndMark(const ByteReader& file, std::int64_t A,
                                       const IdOffsets& off) {
  if (const auto field = file.bytes(A, kDmkMarkTo + 1)) {
    // The whole ID field and search window lie in the file (the usual case): no check per byte.
    const auto window = field->subspan(kDmkMarkFrom);
    const std::size_t found = FindDataMark(window);
    const int d = kDmkMarkFrom + static_cast<int>(found);  // 51 when there is no mark
    return IdAndMark{(*field)[off.side], (*field)[off.sector], (*field)[off.track],
                     found < window.size() ? window[found] : (*field)[kDmkMarkTo], d};
  }
  const auto side = file.byte(A + off.side);
  const auto sector = file.byte(A + off.sector);
  const auto track = file.byte(A + off.track);
  if (!side || !sector || !track) return std::nullopt;
  for (int d = kDmkMarkFrom; d <= kDmkMarkTo; ++d) {
    const auto b = file.byte(A + d);
    if (!b) return std::nullopt;
    if (IsDataMark(*b)) return IdAndMark{*side, *sector, *track, *b, d};
  }
  return std::nullopt;  // unreachable: the byte at +50 would have been missing above
}

struct PassState {
  std::int64_t bound = kDmkDirectoryBound;
  std::int64_t total = 0;  // T: sectors of the track images before this one
  int lastTrack = 0;       // track and side of the last ID field recorded
  int lastSide = 0;
};

// Steps 1 to 6 of the track pass for the image at P, as track counter k.
void ReadTrackImage(DiskImage& img, const ByteReader& file, std::int64_t P, std::size_t k,
                    PassState& st) {
  img.trkstart[k] = static_cast<std::int32_t>(st.total);
  int m = kDmkTrackLowStart;

  std::array<std::int64_t, kDmkPointerSlots> idampos{};
  std::array<int, kDmkPointerSlots> idamdens{};
  int count = 0;
  for (int j = 0; j < kDmkPointerSlots; ++j) {
    const auto ptr = file.le16(P + 2 * j);
    if (!ptr || (*ptr & kDmkPointerMask) == 0) break;
    idampos[j] = P + (*ptr & kDmkPointerMask);
    idamdens[j] = (*ptr & kDmkDoublePointer) ? kDensityDouble : 0;
    const IdOffsets& off = (idamdens[j] || img.sdsinglebyte) ? kOnce : kDoubled;
    if (const auto s = file.byte(idampos[j] + off.sector)) m = std::min<int>(m, *s);
    ++count;
  }
  img.spt = count;

  for (int j = 0; j < count; ++j) {
    const std::int64_t A = idampos[j];
    const IdOffsets& off = (idamdens[j] || img.sdsinglebyte) ? kOnce : kDoubled;
    const auto id = ReadIdAndMark(file, A, off);
    if (!id) continue;  // the ID field or the mark search would read past the end of the file  // the ID field or the mark search would read past the end of the file
    const int sideByte = id->side, s = id->sector, t = id->track, mark = id->mark;
    if (t >= kTrackSlots) continue;
    img.trkspt[t] = count;
    const std::int64_t i = s + st.total - m;
    if (i < 0 || i >= kSectorSlots) continue;
    const auto at = static_cast<std::size_t>(i);
    const int side = sideByte == 1 ? 1 : 0;
    if (side == 1) img.sides = 2;
    if (IsDirectoryMark(mark) && i < st.bound) {
      st.bound = i;
      img.dirstartsec = static_cast<std::int32_t>(i);
      img.dirstartsecfnd = 1;
    }
    img.secdam[at] = mark;
    img.secid[at] = s;
    img.sectrk[at] = t;
    img.secside[at] = side;
    img.secdens[at] = idamdens[j];
    img.secpos[at] = static_cast<std::int32_t>(A + id->d + off.dataAfterMark);
    ++img.Totalsecs;
    st.lastTrack = t;
    st.lastSide = sideByte;
  }

  if (m == 1) img.firstsecnum = 1;
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
