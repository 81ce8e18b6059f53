#include "hexview/classify.h"

namespace m1::hexview {

namespace {

// DMK header: byte 0 write-protect (0x00 or 0xFF), byte 1 tracks, bytes 2-3 track length including
// the 128-byte table of ID address mark pointers, byte 4 options, bytes 12-15 the real-drive
// signature 0x12345678, track images from offset 16.
constexpr std::int64_t kDmkHeaderSize = 16;
constexpr std::int64_t kDmkIdamTableSize = 128;
constexpr std::int32_t kDmkEmulatorLengthDouble = 6400;
constexpr std::int32_t kDmkEmulatorLengthSingle = 3264;
constexpr std::int32_t kDmkMinLength = 3264;   // the shortest single-density track
constexpr std::int32_t kDmkMaxLength = 16384;  // 0x4000, the longest track length of the format
constexpr int kDmkMaxTracks = 96;

// JV3: 2901 headers of three bytes, then the write-protect byte: 8704 bytes before the sector data.
constexpr std::int64_t kJv3LastHeaderByte = 8703;

constexpr std::int64_t kSectorSize = 256;

std::uint8_t At(std::span<const std::uint8_t> buf, std::int64_t at) {
  return ByteAt(buf, at).value_or(0);
}

bool IsGap(std::uint8_t b) {
  return b == 0xFF || b == 0x4E;
}

}  // namespace

Format RecogniseFormat(std::span<const std::uint8_t> buf, std::int64_t fileend) {
  Format f;
  f.trklength = At(buf, 2) + 256 * At(buf, 3);
  const bool emulatorLength =
      f.trklength == kDmkEmulatorLengthDouble || f.trklength == kDmkEmulatorLengthSingle;
  const std::uint8_t protect = At(buf, 0);
  const int tracks = At(buf, 1);
  const bool plausible = (protect == 0x00 || protect == 0xFF) && tracks >= 1 &&
                         tracks <= kDmkMaxTracks && f.trklength >= kDmkMinLength &&
                         f.trklength <= kDmkMaxLength && fileend >= kDmkHeaderSize + f.trklength;
  f.dmk = emulatorLength || plausible;
  f.realDisk =
      At(buf, 12) == 0x78 && At(buf, 13) == 0x56 && At(buf, 14) == 0x34 && At(buf, 15) == 0x12;
  f.jv1 = At(buf, 0) == 0x00 && At(buf, 1) == 0xFE && At(buf, 2) == 0x11;
  f.jv3 = !f.dmk && !f.jv1;
  for (int at = 0; at <= 15 && f.jv3; at += 3) f.jv3 = At(buf, at) == 0;
  return f;
}

Rgb ClassifyHex(std::span<const std::uint8_t> buf, std::int64_t p, std::int64_t fileend,
                const Format& format, CarriedState& state, DrawFlags& flags) {
  const std::uint8_t b = At(buf, p);
  Rgb c = colour::kBlack;
  const bool dmkStructure = format.dmk && !format.realDisk;

  if (dmkStructure && p >= kDmkHeaderSize) {
    // Every track image opens with its table of ID address mark pointers; the track after the last
    // whole one counts too, so its table shows where the file ends inside it.
    const std::int64_t length = format.trklength;  // at least 3264 whenever the DMK flag is set
    const std::int64_t lastTrack = fileend / length;
    const std::int64_t track = (p - kDmkHeaderSize) / length;
    const bool inHeader = track <= lastTrack && (p - kDmkHeaderSize) % length < kDmkIdamTableSize;
    if (inHeader) {
      c = b == 0 ? colour::kHeaderGreen : colour::kDarkHeaderGreen;
    } else if (IsGap(b)) {
      c = colour::kRed;
    }

    // An ID address mark follows three 0xA1 sync bytes (double density) or three zero bytes
    // (single density).
    if (b == 0xFE) {
      const std::uint8_t b1 = At(buf, p - 1), b2 = At(buf, p - 2), b3 = At(buf, p - 3);
      if ((b1 == 0xA1 && b2 == 0xA1 && b3 == 0xA1) || (b1 == 0 && b2 == 0 && b3 == 0)) {
        state.idamflag = 1;
        state.fpasave1 = static_cast<std::int32_t>(p);
      }
    }
    // The Model 1 writes single density with every byte doubled: FE FE T T S S R R N N.
    if (state.idamflag == 1) {
      if (b == 0xFE && At(buf, p + 1) == 0xFE) {
        state.doublebyte = 1;
        flags.doubleNote = true;
      } else {
        flags.doubleNote = false;
      }
    }
    const std::int32_t fieldLength = state.doublebyte == 1 ? 11 : 7;
    if (state.idamflag > 0) ++state.idamflag;
    if (state.idamflag == fieldLength) {
      state.idamflag = 0;
      state.doublebyte = 0;
      flags.damSearch = true;
    }
    if (state.idamflag > 0 && state.idamflag < fieldLength) c = colour::kBlue;

    // The data address mark comes after the ID field's CRC and the gap that follows it.
    if (flags.damSearch && p > static_cast<std::int64_t>(state.fpasave1) + 10 &&
        (b == 0xF8 || b == 0xFA || b == 0xFB)) {
      c = colour::kBlue;
      flags.damSearch = false;
    }
  }

  if (format.jv3) {
    switch (p % 3) {
      case 0:  // track number: the colour changes whenever the track does
        if (b != At(buf, state.fpasave)) {
          state.fpasave = static_cast<std::int32_t>(p);
          state.clrsave = state.clrsave == 0 ? 1 : 0;
        }
        c = state.clrsave == 1 ? colour::kMagenta : colour::kRed;
        if (p > kJv3LastHeaderByte) c = colour::kBlack;
        if (b == 0xFF) c = colour::kFreeSlotGreen;  // a free entry reads FF FF FF
        break;
      case 2:  // flags: density, data mark, side, size
        c = colour::kFlagGreen;
        break;
      default:  // sector number
        c = colour::kBlue;
        break;
    }
    if (p > kJv3LastHeaderByte) {
      c = (p / kSectorSize) % 2 == 1 ? colour::kRed : colour::kBlack;
    }
  }

  if (dmkStructure && p < kDmkHeaderSize) c = colour::kMagenta;

  if (format.jv1) c = (p / kSectorSize) % 2 == 1 ? colour::kBlack : colour::kRed;

  return c;
}

Rgb ClassifyChar(std::uint8_t b, const Format& format) {
  return format.dmk && IsGap(b) ? colour::kRed : colour::kBlack;
}

char CharFor(std::uint8_t b) {
  return b >= 33 && b <= 127 ? static_cast<char>(b) : '.';
}

}  // namespace m1::hexview
