// The reader for the one shape of number that observation files nearly
// always hold, exact where it answers and silent where it does not. The
// conversion is fast_float's, correctly rounded as strtod's.
#pragma once

namespace eb_com {

// Reads a plain decimal number at first: an optional sign, digits with an
// optional decimal point (at least one digit in all), and an optional exponent
// "e" or "E" with an optional sign and at least one digit. On success stores
// the double that std::strtod gives for that text, out of range or not: a
// value beyond the largest double gives an infinity, one below the normal
// range a subnormal or zero. Returns the end of the number, or nullptr, storing nothing, when the
// text at first has any other shape ("0x", "inf" and "nan" start one, and so
// does an exponent without digits), which only the scanf family may judge.
// Reads nothing at or past last.
const char* scan_plain_decimal(const char* first, const char* last, double& value) noexcept;

}  // namespace eb_com
