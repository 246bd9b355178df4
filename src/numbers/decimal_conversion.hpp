// A decimal number to the double nearest it, ties to even, as glibc's strtod
// rounds: exactly, for any number of digits and any exponent, without the C
// library, whose answers differ from one platform to the next.
#pragma once

#include <cstdint>

namespace eb_com {

// The most decimal exponent a caller need pass: past it every nonzero
// significand of a record's length is infinite or zero. Larger exponents are
// to be clamped to it.
inline constexpr std::int32_t max_decimal_exponent = 100000;

// The double nearest (-1)^negative * significand * 10^exponent, where
// [first, last) is the significand: decimal digits, at least one, with at
// most one '.' among them. |exponent| <= max_decimal_exponent. Past the
// largest double it is infinite, below half the least subnormal zero, with
// the sign kept either way.
double decimal_to_double(const char* first, const char* last, std::int32_t exponent, bool negative) noexcept;

}  // namespace eb_com
