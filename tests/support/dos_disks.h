// Disks with a DOS directory, made with the test image builders, for the file-system fuzzer: each
// with the list of the sectors its directory lies in (the system sector or boot sector, the GAT,
// the HIT and the entry sectors), so that a fuzz input can replace exactly those bytes and leave
// the rest of a whole, readable disk around them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tests/support/image_builder.h"

namespace m1::fuzzing {

struct DosDisk {
  std::string name;
  m1::testing::Bytes file;
  std::vector<std::size_t> directory;  // file offsets of the 256-byte directory sectors, in order
};

// Newdos/80 on single-sided single-density JV1 and on double-sided double-density JV3, LDOS on
// JV1, Model III TRSDOS on JV3.
const std::vector<DosDisk>& DosDisks();

// The disk input[0] chooses, its directory sectors overwritten in order by the rest of the input.
m1::testing::Bytes DiskFromInput(std::span<const std::uint8_t> input);

// A seed input for each disk: its number, then its directory as it is.
std::vector<m1::testing::Bytes> DosDiskSeeds();

// Reads the file system of an image and checks what the reader gave back against the listing:
// one owner per record, every file's record within its sectors, every file sector's record the
// sector it names; the same of deleted files and unowned runs, a deleted file's state one of
// four and its sectors enough for its size, an unowned run's sectors all of its granules'. The
// faults found; empty when all is well.
std::vector<std::string> CheckFileSystem(std::span<const std::uint8_t> image);

}  // namespace m1::fuzzing
