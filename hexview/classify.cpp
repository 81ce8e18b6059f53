#include "hexview/classify.h"

#include "core/container/dmk_format.h"
#include "core/container/jv1_format.h"
#include "core/container/jv3_format.h"

namespace m1::hexview {

namespace {

// ---- The hex view's own reading of the containers -------------------------------------------
// The hex view looks at the first 16 bytes of the buffer alone, through the core vocabulary, and
// by rules of its own that differ on purpose from the main window's (core/recognise.cpp).

std::uint8_t At(const ByteReader& buf, std::int64_t at) {
  return buf.byte(at).value_or(0);
}

// JV3: the first six sector headers (bytes 0, 3, ..., 15) all name track 0, where the main window
// asks only that the first four agree.
bool FirstSixEntriesOnTrackZero(const ByteReader& buf) {
  for (std::int64_t k = 0; k < 6; ++k) {
    if (At(buf, jv3::kEntryBytes * k) != 0) return false;
  }
  return true;
}

// DMK: an ID address mark is an FE that follows three A1 sync bytes (double density) or three
// zero bytes (single density), wherever it lies in a track image; the pointer table is not read.
bool IdAddressMarkAt(const ByteReader& buf, std::int64_t p) {
  if (At(buf, p) != dmk::kIdAddressMark) return false;
  const std::uint8_t b1 = At(buf, p - 1), b2 = At(buf, p - 2), b3 = At(buf, p - 3);
  return (b1 == 0xA1 && b2 == 0xA1 && b3 == 0xA1) || (b1 == 0 && b2 == 0 && b3 == 0);
}

// DMK: the Model 1 writes single density with every byte doubled: FE FE T T S S R R N N. The view
// takes an ID field for a doubled one when its mark is repeated.
bool DoubledIdField(const ByteReader& buf, std::int64_t p) {
  return At(buf, p) == dmk::kIdAddressMark && At(buf, p + 1) == dmk::kIdAddressMark;
}

bool IsGap(std::uint8_t b) {
  return b == 0xFF || b == 0x4E;
}

// Sectors of 256 bytes alternate in colour wherever the view knows no finer structure.
constexpr std::int64_t kSectorSize = 256;

}  // namespace

Format RecogniseFormat(const ByteReader& buf, std::int64_t fileend) {
  Format f;
  const dmk::Header header = dmk::ReadHeader(buf);
  f.trklength = header.trackLength;
  f.dmk = header.EmulatorLength() || header.Plausible(fileend);
  f.realDisk = header.realDrive;
  f.jv1 = jv1::HasBootSignature(buf);
  f.jv3 = !f.dmk && !f.jv1 && FirstSixEntriesOnTrackZero(buf);
  return f;
}

Rgb ClassifyHex(const ByteReader& buf, std::int64_t p, std::int64_t fileend, const Format& format,
                CarriedState& state, DrawFlags& flags) {
  const std::uint8_t b = At(buf, p);
  Rgb c = colour::kBlack;
  const bool dmkStructure = format.dmk && !format.realDisk;

  if (dmkStructure && p >= dmk::kHeaderBytes) {
    // Every track image opens with its table of ID address mark pointers; the track after the last
    // whole one counts too, so its table shows where the file ends inside it.
    // At least the shortest plausible track length whenever the DMK flag is set.
    const std::int64_t length = format.trklength;
    const std::int64_t lastTrack = fileend / length;
    const std::int64_t track = (p - dmk::kHeaderBytes) / length;
    const bool inHeader =
        track <= lastTrack && (p - dmk::kHeaderBytes) % length < dmk::kPointerTableBytes;
    if (inHeader) {
      c = b == 0 ? colour::kHeaderGreen : colour::kDarkHeaderGreen;
    } else if (IsGap(b)) {
      c = colour::kRed;
    }

    if (IdAddressMarkAt(buf, p)) {
      state.idamflag = 1;
      state.fpasave1 = static_cast<std::int32_t>(p);
    }
    if (state.idamflag == 1) {
      if (DoubledIdField(buf, p)) {
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
        dmk::IsDataMark(b)) {
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
        if (p >= jv3::kDataStart) c = colour::kBlack;
        if (b == jv3::kFree) c = colour::kFreeSlotGreen;  // a free entry reads FF FF FF
        break;
      case 2:  // flags: density, data mark, side, size
        c = colour::kFlagGreen;
        break;
      default:  // sector number
        c = colour::kBlue;
        break;
    }
    if (p >= jv3::kDataStart) {
      c = (p / kSectorSize) % 2 == 1 ? colour::kRed : colour::kBlack;
    }
  }

  if (dmkStructure && p < dmk::kHeaderBytes) c = colour::kMagenta;

  if (format.jv1) c = (p / kSectorSize) % 2 == 1 ? colour::kBlack : colour::kRed;

  return c;
}

Rgb ClassifyChar(std::uint8_t b, const Format& format) {
  return format.dmk && IsGap(b) ? colour::kRed : colour::kBlack;
}

}  // namespace m1::hexview
