// Small images made with the test image builders, one for each kind of container the windows know
// and for the odd corners of each (doubled single density, single-byte single density, two sides,
// a real-drive header, a JV3 table with a free entry). They are the builder half of the fuzzers'
// seed corpus and of the damaged-image tests.
#pragma once

#include <string>
#include <vector>

#include "tests/support/image_builder.h"

namespace m1::fuzzing {

struct SeedImage {
  std::string name;  // file name, with the usual extension of its container
  m1::testing::Bytes bytes;
};

std::vector<SeedImage> SeedImages();

}  // namespace m1::fuzzing
