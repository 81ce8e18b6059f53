#include "viewer/texts.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace m1 {

std::optional<double> LeadingNumber(std::string_view text) {
  std::size_t at = 0;
  auto digit = [&](std::size_t i) {
    return i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0;
  };
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;

  // Collect the longest prefix that reads as a number, in the plain form from_chars accepts.
  std::string number;
  std::size_t i = at;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') number += '-';
    ++i;
  }
  bool mantissa = false;
  while (digit(i)) {
    number += text[i++];
    mantissa = true;
  }
  if (i < text.size() && text[i] == '.') {
    std::string fraction = ".";
    std::size_t j = i + 1;
    while (digit(j)) fraction += text[j++];
    if (fraction.size() > 1 || mantissa) {
      if (fraction.size() > 1) number += fraction;
      mantissa = true;
      i = j;
    }
  }
  if (!mantissa) return 0.0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) exponent += text[j++];
    if (digit(j)) {
      while (digit(j)) exponent += text[j++];
      number += exponent;
    }
  }
  // A leading point gets its zero: ".5" reads as "0.5", "-.5" as "-0.5".
  if (number.front() == '.') {
    number = "0" + number;
  } else if (number.size() > 1 && number[0] == '-' && number[1] == '.') {
    number = "-0" + number.substr(1);
  }
  double value = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec != std::errc{}) return std::nullopt;
  return value;
}

std::optional<int> TrackFromText(std::string_view text) {
  const std::optional<double> number = LeadingNumber(text);
  if (!number) return std::nullopt;
  const double rounded = std::nearbyint(*number);  // the default rounding takes a half to even
  if (!(rounded >= 0.0 && rounded <= 32767.0)) return std::nullopt;
  return static_cast<int>(rounded);
}

}  // namespace m1
