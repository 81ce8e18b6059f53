// The disk images the benchmarks work on, made with the image builders and written to a
// temporary folder that is removed again when the set goes out of scope.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace m1::bench {

enum class Kind { Dmk, Jv3, Jv1, Jv1Of80 };

struct BenchImage {
  Kind kind;
  const char* name;            // "DMK 80x2 DD", ...
  std::filesystem::path path;  // where it was written
  std::vector<std::uint8_t> bytes;
};

// 80-track double-sided double-density DMK (160 track images of 6400 bytes, 1,024,016 bytes),
// 80-track double-sided double-density JV3 (2880 sectors), 35-track JV1 (89,600 bytes), 80-track
// JV1 (204,800 bytes). Each is a
// Newdos/80 disk with its system sector on track 0 and its directory on track 17 (side 1 of the
// double-sided disks), full of files that fill the lumps after it.
class ImageSet {
 public:
  ImageSet();
  ImageSet(const ImageSet&) = delete;
  ImageSet& operator=(const ImageSet&) = delete;

  const BenchImage& Get(Kind kind) const;

 private:
  testing::TempDir folder_;
  std::vector<BenchImage> images_;
};

// One set for the whole run, made on first use.
const ImageSet& Images();

// The bytes of the set's image of one kind, made afresh (for a benchmark that writes many).
std::vector<std::uint8_t> MakeImage(Kind kind);

}  // namespace m1::bench
