// How the main window writes numbers, and how it reads the track number the user typed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace m1 {

// " 40" for 40, "-5" for -5: the digits after one space, or after the minus sign.
std::string SignedForm(long long value);
// "40": the digits alone.
std::string PlainForm(long long value);
// "FB": upper-case hexadecimal without leading zeros ("0" for zero).
std::string HexForm(long long value);
// "0B": the hex form with a "0" in front when it has one digit.
std::string TwoDigitHex(long long value);

// The number at the start of a text: leading blanks skipped, then a sign, digits, a decimal point
// with digits and an exponent, as far as they go. A text without a number gives 0. Nothing when
// the number is too large for a double.
std::optional<double> LeadingNumber(std::string_view text);

// The track the user asked for with Goto Track: the leading number rounded to the nearest whole
// number (a half to the even neighbour). Nothing for a negative track or one beyond a 16-bit
// signed integer, which the command ignores.
std::optional<int> TrackFromText(std::string_view text);

}  // namespace m1
