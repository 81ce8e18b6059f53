// The colour of every byte of the hex editor window, from the window's own look at the container.
//
// The window tells the three containers apart by the first 16 bytes of the file alone, by rules of
// its own that stand at the top of classify.cpp, built from the container vocabulary of core/:
//   DMK  an emulator's track length or a plausible header (dmk::Header); the image of a real
//        drive gets no structure colours.
//   JV1  the boot sector's signature (jv1::HasBootSignature).
//   JV3  the first six sector headers all name track 0.
// The hex column colour depends on state carried from byte to byte and from one page to the next
// (the ID-field counter of DMK tracks, the colour phase of JV3 track numbers); it lives in
// CarriedState, which the window keeps between its page draws.
#pragma once

#include <cstdint>

#include "core/container/byte_reader.h"
#include "platform/controls.h"

namespace m1::hexview {

namespace colour {
using m1::colour::kBlack;
using m1::colour::kBlue;
using m1::colour::kMagenta;
using m1::colour::kRed;
inline constexpr Rgb kHeaderGreen{0, 207, 0};      // a zero byte of a DMK track header
inline constexpr Rgb kDarkHeaderGreen{0, 127, 0};  // any other byte of a DMK track header
inline constexpr Rgb kFreeSlotGreen{0, 128, 0};    // the track byte of a free JV3 entry
inline constexpr Rgb kFlagGreen{0, 144, 0};        // the flag byte of a JV3 entry
inline constexpr Rgb kLegendGreen{0, 143, 0};
inline constexpr Rgb kAddressBrown = m1::colour::kBrown;
inline constexpr Rgb kWindowBackground = m1::colour::kLightPeach;
}  // namespace colour

struct Format {
  bool dmk = false;
  bool realDisk = false;
  bool jv1 = false;
  bool jv3 = false;
  std::int32_t trklength = 0;  // byte 2 + 256 x byte 3, whatever the format
};

// The format flags, from buffer positions 0 to 15 (a missing byte reads 0, as the zero tail does).
// The buffer is the file and the zero bytes after it.
Format RecogniseFormat(const ByteReader& buf, std::int64_t fileend);

// What the classification carries from one byte to the next and from one page draw to the next.
struct CarriedState {
  std::int32_t idamflag = 0;  // 0 outside a DMK ID field, 2 and up inside one
  int doublebyte = 0;         // 1 while the ID field is a Model 1 doubled-byte one
  std::int32_t fpasave1 = 0;  // offset of the last ID address mark (0xFE) recognised
  std::int32_t fpasave = 0;   // the JV3 track byte that changed colour last (page start at first)
  int clrsave = 0;            // colour phase of JV3 track bytes: 0 red, 1 magenta
};

// What lives only during one page draw.
struct DrawFlags {
  bool damSearch = false;   // an ID field ended: the next data mark is looked for
  bool doubleNote = false;  // the last ID address mark began a doubled-byte ID field
};

// The hex column colour of position p, updating the carried state and the draw flags.
Rgb ClassifyHex(const ByteReader& buf, std::int64_t p, std::int64_t fileend, const Format& format,
                CarriedState& state, DrawFlags& flags);

// The character column colour of byte b: gap bytes of a DMK file red, everything else black.
Rgb ClassifyChar(std::uint8_t b, const Format& format);

}  // namespace m1::hexview
