// m1view-make-corpus FOLDER [DOS_FOLDER]: writes the builder-made seed images into FOLDER
// (fuzz/corpus/ holds them) and the file-system fuzzer's seeds into DOS_FOLDER
// (fuzz/corpus-filesystem/); run by hand when they are to change.
#include <fstream>
#include <iostream>

#include "fuzz/dos_disks.h"
#include "tests/support/seed_images.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::cerr << "usage: m1view-make-corpus FOLDER [DOS_FOLDER]\n";
    return 2;
  }
  for (const m1::fuzzing::SeedImage& image : m1::fuzzing::SeedImages()) {
    std::ofstream out(std::string(argv[1]) + "/" + image.name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.bytes.data()),
              static_cast<std::streamsize>(image.bytes.size()));
    if (!out) {
      std::cerr << "m1view-make-corpus: cannot write " << image.name << "\n";
      return 1;
    }
  }
  if (argc == 3) {
    const auto seeds = m1::fuzzing::DosDiskSeeds();
    for (std::size_t k = 0; k < seeds.size(); ++k) {
      std::ofstream out(std::string(argv[2]) + "/" + m1::fuzzing::DosDisks()[k].name + ".dir",
                        std::ios::binary);
      out.write(reinterpret_cast<const char*>(seeds[k].data()),
                static_cast<std::streamsize>(seeds[k].size()));
      if (!out) {
        std::cerr << "m1view-make-corpus: cannot write into " << argv[2] << "\n";
        return 1;
      }
    }
  }
  return 0;
}
