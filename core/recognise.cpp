// Recognition of the container. The tests run in this order and the first that matches decides:
//
//  1. JV1, by the first three bytes of the boot sector (00 FE 11). JV1 has no header at all, so
//     this is the only sign it gives; it goes first because a JV1 boot sector would otherwise be
//     read as a DMK or JV3 header.
//  2. DMK, by the track length in header bytes 2-3: 6400 (double density) or 3264 (single
//     density) as emulators write them, or any other header that is plausible as DMK (write
//     protect byte 00 or FF, 1 to 96 tracks, a track length of 3264 to 16384 bytes and at least
//     one whole track image in the file), as the images of real disk copiers are. A DMK header
//     that names a real drive (bytes 12-15 78 56 34 12) is refused: such files are not images.
//  3. JV3 last, because its test is the weakest: the first four sector headers name one track.
//     A file that fails it carries no emulator header and is refused.

#include "core/formats.h"

namespace m1 {

namespace {

constexpr std::uint8_t kJv1Signature[3] = {0x00, 0xFE, 0x11};  // boot sector: 00 FE, then 0x11

constexpr int kDmkDoubleTrackLength = 6400;   // 0x1900: emulator DMK, double density
constexpr int kDmkSingleTrackLength = 3264;   // 0x0CC0: emulator DMK, single density
constexpr int kDmkMaxTrackLength = 16384;     // longer track images are not plausible
constexpr int kDmkMaxTracks = 96;
constexpr int kDmkDoubleFromLength = 6000;    // other lengths: from here on a double-density track
constexpr std::size_t kDmkHeaderBytes = 16;
constexpr std::uint8_t kDmkRealDrive[4] = {0x78, 0x56, 0x34, 0x12};  // header bytes 12..15
constexpr std::uint8_t kDmkSingleByteSd = 0x40;  // header byte 4: single density stored single-byte
constexpr std::uint8_t kDmkIgnoreDensity = 0x80;  // header byte 4: ignore density

Refusal NoHeaderRefusal() {
  return Refusal{{"** ERROR **", " This file does not have an EMULATOR Disk format HEADER",
                  "    It may be a Disk file for use with a dedicated program"}};
}

Refusal RealDiskRefusal() {
  return Refusal{{"** ERROR **  This file is a DMK type REAL disk format,",
                  "                     used to access REAL Disks"}};
}

bool IsJv1(const ByteReader& file) {
  for (int k = 0; k < 3; ++k) {
    if (file.byte(k) != kJv1Signature[k]) return false;
  }
  return true;
}

bool IsPlausibleDmkHeader(const ByteReader& file, int trackLength) {
  const auto protect = file.byte(0);
  const auto tracks = file.byte(1);
  if (!protect || !tracks) return false;
  return (*protect == 0x00 || *protect == 0xFF) && *tracks >= 1 && *tracks <= kDmkMaxTracks &&
         trackLength >= kDmkSingleTrackLength && trackLength <= kDmkMaxTrackLength &&
         file.Holds(kDmkHeaderBytes, trackLength);
}

bool IsRealDrive(const ByteReader& file) {
  for (int k = 0; k < 4; ++k) {
    if (file.byte(12 + k) != kDmkRealDrive[k]) return false;
  }
  return true;
}

}  // namespace

Recognition Recognise(DiskImage& img, const ByteReader& file) {
  Recognition r;

  // 1. JV1.
  if (IsJv1(file)) {
    r.container = Container::Jv1;
    return r;
  }
  img.jv1 = 0;

  // 2. DMK.
  img.trklength = file.le16(2).value_or(0);
  img.spg = 5;
  bool dmk = false;
  if (img.trklength == kDmkDoubleTrackLength) {
    dmk = true;
    img.dens = 2;
    img.spg = 6;
  } else if (img.trklength == kDmkSingleTrackLength) {
    dmk = true;
    img.dens = 1;
    img.spg = 5;
  } else if (IsPlausibleDmkHeader(file, img.trklength)) {
    dmk = true;
    const bool dbl = img.trklength >= kDmkDoubleFromLength;
    img.dens = dbl ? 2 : 1;
    img.spg = dbl ? 6 : 5;
  }
  if (dmk) {
    img.dmkflag = 1;
    if (IsRealDrive(file)) {
      r.refusal = RealDiskRefusal();
      return r;
    }
    const std::uint8_t options = file.byte(4).value_or(0);
    img.sdsinglebyte = (options & (kDmkSingleByteSd | kDmkIgnoreDensity)) != 0 ? 1 : 0;
    img.tracks = file.byte(1).value_or(0);
    r.container = Container::Dmk;
    return r;
  }

  // 3. JV3: the track bytes of the first four sector headers agree.
  img.jv3flag = 1;
  img.dirstartsecfnd = 0;
  const auto t0 = file.byte(0);
  if (t0 && file.byte(3) == t0 && file.byte(6) == t0 && file.byte(9) == t0) {
    r.container = Container::Jv3;
  } else {
    r.refusal = NoHeaderRefusal();
  }
  return r;
}

}  // namespace m1
