// The pieces of the analysis, one per container, called by AnalyseImage in this order:
// recognition, the scan of the format found, then the Newdos/80 check. Each works on the record
// and a reader over the file's bytes; none keeps state of its own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/container/byte_reader.h"
#include "core/design/analysis.h"
#include "core/design/disk_image.h"

namespace m1 {

enum class Container { Jv1, Dmk, Jv3 };

// Runs the recognition tests on the header bytes (the file holds at least 16) and sets the
// fields the tests set. Returns the container, or the refusal of the file.
struct Recognition {
  std::optional<Container> container;
  std::optional<Refusal> refusal;
};
Recognition Recognise(DiskImage& img, const ByteReader& file);

// JV1: the fixed geometry, sized from the file length; returns the track list texts.
std::vector<std::string> ApplyJv1Facts(DiskImage& img);
// JV3: the sector-header table scan (counting pass and table pass).
void ScanJv3(DiskImage& img, const ByteReader& file);
// DMK: the first pass over track 0's pointers and the track pass.
void ScanDmk(DiskImage& img, const ByteReader& file);

// The Newdos/80 check: looks for the 0xA5 marker of the system sector and decodes its drive
// table when found. Returns true when the DMK sector lookup emptied the offset box.
bool CheckNewdos(DiskImage& img, const ByteReader& file);

}  // namespace m1
