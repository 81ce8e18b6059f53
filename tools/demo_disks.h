// The demonstration disks of samples/: whole DOS disks holding real files (a BASIC program, a load
// module, a text, an assembler source, the DOS's own files), every structure in agreement with the
// others, as a DOS leaves a disk it wrote.
#pragma once

#include <string>
#include <vector>

#include "tests/support/image_builder.h"

namespace m1::samples {

struct DemoImage {
  std::string fileName;
  m1::testing::Bytes bytes;
};

//   demo-newdos80-40t-ds.dmk  Newdos/80, 40 cylinders, two sides, double density
//   demo-ldos-40t.jv3         LDOS 5.1, 40 tracks, one side, single density
//   demo-trsdos13-40t.dmk     Model III TRSDOS 1.3, 40 tracks, one side, double density
std::vector<DemoImage> DemoImages();

// The order in which `sectors` sectors lie on a track: 0, step, 2 x step ..., then 1, 1 + step ...
std::vector<int> Interleave(int sectors, int step);

}  // namespace m1::samples
