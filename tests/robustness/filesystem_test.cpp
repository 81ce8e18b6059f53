// The file-system readers on every sample and seed image, on the DOS disks of the file-system
// fuzzer with each directory sector (system or boot sector, GAT, HIT, entries) overwritten by
// garbage, and on the saved fuzz inputs: the check holds owners and file sectors to the listing.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "tests/robustness/images.h"
#include "tests/support/dos_disks.h"

namespace m1::robustness {
namespace {

TEST(FileSystemRobustness, SampleAndSeedImages) {
  for (const Image& image : AllImages())
    ExpectClean(fuzzing::CheckFileSystem, image.name, image.bytes);
}

// Every directory sector filled with 00, FF, a link to slot 0 in every pair (FE 00), an entry in
// use with every extent on the last granule, and a counting pattern.
TEST(FileSystemRobustness, DirectorySectorsOfGarbage) {
  const std::vector<std::pair<std::string, std::function<std::uint8_t(std::size_t)>>> fills = {
      {"00", [](std::size_t) { return std::uint8_t{0x00}; }},
      {"FF", [](std::size_t) { return std::uint8_t{0xFF}; }},
      {"FE 00", [](std::size_t i) { return std::uint8_t(i % 2 ? 0x00 : 0xFE); }},
      {"90 FE 1F",
       [](std::size_t i) {
         return std::uint8_t(i % 32 == 0 ? 0x90 : i % 2 ? 0xFE : 0x1F);
       }},
      {"counting", [](std::size_t i) { return std::uint8_t(i * 37 + 11); }},
  };
  for (const fuzzing::DosDisk& disk : fuzzing::DosDisks()) {
    for (std::size_t k = 0; k < disk.directory.size(); ++k) {
      for (const auto& [name, fill] : fills) {
        Bytes b = disk.file;
        for (std::size_t i = 0; i < 256; ++i) b[disk.directory[k] + i] = fill(i);
        ExpectClean(fuzzing::CheckFileSystem,
                    disk.name + " directory sector " + std::to_string(k) + " " + name, b);
      }
    }
  }
}

TEST(FileSystemRobustness, SavedFuzzInputs) {
  for (const char* folder : {"fuzz/regressions", "fuzz/corpus-filesystem"}) {
    const std::filesystem::path dir = std::filesystem::path(M1VIEW_SOURCE_DIR) / folder;
    if (!std::filesystem::is_directory(dir)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      const std::string name = entry.path().filename().string();
      if (!entry.is_regular_file() || name.starts_with(".") || name.starts_with("README")) continue;
      const Bytes input = ReadFile(entry.path());
      ExpectClean(fuzzing::CheckFileSystem, name, input);
      ExpectClean(fuzzing::CheckFileSystem, name + " as a directory",
                  fuzzing::DiskFromInput(input));
    }
  }
}

}  // namespace
}  // namespace m1::robustness
