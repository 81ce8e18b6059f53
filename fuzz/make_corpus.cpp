// m1view-make-corpus FOLDER: writes the builder-made seed images into FOLDER (fuzz/corpus/ holds
// them; run by hand when they are to change).
#include <fstream>
#include <iostream>

#include "tests/support/seed_images.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: m1view-make-corpus FOLDER\n";
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
  return 0;
}
