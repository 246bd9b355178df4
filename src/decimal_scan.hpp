// Plain decimals that do not print as their own spelling (exponents, long
// mantissas, a '+' sign), exact where the reader answers and silent where it
// does not. The conversion is the standard library's std::from_chars,
// correctly rounded as strtod's.
#pragma once

namespace eb_com {

// Reads a plain decimal number at first: an optional sign, digits with an
// optional decimal point (at least one digit in all), and an optional exponent
// "e" or "E" with an optional sign and at least one digit. On success stores
// the double that std::strtod gives for that text. Returns the end of the
// number, or nullptr, storing nothing, when the text at first has any other
// shape ("0x", "inf" and "nan" start one, and so does an exponent without
// digits) or its value is out of the range of doubles: those only the scanf
// family may judge.
// Reads nothing at or past last.
const char* scan_plain_decimal(const char* first, const char* last, double& value) noexcept;

}  // namespace eb_com
