// DMK, as it lies in the file: a 16-byte header, then the raw track images one after another (for
// a double-sided disk side 0 and side 1 of each cylinder in turn).
//   byte 0       write protect (0x00, or 0xFF when protected)
//   byte 1       number of tracks (cylinders)
//   bytes 2-3    track length, little-endian, including the 128-byte table of ID address mark
//                pointers that opens every track image
//   byte 4       options: 0x10 single-sided, 0x40 single density stored single-byte,
//                0x80 ignore density (every byte stored once)
//   bytes 12-15  78 56 34 12 when the file stands for a real drive, not an image
// Each track image opens with 64 little-endian pointers: bit 15 double density, bits 0-13 the
// offset of an ID address mark (0xFE) from the start of the track image (the offset counts the
// table). Bit 14 is not part of the offset. An entry of 0 ends the table. An ID field is FE, track,
// side, sector, size code, CRC (high byte first). Double density records each byte once; single
// density is usually recorded with every byte twice (the Model 1's doubled bytes), unless header
// byte 4 has 0x40 or 0x80. The data field follows the ID field: a data address mark (F8 to FB), 128
// << (size code & 3) data bytes and a 2-byte CRC.
#pragma once

#include <cstdint>
#include <optional>

#include "core/container/byte_reader.h"

namespace m1::dmk {

inline constexpr std::int64_t kHeaderBytes = 16;  // the first track image follows the header
inline constexpr int kPointerEntries = 64;        // pointers in the table of a track image
inline constexpr std::int64_t kPointerTableBytes = 2 * kPointerEntries;  // 128
inline constexpr int kDoubleTrackLength = 6400;  // 0x1900: emulator DMK, double density
inline constexpr int kSingleTrackLength = 3264;  // 0x0CC0: emulator DMK, single density
inline constexpr int kMinTrackLength = 3264;     // a plausible header's track length, from here ...
inline constexpr int kMaxTrackLength = 16384;    // ... to here (0x4000)
inline constexpr int kMaxTracks = 96;            // a plausible header names 1 to 96 tracks
inline constexpr int kDoubleFromLength = 6000;  // other track lengths from here hold double density
inline constexpr std::uint8_t kRealDrive[4] = {0x78, 0x56, 0x34, 0x12};  // header bytes 12..15
inline constexpr std::uint8_t kOptionSingleSided = 0x10;
inline constexpr std::uint8_t kOptionSingleByteSd = 0x40;
inline constexpr std::uint8_t kOptionIgnoreDensity = 0x80;

// Where each field of the header lies, and its name: the reader below and the explainer of every
// byte both read them from here.
enum class HeaderField { WriteProtect, Tracks, TrackLength, Options, Reserved, RealDrive };
struct HeaderFieldPlace {
  HeaderField field;
  std::int64_t at;
  int bytes;
  const char* name;
};
inline constexpr HeaderFieldPlace kHeaderFields[] = {
    {HeaderField::WriteProtect, 0, 1, "write protect"},
    {HeaderField::Tracks, 1, 1, "tracks"},
    {HeaderField::TrackLength, 2, 2, "track length"},
    {HeaderField::Options, 4, 1, "options"},
    {HeaderField::Reserved, 5, 7, "reserved"},
    {HeaderField::RealDrive, 12, 4, "real-drive signature"},
};
constexpr const HeaderFieldPlace& HeaderFieldOf(HeaderField field) {
  return kHeaderFields[static_cast<int>(field)];
}
// The field the header byte at `at` (0 to 15) belongs to.
constexpr const HeaderFieldPlace& HeaderFieldAt(std::int64_t at) {
  for (const HeaderFieldPlace& f : kHeaderFields) {
    if (at >= f.at && at < f.at + f.bytes) return f;
  }
  return HeaderFieldOf(HeaderField::Reserved);
}

// The header, each byte a field. Bytes missing from a short file read 0, as the spare byte past
// the end of a window's buffer does.
struct Header {
  std::uint8_t writeProtect = 0;  // byte 0
  int tracks = 0;                 // byte 1
  int trackLength = 0;            // bytes 2-3
  std::uint8_t options = 0;       // byte 4
  bool realDrive = false;         // bytes 12-15 are 78 56 34 12

  // 6400 or 3264, the lengths emulators write.
  bool EmulatorLength() const {
    return trackLength == kDoubleTrackLength || trackLength == kSingleTrackLength;
  }
  // A header as a disk copier writes it: write protect 00 or FF, 1 to 96 tracks, a track length of
  // 3264 to 16384 and at least one whole track image in a file of fileSize bytes.
  bool Plausible(std::int64_t fileSize) const {
    return (writeProtect == 0x00 || writeProtect == 0xFF) && tracks >= 1 && tracks <= kMaxTracks &&
           trackLength >= kMinTrackLength && trackLength <= kMaxTrackLength &&
           kHeaderBytes + trackLength <= fileSize;
  }
  // Double density by the track length alone, where the length is not 6400 or 3264.
  bool LongTrack() const { return trackLength >= kDoubleFromLength; }
  bool SingleSided() const { return (options & kOptionSingleSided) != 0; }
  // Single-density fields are recorded with every byte twice.
  bool SingleDensityDoubled() const {
    return (options & (kOptionSingleByteSd | kOptionIgnoreDensity)) == 0;
  }
};

inline Header ReadHeader(const ByteReader& file) {
  const auto at = [&file](HeaderField f, int k = 0) {
    return file.byte(HeaderFieldOf(f).at + k).value_or(0);
  };
  Header h;
  h.writeProtect = at(HeaderField::WriteProtect);
  h.tracks = at(HeaderField::Tracks);
  h.trackLength = at(HeaderField::TrackLength) | (at(HeaderField::TrackLength, 1) << 8);
  h.options = at(HeaderField::Options);
  h.realDrive = true;
  for (int k = 0; k < 4; ++k) {
    if (at(HeaderField::RealDrive, k) != kRealDrive[k]) h.realDrive = false;
  }
  return h;
}

// One entry of a track image's pointer table.
struct Pointer {
  std::uint16_t raw = 0;

  bool End() const { return raw == 0; }
  bool DoubleDensity() const { return (raw & 0x8000) != 0; }
  // The offset of the ID address mark from the start of the track image: bits 0-13.
  int Offset() const { return raw & 0x3FFF; }
  // The offset as the main window, the sector map and the hex view read it: bits 0-14.
  int Offset15() const { return raw & 0x7FFF; }
};

// Entry `slot` of the pointer table of the track image at trackStart; nothing when it lies past
// the end of the file.
inline std::optional<Pointer> ReadPointer(const ByteReader& file, std::int64_t trackStart,
                                          int slot) {
  const auto v = file.le16(trackStart + 2 * std::int64_t{slot});
  if (!v) return std::nullopt;
  return Pointer{static_cast<std::uint16_t>(*v)};
}

// The logical bytes of an ID field from its address mark. `step` is 2 when every byte was recorded
// twice (logical byte k at mark + 2k), else 1.
inline constexpr int kIdTrack = 1;
inline constexpr int kIdSide = 2;
inline constexpr int kIdSector = 3;
inline constexpr int kIdSizeCode = 4;
inline constexpr int kIdCrc = 5;  // two bytes, high byte first
inline constexpr int kIdLogicalBytes = 7;
// What each logical byte of an ID field is, as the explainer names it.
inline constexpr const char* kIdByteNames[kIdLogicalBytes] = {
    "ID address mark", "track number",      "side number",     "sector number",
    "size code",       "ID CRC, high byte", "ID CRC, low byte"};

inline constexpr std::uint8_t kIdAddressMark = 0xFE;  // opens every ID field

struct IdField {
  std::uint8_t mark = 0;  // 0xFE in a good field
  std::uint8_t track = 0;
  std::uint8_t side = 0;
  std::uint8_t sector = 0;
  std::uint8_t sizeCode = 0;
  std::uint16_t crc = 0;  // as written
  // Data bytes of the sector: 128 << (size code & 3).
  int DataBytes() const { return 128 << (sizeCode & 3); }
};

// The ID field whose address mark is at `at`; nothing when a byte of it lies past the end of the
// file.
inline std::optional<IdField> ReadIdField(const ByteReader& file, std::int64_t at, int step) {
  std::uint8_t b[kIdLogicalBytes];
  for (int k = 0; k < kIdLogicalBytes; ++k) {
    const auto v = file.byte(at + std::int64_t{k} * step);
    if (!v) return std::nullopt;
    b[k] = *v;
  }
  return IdField{b[0],           b[kIdTrack],
                 b[kIdSide],     b[kIdSector],
                 b[kIdSizeCode], static_cast<std::uint16_t>((b[kIdCrc] << 8) | b[kIdCrc + 1])};
}

// The data address marks a controller accepts after an ID field: F8 to FB (F8 deleted data, FB
// data; F9 and FA are the other marks of single density).
constexpr bool IsAnyDataMark(std::uint8_t b) {
  return b >= 0xF8 && b <= 0xFB;
}
// The marks the design's windows look for: F8, FA, FB.
constexpr bool IsDataMark(std::uint8_t b) {
  return b == 0xF8 || b == 0xFA || b == 0xFB;
}
// The marks of a directory sector: F8 and FA.
constexpr bool IsDirectoryMark(std::uint8_t b) {
  return b == 0xF8 || b == 0xFA;
}

// A controller looks for the data address mark in the logical bytes after the ID CRC: 30 of them in
// single density, 43 in double density.
inline constexpr int kDataMarkWindowSingle = 30;
inline constexpr int kDataMarkWindowDouble = 43;

}  // namespace m1::dmk
