// A hex editor window on the recording platform, with real files in a temporary folder, and
// accessors for the printed page: every line is one offset item, 16 byte items and 16 characters.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "hexview/form2.h"
#include "platform/recording.h"
#include "tests/support/temp_dir.h"

namespace m1::testing {

using Bytes = std::vector<std::uint8_t>;

inline void Put(Bytes& b, std::size_t at, std::initializer_list<std::uint8_t> values) {
  if (b.size() < at + values.size()) b.resize(at + values.size(), 0);
  for (std::uint8_t v : values) b[at++] = v;
}

inline void Fill(Bytes& b, std::size_t at, std::size_t count, std::uint8_t value) {
  if (b.size() < at + count) b.resize(at + count, 0);
  for (std::size_t i = 0; i < count; ++i) b[at + i] = value;
}

inline Bytes Text(const std::string& s) {
  return Bytes(s.begin(), s.end());
}

// The temporary folder, with the files a test writes into it.
class TempFolder : public TempDir {
 public:
  std::string Write(const std::string& name, const Bytes& bytes) const {
    const auto file = path() / name;
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return file.string();
  }
  std::string PathOf(const std::string& name) const { return (path() / name).string(); }
};

struct InFolder {
  TempFolder dir;
};

// The folder is the first base: first in, last out, so the window's files close before it goes.
struct HexWindow : InFolder, RecordingPlatform {
  form2 w{platform};

  // Loads a file through the File menu.
  void Open(const std::string& path) {
    dialogs.answers.push_back(path);
    w.mnuFileItem_Click(1);
  }

  static constexpr int kItemsPerLine = 33;
  const std::vector<DrawOp>& Items() const { return w.surface.Items(); }
  // The byte item of buffer position p on the page starting at start.
  const DrawOp& HexItem(std::int64_t start, std::int64_t p) const {
    const auto k = static_cast<std::size_t>((p - start) / 16),
               i = static_cast<std::size_t>((p - start) % 16);
    return Items().at(k * kItemsPerLine + 1 + i);
  }
  const DrawOp& CharItem(std::int64_t start, std::int64_t p) const {
    const auto k = static_cast<std::size_t>((p - start) / 16),
               i = static_cast<std::size_t>((p - start) % 16);
    return Items().at(k * kItemsPerLine + 17 + i);
  }
  Rgb HexColour(std::int64_t start, std::int64_t p) const { return HexItem(start, p).colour; }
  // The text of printed line k, all its items joined.
  std::string LineText(int k) const {
    std::string out;
    for (int i = 0; i < kItemsPerLine; ++i) out += Items().at(k * kItemsPerLine + i).text;
    return out;
  }
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kMagenta{255, 0, 255};
inline constexpr Rgb kHeaderGreen{0, 207, 0};
inline constexpr Rgb kDarkHeaderGreen{0, 127, 0};
inline constexpr Rgb kFreeSlotGreen{0, 128, 0};
inline constexpr Rgb kFlagGreen{0, 144, 0};
inline constexpr Rgb kLegendGreen{0, 143, 0};
inline constexpr Rgb kAddressBrown{192, 64, 0};
inline constexpr Rgb kWindowBackground{255, 224, 192};

}  // namespace m1::testing

namespace m1 {
inline std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "rgb(" << c.r << "," << c.g << "," << c.b << ")";
}
}  // namespace m1
