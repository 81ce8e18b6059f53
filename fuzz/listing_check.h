// The physical listing of one file, checked against the file: every offset, every data byte handed
// out and every verdict must agree with the bytes. The fuzz target calls it with the fuzzer's
// bytes; the robustness tests with saved inputs and damaged images. Nothing here needs libFuzzer.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace m1::fuzzing {

// Lists the bytes, reads every record's data, finds every record's sector, writes every record's
// texts; returns the faults found (empty when all is well).
std::vector<std::string> CheckListing(std::span<const std::uint8_t> bytes);

}  // namespace m1::fuzzing
