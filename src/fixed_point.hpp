// Fixed-point formatting of doubles, byte for byte what printf's "%W.Pf" gives
// in the POSIX locale, without printf's cost for the magnitudes real tables hold.
#pragma once

#include <cstddef>

namespace eb_com {

// Largest precision format_fixed takes; the tool prints 3 and 6 decimals.
inline constexpr int max_fixed_precision = 6;

// The longest text format_fixed writes when width does not exceed it: a sign,
// the 309 integer digits of the largest double, the point and the decimals.
inline constexpr std::size_t max_fixed_length = 1 + 309 + 1 + max_fixed_precision;

// Writes value as std::printf("%*.*f", width, precision, value) would, without
// a terminator, and returns the end of the text. Needs 0 <= precision <=
// max_fixed_precision and room for max(width, max_fixed_length) characters.
char* format_fixed(char* out, double value, int precision, int width) noexcept;

}  // namespace eb_com
