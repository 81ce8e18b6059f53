// Tokenised BASIC programs built byte by byte, for the tests and benchmarks of the decoders.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/image_builder.h"

namespace m1::testing {

inline Bytes Text(const std::string& s) {
  return Bytes(s.begin(), s.end());
}

inline Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// A saved program: 0xFF, the lines (number, tokenised text) with links to where each next line
// lies when the file's first byte is at RAM address base, and the 0x0000 end.
inline Bytes BasicProgram(int base, const std::vector<std::pair<int, Bytes>>& lines) {
  Bytes out = {0xFF};
  for (const auto& [number, text] : lines) {
    const int next = base + static_cast<int>(out.size() + 4 + text.size() + 1);
    out.insert(out.end(),
               {static_cast<std::uint8_t>(next), static_cast<std::uint8_t>(next >> 8),
                static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8)});
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0x00);
  }
  out.insert(out.end(), {0x00, 0x00});
  return out;
}

}  // namespace m1::testing
