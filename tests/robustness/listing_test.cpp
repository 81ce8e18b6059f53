// The physical listing of every sample and seed image, whole, cut short, with DMK pointers aimed
// anywhere, and of the saved fuzz inputs: the check holds every record against the file's bytes.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/robustness/images.h"
#include "tests/support/listing_check.h"

namespace m1::robustness {
namespace {

TEST(ListingRobustness, ImagesWholeAndCutShort) {
  for (const Image& image : AllImages()) {
    ExpectClean(fuzzing::CheckListing, image.name, image.bytes);
    const std::size_t size = image.bytes.size();
    for (std::size_t n = 0; n < size; n += n < 64 ? 1 : 1 + size / 97) {
      ExpectClean(fuzzing::CheckListing, image.name + " cut to " + std::to_string(n),
                  std::span(image.bytes).first(n));
    }
  }
}

TEST(ListingRobustness, DmkPointersAimedAnywhere) {
  for (const Image& image : AllImages()) {
    if (!image.name.ends_with(".dmk")) continue;
    // The first pointer of the first track image aimed at the table, at the end of the image, at
    // the largest offset, and with bit 14 set; each also double and single density.
    for (const int pointer : {0x0001, 0x007F, 0x18FA, 0x18FF, 0x3FFF, 0x4100, 0x0CBD}) {
      for (const int density : {0x0000, 0x8000}) {
        Bytes b = image.bytes;
        b[16] = static_cast<std::uint8_t>(pointer & 0xFF);
        b[17] = static_cast<std::uint8_t>(((pointer | density) >> 8) & 0xFF);
        ExpectClean(fuzzing::CheckListing,
                    image.name + " pointer " + std::to_string(pointer | density), b);
      }
    }
  }
}

TEST(ListingRobustness, SavedFuzzInputs) {
  const std::filesystem::path dir = std::filesystem::path(M1VIEW_SOURCE_DIR) / "fuzz/regressions";
  if (!std::filesystem::is_directory(dir)) return;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && !name.starts_with(".") && !name.starts_with("README")) {
      ExpectClean(fuzzing::CheckListing, name, ReadFile(entry.path()));
    }
  }
}

}  // namespace
}  // namespace m1::robustness
