// The CRC eight bytes a step gives Boost.CRC's values for every length and start.
#include "core/crc.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace m1 {
namespace {

TEST(Crc, SlicedEqualsBoostForEveryLengthAndStart) {
  std::vector<std::uint8_t> bytes(1100);
  std::uint32_t x = 12345;
  for (auto& b : bytes) b = static_cast<std::uint8_t>((x = x * 1103515245u + 12345u) >> 16);
  for (const std::uint16_t start : {kCrcStart, kCrcStartAfterSync, std::uint16_t{0}}) {
    for (std::size_t n = 0; n <= bytes.size(); n += (n < 40 ? 1 : 37)) {
      const std::span<const std::uint8_t> s(bytes.data(), n);
      ASSERT_EQ(Crc16Update(start, s), Crc16Plain(start, s)) << n;
    }
  }
  // The worked examples: a single-density ID field and a double-density one.
  const std::uint8_t sd[] = {0xFE, 0x00, 0x00, 0x01, 0x01};
  const std::uint8_t dd[] = {0xFE, 0x00, 0x01, 0x01, 0x02, 0x00, 0x00, 0x00, 0x00};
  EXPECT_EQ(Crc16(sd), 0xC2E2);
  EXPECT_EQ(Crc16(std::span(dd).first(5), kCrcStartAfterSync), 0xFD5F);
}

}  // namespace
}  // namespace m1
