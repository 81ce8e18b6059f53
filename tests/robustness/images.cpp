#include "tests/robustness/images.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "tests/support/seed_images.h"

namespace m1::robustness {

const std::vector<Image>& AllImages() {
  static const std::vector<Image> images = [] {
    std::vector<Image> out;
    std::vector<std::filesystem::path> samples;
    for (const auto& entry : std::filesystem::directory_iterator(
             std::filesystem::path(M1VIEW_SOURCE_DIR) / "samples")) {
      const std::string ext = entry.path().extension().string();
      if (ext == ".dsk" || ext == ".jv3" || ext == ".dmk") samples.push_back(entry.path());
    }
    std::sort(samples.begin(), samples.end());
    for (const auto& path : samples) out.push_back({path.filename().string(), ReadFile(path)});
    for (fuzzing::SeedImage& seed : fuzzing::SeedImages()) {
      out.push_back({seed.name, std::move(seed.bytes)});
    }
    return out;
  }();
  return images;
}

Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string Joined(const std::vector<std::string>& faults, std::size_t most) {
  std::string out;
  for (std::size_t i = 0; i < faults.size() && i < most; ++i) out += faults[i] + "\n";
  if (faults.size() > most) out += "... and " + std::to_string(faults.size() - most) + " more\n";
  return out;
}

void ExpectClean(Check check, const std::string& what, std::span<const std::uint8_t> bytes) {
  const std::vector<std::string> faults = check(bytes);
  EXPECT_TRUE(faults.empty()) << what << ":\n" << Joined(faults);
}

}  // namespace m1::robustness
