// One "%lf" conversion of the scanf family, as glibc's scanf performs it:
// which characters it takes, whether it converts, and the value strtod gives
// for what it took. Other C libraries take other characters ("1e", "0x.",
// "nan(1)"), so the tool reads every field with this instead.
#pragma once

namespace eb_com {

// Reads the number at first. The text ends at last or at a NUL, whichever
// comes first, as a C string would end there. No white space is skipped.
// Returns the end of the characters the conversion took, having stored the
// value; or nullptr, storing nothing, where it fails.
//
// What it takes: an optional sign, then
// - "nan" in any case, and nothing after it ("nan(1)" takes 3 characters);
// - "inf" or "infinity" in any case; "inf" followed by an 'i' that does not
//   start "infinity" fails ("infin");
// - "0x" or "0X", hexadecimal digits with at most one '.', then 'p' or 'P'
//   after at least one digit, a sign right after it, and decimal digits;
//   "0x" with neither digit nor point fails, "0x." is zero;
// - decimal digits with at most one '.', then 'e' or 'E' after at least one
//   digit, a sign right after it, and digits; no digit before the exponent
//   fails.
// An exponent with no digit ("1e", "1e+", "0x1p") is taken but counts as
// none. The value is correctly rounded, ties to even, infinite past the
// largest double and zero below half the least subnormal; "-nan" is the
// quiet NaN with the sign bit set.
const char* scan_number(const char* first, const char* last, double& value) noexcept;

}  // namespace eb_com
