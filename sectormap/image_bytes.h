// The one way the sector map window reads its image buffer: every byte through a bounds check, so
// no pointer or table entry in a file, however damaged, can lead a read outside the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace m1 {

class ImageBytes {
 public:
  explicit ImageBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::int64_t size() const { return static_cast<std::int64_t>(bytes_.size()); }
  std::optional<std::uint8_t> byte(std::int64_t at) const {
    if (at < 0 || at >= size()) return std::nullopt;
    return bytes_[static_cast<std::size_t>(at)];
  }
  // Little-endian 16-bit word at at and at + 1.
  std::optional<unsigned> le16(std::int64_t at) const {
    const auto lo = byte(at);
    const auto hi = byte(at + 1);
    if (!lo || !hi) return std::nullopt;
    return static_cast<unsigned>(*lo) | (static_cast<unsigned>(*hi) << 8);
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace m1
