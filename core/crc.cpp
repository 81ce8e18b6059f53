#include "core/crc.h"

#include <boost/crc.hpp>

namespace m1 {

namespace {
// Boost.CRC's table-driven form of exactly this CRC; the start value is given per call.
using Ccitt = boost::crc_optimal<16, 0x1021, 0xFFFF, 0, false, false>;
}  // namespace

std::uint16_t Crc16Update(std::uint16_t crc, std::span<const std::uint8_t> bytes) {
  Ccitt c(crc);
  c.process_bytes(bytes.data(), bytes.size());
  return static_cast<std::uint16_t>(c.checksum());
}

std::uint16_t Crc16(std::span<const std::uint8_t> bytes, std::uint16_t start) {
  return Crc16Update(start, bytes);
}

}  // namespace m1
