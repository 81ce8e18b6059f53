#include "hexview/layout.h"

namespace m1::hexlayout {

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";
}

std::string Hex(std::uint64_t value) {
  std::string out;
  do {
    out.insert(out.begin(), kDigits[value % 16]);
    value /= 16;
  } while (value != 0);
  return out;
}

std::string HexOffset(std::uint64_t value) {
  std::string out = Hex(value);
  if (out.size() < 7) out.insert(0, 7 - out.size(), '0');
  return out;
}

std::string HexByte(std::uint8_t value) {
  return std::string{kDigits[value >> 4], kDigits[value & 0x0F]};
}

}  // namespace m1::hexlayout
