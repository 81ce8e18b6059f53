// The one way the analysis reads the bytes of a file: every read is checked against the end, and
// a byte that is not there comes back as nothing instead of being read from outside the buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace m1 {

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t size() const { return bytes_.size(); }

  // True when the bytes at..at+count-1 all lie inside the file.
  // A negative at or count turns into a huge unsigned value, which fails the same test.
  bool Holds(std::int64_t at, std::int64_t count) const {
    const auto start = static_cast<std::uint64_t>(at);
    const auto n = static_cast<std::uint64_t>(count);
    return start <= bytes_.size() && n <= bytes_.size() - start;
  }

  std::optional<std::uint8_t> byte(std::int64_t at) const {
    if (!Holds(at, 1)) return std::nullopt;
    return bytes_[static_cast<std::size_t>(at)];
  }

  // The bytes at..at+count-1, when they all lie inside the file.
  std::optional<std::span<const std::uint8_t>> bytes(std::int64_t at, std::int64_t count) const {
    if (!Holds(at, count)) return std::nullopt;
    return bytes_.subspan(static_cast<std::size_t>(at), static_cast<std::size_t>(count));
  }

  // Little-endian 16-bit value at at, at+1.
  std::optional<int> le16(std::int64_t at) const {
    if (!Holds(at, 2)) return std::nullopt;
    const auto lo = bytes_[static_cast<std::size_t>(at)];
    const auto hi = bytes_[static_cast<std::size_t>(at) + 1];
    return lo | (hi << 8);
  }

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace m1
