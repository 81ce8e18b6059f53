// The images the robustness tests damage: the shipped samples and the builder-made seed images,
// and small helpers to read and write files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace m1::robustness {

using Bytes = std::vector<std::uint8_t>;

struct Image {
  std::string name;
  Bytes bytes;
};

// The samples of samples/ and the seed images, in that order.
const std::vector<Image>& AllImages();

Bytes ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const Bytes& bytes);

using testing::TempDir;

// The faults as one text, for a failure message.
std::string Joined(const std::vector<std::string>& faults, std::size_t most = 8);

// A check that lists the faults it finds in a file's bytes.
using Check = std::vector<std::string> (*)(std::span<const std::uint8_t> bytes);

// Expects `check` to find no fault in `bytes`; `what` names them in the failure message.
void ExpectClean(Check check, const std::string& what, std::span<const std::uint8_t> bytes);

}  // namespace m1::robustness
