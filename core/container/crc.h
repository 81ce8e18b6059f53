// CRC-16-CCITT as a floppy disk controller computes it over ID and data fields: polynomial 0x1021,
// most significant bit first, no reflection, no final XOR. Single density starts from 0xFFFF with
// the address mark; double density also runs over the three A1 sync bytes before the mark, which
// is the same as starting from 0xCDB4. Feeding a whole good field, its CRC bytes included, gives 0.
#pragma once

#include <cstdint>
#include <span>

namespace m1 {

inline constexpr std::uint16_t kCrcStart = 0xFFFF;
inline constexpr std::uint16_t kCrcStartAfterSync = 0xCDB4;  // after A1 A1 A1 from 0xFFFF

std::uint16_t Crc16(std::span<const std::uint8_t> bytes, std::uint16_t start = kCrcStart);
// Continues a CRC over more bytes.
std::uint16_t Crc16Update(std::uint16_t crc, std::span<const std::uint8_t> bytes);
// The same, byte by byte through Boost.CRC: the plain form the faster one above is held against.
std::uint16_t Crc16UpdateBytewise(std::uint16_t crc, std::span<const std::uint8_t> bytes);

}  // namespace m1
