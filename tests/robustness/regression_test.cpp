// Inputs with which a fuzzer once found a fault, kept in fuzz/regressions/, replayed through the
// same drivers as the fuzzers use. An empty folder passes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "tests/robustness/images.h"
#include "tests/support/window_drivers.h"

namespace m1::robustness {
namespace {

TEST(FuzzRegressions, EverySavedInputGoesThroughAllThreeWindowsCleanly) {
  const std::filesystem::path dir = std::filesystem::path(M1VIEW_SOURCE_DIR) / "fuzz/regressions";
  std::vector<std::filesystem::path> inputs;
  if (std::filesystem::is_directory(dir)) {
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      const std::string name = entry.path().filename().string();
      if (entry.is_regular_file() && !name.starts_with(".") && !name.starts_with("README")) {
        inputs.push_back(entry.path());
      }
    }
  }
  std::sort(inputs.begin(), inputs.end());
  for (const auto& path : inputs) {
    const Bytes bytes = ReadFile(path);
    const std::vector<std::string> faults = fuzzing::DriveAll(bytes);
    EXPECT_TRUE(faults.empty()) << path.filename().string() << ":\n" << Joined(faults);
  }
}

}  // namespace
}  // namespace m1::robustness
