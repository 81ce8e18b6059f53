// Numbers as the analysis writes them into its texts.
#pragma once

#include <charconv>
#include <string>

namespace m1 {

// Signed form: one space before the digits of a number of 0 or more, a minus sign instead before a
// negative one: " 40", "-3".
inline std::string SignedText(long long n) {
  // Written straight into the string's own short buffer: no allocation and no copy for the
  // numbers the texts hold (a longer one takes the general way).
  std::string text(15, ' ');
  char* const start = text.data() + (n >= 0 ? 1 : 0);
  if (const auto r = std::to_chars(start, text.data() + text.size(), n); r.ec == std::errc{}) {
    text.resize(static_cast<std::size_t>(r.ptr - text.data()));
    return text;
  }
  return n < 0 ? std::to_string(n) : " " + std::to_string(n);
}

}  // namespace m1
