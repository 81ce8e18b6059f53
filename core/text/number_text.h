// Numbers and bytes as the program writes them into its texts: one set for every window.
#pragma once

#include <charconv>
#include <cstdint>
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

// Plain form: the digits alone, a minus sign before a negative number: "170", "-1".
inline std::string PlainText(long long n) {
  return std::to_string(n);
}

// Upper-case hexadecimal with at least minDigits digits, leading zeros added: "FB", "0"; a
// negative number as its 64-bit two's complement.
inline std::string HexText(unsigned long long v, int minDigits = 1) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  char out[16];
  int n = 0;
  do {
    out[15 - n++] = kDigits[v & 0xF];
    v >>= 4;
  } while (v != 0);
  while (n < minDigits && n < 16) out[15 - n++] = '0';
  return std::string(out + 16 - n, out + 16);
}

// Appends the low `digits` hexadecimal digits of v, upper-case, to out: for the long listings
// (a disassembly) that build a line in one string instead of joining short ones.
inline void AppendHex(std::string& out, unsigned long long v, int digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kDigits[(v >> shift) & 0xF];
}

// The hex form with at least two digits: "0B", "F0".
inline std::string TwoDigitHex(long long v) {
  return HexText(static_cast<unsigned long long>(v), 2);
}

// A count and its noun: "1 file", "3 files".
inline std::string Plural(long long n, const char* one, const char* many) {
  return PlainText(n) + " " + (n == 1 ? one : many);
}

// The character a byte is shown as: itself from 33 to 127, "." for a space, a control code or a
// byte from 128 up.
inline char PrintableChar(std::uint8_t b) {
  return b >= 33 && b <= 127 ? static_cast<char>(b) : '.';
}

}  // namespace m1
