// Rounding to nearest with ties to even, the one rule every conversion and
// the x87 follow: on integers, and of a wide significand to a double.
#pragma once

#include <bit>
#include <cassert>
#include <cstdint>

#include "numbers/binary64.hpp"
#include "platform.hpp"

namespace eb_com {

// quotient, plus one where the remainder is over half the divisor, or half
// of it and the quotient odd. Without a branch: which way a digit rounds is
// a coin toss to the predictor.
template <typename Unsigned>
constexpr Unsigned rounded_half_even(Unsigned quotient, Unsigned remainder, Unsigned half) noexcept {
  return quotient + static_cast<Unsigned>((remainder > half) | ((remainder == half) & ((quotient & 1) != 0)));
}

// value / 2^shift, rounded half to even; shift from 1 to the width less 1.
template <typename Unsigned>
constexpr Unsigned shifted_right_half_even(Unsigned value, int shift) noexcept {
  const Unsigned quotient = value >> shift;
  return rounded_half_even(quotient, value - (quotient << shift), Unsigned{1} << (shift - 1));
}

// kept, rounded on dropped: the bits below it, in units of 2^-64 of its last.
constexpr std::uint64_t rounded_on_dropped(std::uint64_t kept, std::uint64_t dropped) noexcept {
  return rounded_half_even(kept, dropped, std::uint64_t{1} << 63);
}

// significand * 2^exponent rounded once to the nearest double, ties to even,
// as the x87 stores a register to memory and as strtod rounds: onto the
// subnormal grid directly below 2^-1022, to infinity past the largest
// double. The significand has its top bit set, or is zero; a lowest bit
// that stands for bits dropped before (a sticky bit) breaks only ties the
// exact value does not have.
constexpr double nearest_double(std::uint64_t significand, std::int32_t exponent, bool negative) noexcept {
  const std::uint64_t sign = binary64::sign_bit * negative;
  if (significand == 0) return std::bit_cast<double>(sign);
  assert(significand >> 63 == 1);
  const std::int32_t top = exponent + 63;  // the leading bit is 2^top
  if (top > binary64::exponent_bias) return std::bit_cast<double>(sign | binary64::infinity);
  if (top >= binary64::min_normal_exponent) {
    const std::uint64_t mantissa = rounded_on_dropped(significand >> 11, significand << 53);
    // The mantissa's leading bit adds one to the exponent field, and a
    // mantissa rounded up to 2^53 two, which is the next binade (or infinity
    // from the largest one).
    return std::bit_cast<double>(
        sign |
        ((static_cast<std::uint64_t>(top - binary64::min_normal_exponent) << binary64::fraction_bits) + mantissa));
  }
  // Units of 2^-1074, the subnormal grid: shift bits to drop, at least 12.
  const std::int32_t shift = binary64::least_unit_exponent - exponent;
  if (shift > 64) return std::bit_cast<double>(sign);  // below half the least subnormal
  const u128 wide = static_cast<u128>(significand) << (64 - shift);
  // A mantissa rounded up to 2^52 is the least normal double, bits and all.
  const std::uint64_t mantissa =
      rounded_on_dropped(static_cast<std::uint64_t>(wide >> 64), static_cast<std::uint64_t>(wide));
  return std::bit_cast<double>(sign | mantissa);
}

}  // namespace eb_com
