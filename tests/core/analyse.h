// Runs the analysis on bytes built in a test, in a record of its own (or one reused from an
// earlier run, to see what carries over).
#pragma once

#include <memory>

#include "core/design/analysis.h"
#include "core/design/disk_image.h"
#include "tests/support/image_builder.h"

namespace m1::testing {

struct Analysed {
  std::unique_ptr<DiskImage> img = std::make_unique<DiskImage>();
  AnalysisOutcome out;
};

inline AnalysisOutcome AnalyseInto(DiskImage& img, const Bytes& file) {
  return AnalyseImage(img, file, static_cast<std::int64_t>(file.size()));
}

inline Analysed Analyse(const Bytes& file) {
  Analysed a;
  a.out = AnalyseInto(*a.img, file);
  return a;
}

}  // namespace m1::testing
