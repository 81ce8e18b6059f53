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

bool IsDataMark(std::uint8_t b) { return b == 0xF8 || b == 0xFA || b == 0xFB; }
bool IsDirectoryMark(std::uint8_t b) { return b == 0xF8 || b == 0xFA; }

// Offsets of the ID field's bytes from its address mark.
struct IdOffsets {
  int track, side, sector;
  int dataAfterMark;  // the first data byte lies this far after the data address mark
};
constexpr IdOffsets kOnce{1, 2, 3, 1};     // double density, or single density stored single-byte
constexpr IdOffsets kDoubled{2, 4, 6, 2};  // single density with every byte recorded twice

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
    const auto sideByte = file.byte(A + off.side);
    const auto s = file.byte(A + off.sector);
    const auto t = file.byte(A + off.track);
    if (!sideByte || !s || !t) continue;  // ID field past the end of the file
    // Data address mark: the first of F8/FA/FB from +10 to +50; none found leaves the byte at +50.
    std::optional<std::uint8_t> mark;
    int d = kDmkMarkFrom;
    bool cut = false;
    for (; d <= kDmkMarkTo; ++d) {
      const auto b = file.byte(A + d);
      if (!b) {
        cut = true;
        break;
      }
      if (IsDataMark(*b)) {
        mark = b;
        break;
      }
    }
    if (cut) continue;  // the search would read past the end of the file
    if (!mark) mark = file.byte(A + kDmkMarkTo);
    if (*t >= kTrackSlots) continue;
    img.trkspt[*t] = count;
    const std::int64_t i = *s + st.total - m;
    if (i < 0 || i >= kSectorSlots) continue;
    const auto at = static_cast<std::size_t>(i);
    const int side = *sideByte == 1 ? 1 : 0;
    if (side == 1) img.sides = 2;
    if (IsDirectoryMark(*mark) && i < st.bound) {
      st.bound = i;
      img.dirstartsec = static_cast<std::int32_t>(i);
      img.dirstartsecfnd = 1;
    }
    img.secdam[at] = *mark;
    img.secid[at] = *s;
    img.sectrk[at] = *t;
    img.secside[at] = side;
    img.secdens[at] = idamdens[j];
    img.secpos[at] = static_cast<std::int32_t>(A + d + off.dataAfterMark);
    ++img.Totalsecs;
    st.lastTrack = *t;
    st.lastSide = *sideByte;
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
