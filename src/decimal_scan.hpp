// A fast reader for the one shape of number that observation files nearly
// always hold, exact where it answers and silent where it does not.
#pragma once

#include <cstddef>

namespace eb_com {

// The scanner reads whole 8-byte words: this many bytes past `last` must be
// readable (their values do not matter).
inline constexpr std::size_t scan_padding = 8;

// Reads a plain decimal number at first: an optional sign, digits with an
// optional decimal point (at least one digit in all), and an optional exponent
// "e" or "E" with an optional sign and at least one digit. On success stores
// the double that std::strtod gives for that text, subnormals included, and
// returns the end of the number. Returns nullptr, storing nothing, when the
// text at first has any other shape ("0x" starts one), or when its value is
// out of range: beyond the largest double, or so small that it rounds to zero
// (strtod gives inf or zero there and reports the range error, and sscanf
// has the last word).
const char* scan_plain_decimal(const char* first, const char* last, double& value) noexcept;

}  // namespace eb_com
