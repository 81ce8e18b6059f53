// How the main window reads the track number the user typed (it writes its numbers with the
// program's number texts, core/number_text.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/text/number_text.h"

namespace m1 {

// The number at the start of a text: leading blanks skipped, then a sign, digits, a decimal point
// with digits and an exponent, as far as they go. A text without a number gives 0. Nothing when
// the number is too large for a double.
std::optional<double> LeadingNumber(std::string_view text);

// The track the user asked for with Goto Track: the leading number rounded to the nearest whole
// number (a half to the even neighbour). Nothing for a negative track or one beyond a 16-bit
// signed integer, which the command ignores.
std::optional<int> TrackFromText(std::string_view text);

}  // namespace m1
