// Numbers as the analysis writes them into its texts.
#pragma once

#include <string>

namespace m1 {

// Signed form: one space before the digits of a number of 0 or more, a minus sign instead before a
// negative one: " 40", "-3".
inline std::string SignedText(long long n) {
  return n < 0 ? std::to_string(n) : " " + std::to_string(n);
}

}  // namespace m1
