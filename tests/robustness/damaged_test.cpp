// Damaged images through all three windows: cut short, header bytes changed, DMK pointers and JV3
// table entries aimed anywhere, absurd track and sector numbers. None may crash, and every window
// may show only what the file holds (the drivers check every drawing).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "tests/robustness/images.h"
#include "tests/support/window_drivers.h"

namespace m1::robustness {
namespace {

// Each damaged image goes lightly through each window; the undamaged images go through whole.
constexpr fuzzing::Effort kWhole{};

bool IsDmk(const Image& image) {
  return image.name.ends_with(".dmk");
}
bool IsJv3(const Image& image) {
  return image.name.ends_with(".jv3");
}

void ExpectClean(const Image& image, const std::string& damage, const Bytes& bytes,
                 const fuzzing::Effort& effort = fuzzing::kLight) {
  const std::vector<std::string> faults = fuzzing::DriveAll(bytes, effort);
  EXPECT_TRUE(faults.empty()) << image.name << ", " << damage << ":\n" << Joined(faults);
}

int Le16(const Bytes& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8);
}

// DMK: the track length of the header and the number of whole track images in the file.
struct DmkShape {
  std::size_t trackLength = 0;
  std::size_t images = 0;
};
DmkShape Shape(const Bytes& b) {
  DmkShape s;
  s.trackLength = static_cast<std::size_t>(Le16(b, 2));
  if (s.trackLength > 0) s.images = (b.size() - 16) / s.trackLength;
  return s;
}

// File offsets of the non-empty ID address mark pointers of track image t.
std::vector<std::size_t> Pointers(const Bytes& b, const DmkShape& s, std::size_t t) {
  std::vector<std::size_t> out;
  const std::size_t table = 16 + t * s.trackLength;
  for (std::size_t i = 0; i < 64; ++i) {
    if (Le16(b, table + 2 * i) == 0) break;
    out.push_back(table + 2 * i);
  }
  return out;
}

TEST(DamagedImages, UndamagedImagesShowOnlyTheirOwnBytesOnEverySector) {
  // Every sector of every image; the builder images go through every command as well.
  constexpr fuzzing::Effort kEverySector{.spread = 1, .trackSteps = 2, .thorough = false};
  for (const Image& image : AllImages()) {
    ExpectClean(image, "as made", image.bytes, image.bytes.size() > 65536 ? kEverySector : kWhole);
  }
}

TEST(DamagedImages, EveryShortPrefixAndASpreadOfLongerOnes) {
  std::set<Bytes> seen;  // images of one build share their first bytes: each prefix once
  for (const Image& image : AllImages()) {
    std::vector<std::size_t> lengths;
    for (std::size_t n = 0; n <= 64; ++n) lengths.push_back(n);
    // Just before, at and after the ends of the structures: a DMK pointer table, a sector, the JV3
    // header table, then a spread up to the whole file.
    for (std::size_t n : {127, 128, 129, 143, 144, 145, 255, 256, 257, 8703, 8704, 8705}) {
      lengths.push_back(n);
    }
    constexpr std::size_t kSpread = 6;
    for (std::size_t k = 1; k <= kSpread; ++k) lengths.push_back(image.bytes.size() * k / kSpread);
    lengths.push_back(image.bytes.size() - 1);
    std::sort(lengths.begin(), lengths.end());
    lengths.erase(std::unique(lengths.begin(), lengths.end()), lengths.end());
    for (std::size_t n : lengths) {
      if (n > image.bytes.size()) continue;
      const Bytes cut(image.bytes.begin(), image.bytes.begin() + static_cast<std::ptrdiff_t>(n));
      if (!seen.insert(cut).second) continue;
      ExpectClean(image, "cut to " + std::to_string(n) + " bytes", cut);
    }
  }
}

TEST(DamagedImages, EveryHeaderByteChanged) {
  for (const Image& image : AllImages()) {
    // DMK: the 16 header bytes. JV3: the table bytes of the first four entries. JV1: the first
    // three bytes of the boot sector, which mark the image.
    const std::size_t headerBytes = IsDmk(image) ? 16 : IsJv3(image) ? 12 : 3;
    for (std::size_t at = 0; at < headerBytes && at < image.bytes.size(); ++at) {
      const std::uint8_t was = image.bytes[at];
      // Every bit turned over; the byte that counts the DMK tracks and the two of the track length
      // also cleared.
      const bool counts = IsDmk(image) && at >= 1 && at <= 3;
      for (std::uint8_t value : {static_cast<std::uint8_t>(was ^ 0xFF), std::uint8_t{0x00}}) {
        if (value == was || (value == 0x00 && !counts)) continue;
        Bytes changed = image.bytes;
        changed[at] = value;
        ExpectClean(image, "byte " + std::to_string(at) + " set to " + std::to_string(value),
                    changed);
      }
    }
  }
}

TEST(DamagedImages, EveryDmkPointerChanged) {
  for (const Image& image : AllImages()) {
    if (!IsDmk(image)) continue;
    const DmkShape shape = Shape(image.bytes);
    // The builder images are small: every pointer of every track. The samples have 40 tracks of
    // the same build: every pointer of the first two track images and of the last.
    std::vector<std::size_t> tracks;
    for (std::size_t t = 0; t < shape.images; ++t) {
      if (shape.images <= 8 || t < 2 || t + 1 == shape.images) tracks.push_back(t);
    }
    const int length = static_cast<int>(shape.trackLength);
    // No sector, the largest offset either density, the track length itself and just past it,
    // an offset inside the pointer table, an ID field that runs past the end of the track.
    const int values[] = {0x0000,
                          0xFFFF,
                          0x7FFF,
                          0x8000 | length,
                          0x8000 | (length + 1),
                          0x8002,
                          0x8000 | (length - 2)};
    for (std::size_t t : tracks) {
      const std::vector<std::size_t> pointers = Pointers(image.bytes, shape, t);
      for (std::size_t p = 0; p < pointers.size(); ++p) {
        // The builder images get three of the values at every pointer, in turn; the samples one.
        const std::size_t perPointer = shape.images > 8 ? 1 : 3;
        for (std::size_t v = 0; v < std::size(values); ++v) {
          if ((v + std::size(values) - (p + t) % std::size(values)) % std::size(values) >=
              perPointer) {
            continue;
          }
          Bytes changed = image.bytes;
          changed[pointers[p]] = static_cast<std::uint8_t>(values[v] & 0xFF);
          changed[pointers[p] + 1] = static_cast<std::uint8_t>(values[v] >> 8);
          ExpectClean(image,
                      "track image " + std::to_string(t) + " pointer " + std::to_string(p) +
                          " set to " + std::to_string(values[v]),
                      changed);
        }
      }
    }
  }
}

TEST(DamagedImages, DmkPointersAimedPastTheEndOfTheFile) {
  for (const Image& image : AllImages()) {
    if (!IsDmk(image)) continue;
    const DmkShape shape = Shape(image.bytes);
    if (shape.images == 0) continue;
    // Every pointer of the last track image aimed at the last bytes of the file or past them,
    // then the same with a file cut just after the pointer table.
    Bytes changed = image.bytes;
    const std::size_t last = shape.images - 1;
    for (std::size_t at : Pointers(changed, shape, last)) {
      changed[at] = 0xFE;
      changed[at + 1] = 0xBF;
    }
    ExpectClean(image, "last track's pointers past the end", changed);
    Bytes cut = changed;
    cut.resize(16 + last * shape.trackLength + 128);
    ExpectClean(image, "last track's pointers past the end, cut after its table", cut);
    // Every pointer of every track at 0xFFFF.
    Bytes all = image.bytes;
    for (std::size_t t = 0; t < shape.images; ++t) {
      for (std::size_t at : Pointers(image.bytes, shape, t)) all[at] = all[at + 1] = 0xFF;
    }
    ExpectClean(image, "every pointer 0xFFFF", all);
    // A track length far beyond the file: every track image but the first runs past the end.
    Bytes longTracks = image.bytes;
    longTracks[2] = 0xF0;
    longTracks[3] = 0x3F;
    ExpectClean(image, "track length 0x3FF0", longTracks);
  }
}

TEST(DamagedImages, AbsurdTrackAndSectorNumbers) {
  for (const Image& image : AllImages()) {
    if (IsDmk(image)) {
      // The ID fields of the first track images say track 255, side 255, sector 255, size 255,
      // each on its own, then all at once.
      const DmkShape shape = Shape(image.bytes);
      for (std::size_t field = 0; field < 5; ++field) {
        Bytes changed = image.bytes;
        for (std::size_t t = 0; t < std::min<std::size_t>(shape.images, 3); ++t) {
          const std::size_t track = 16 + t * shape.trackLength;
          for (std::size_t at : Pointers(image.bytes, shape, t)) {
            const std::size_t idam = track + (Le16(image.bytes, at) & 0x3FFF);
            // A doubled single-density ID field records every byte twice.
            const std::size_t step = idam + 1 < changed.size() && changed[idam + 1] == 0xFE ? 2 : 1;
            for (std::size_t k = 1; k <= 4; ++k) {
              const std::size_t b = idam + k * step;
              if ((field == 4 || field == k - 1) && b + step <= changed.size()) {
                changed[b] = 0xFF;
                if (step == 2) changed[b + 1] = 0xFF;
              }
            }
          }
        }
        ExpectClean(image, "ID field byte " + std::to_string(field) + " 255", changed);
      }
    } else if (IsJv3(image)) {
      // Entries naming track 254 and sector 255, entries with every flag set, a table of tracks
      // out of order.
      Bytes high = image.bytes, flags = image.bytes, order = image.bytes;
      for (std::size_t e = 0; e < 2901 && 3 * e + 2 < image.bytes.size(); ++e) {
        if (image.bytes[3 * e] == 0xFF) break;
        high[3 * e] = 0xFE;
        high[3 * e + 1] = 0xFF;
        flags[3 * e + 2] = 0xFF;
        order[3 * e] = static_cast<std::uint8_t>(200 - e);
      }
      ExpectClean(image, "tracks 254, sectors 255", high);
      ExpectClean(image, "every flag set", flags);
      ExpectClean(image, "tracks counting down from 200", order);
    } else {
      // JV1 has no numbers of its own: sector 2 of track 0 (the Newdos/80 system sector) says
      // 255 tracks of 255 sectors and a directory on lump 255.
      Bytes changed = image.bytes;
      for (std::size_t at = 512; at < 522 && at < changed.size(); ++at) changed[at] = 0xFF;
      ExpectClean(image, "system sector all 0xFF", changed);
    }
  }
}

}  // namespace
}  // namespace m1::robustness
