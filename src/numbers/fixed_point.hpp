// Fixed-point text of doubles, byte for byte what printf's "%.Pf" gives in the
// POSIX locale, without printf's cost for the magnitudes real tables hold.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "numbers/binary64.hpp"
#include "numbers/powers_of_ten.hpp"
#include "numbers/rounding.hpp"
#include "platform.hpp"

namespace eb_com {

// Largest precision format_fixed takes: "%f"'s own, 6 decimals.
inline constexpr int max_fixed_precision = 6;

// The longest text format_fixed writes: a sign, the 309 integer digits of the
// largest double, the point and the decimals.
inline constexpr std::size_t max_fixed_length = 1 + 309 + 1 + max_fixed_precision;

// Writes value as std::printf("%.*f", precision, value) would, without a
// terminator, and returns the end of the text. Needs room for
// max_fixed_length characters.
template <int precision>
char* format_fixed(char* out, double value) noexcept;

// Writes n as printf's "%llu" would, without a terminator, and returns the
// end of the text. Needs room for 20 characters.
char* format_integer(char* out, std::uint64_t n) noexcept;

// Moves the text [start, end) right within a field of width characters,
// spaces before it, as printf's field width does; returns the field's end.
// Needs room for width characters at start.
char* right_align(char* start, char* end, std::size_t width) noexcept;

namespace fixed_point_detail {

// Below this magnitude value * 10^precision, rounded, fits in 64 bits.
inline constexpr double fast_path_limit = 0x1p44;
static_assert(fast_path_limit * powers_of_ten[max_fixed_precision] < 0x1p64);

// Magnitudes of 2^44 and more, infinities and NaNs: every digit exact, by
// arithmetic on integers as wide as the largest double.
char* format_rare(char* out, double value, int precision) noexcept;

// At least 1: zero is written "0". Setting the low bit changes no count.
// For n of b bits, guess = b * 1233 >> 12 is floor(b * log10(2)) for every b
// from 1 to 64 (checked in the tests); then 10^(guess-1) < 2^(b-1) <= n <
// 2^b < 10^(guess+1), so n has guess or guess + 1 digits, and one comparison
// tells which.
inline int digit_count(std::uint64_t n) noexcept {
  n |= 1;
  const int guess = (64 - std::countl_zero(n)) * 1233 >> 12;
  return guess + 1 - (n < powers_of_ten[static_cast<std::size_t>(guess)]);
}

// The 8 decimal digits of n < 10^8 as ASCII, the first digit in the lowest
// byte, computed in lanes of one register: digits built in memory and copied
// on would stall on store forwarding. x * 10486 >> 20 is x / 100 for every
// x below 43699, and a lane holds below 10^4, whose product stays inside its
// 32 bits; x * 103 >> 10 is x / 10 below 179, and a 16-bit lane holds below
// 100. The tests run every n.
inline std::uint64_t eight_digits(std::uint32_t n) noexcept {
  assert(n < 100000000);
  std::uint64_t lanes = n / 10000 | static_cast<std::uint64_t>(n % 10000) << 32;
  std::uint64_t high = (lanes * 10486 >> 20) & 0x0000007F0000007F;  // each 32-bit lane / 100
  lanes = high | (lanes - high * 100) << 16;
  high = (lanes * 103 >> 10) & 0x000F000F000F000F;  // each 16-bit lane / 10
  lanes = high | (lanes - high * 10) << 8;
  return lanes | 0x3030303030303030;
}

// Stores the last count (1 to 8) of the 8 digits, and 8 - count bytes more
// that the caller overwrites or leaves past the end.
inline void store_last_digits(char* out, std::uint64_t digits, int count) noexcept {
  assert(count >= 1 && count <= 8);
  store_little_endian(out, digits >> 8 * (8 - count));
}

// |value| * 10^precision rounded half to even on the exact binary value, as
// glibc's printf rounds. Needs |value| < fast_path_limit.
template <int precision>
std::uint64_t scaled_magnitude(double value) noexcept {
  assert(std::fabs(value) < fast_path_limit);
  const Binary64 parts(value);
  const int shift = -parts.unit_exponent();  // |value| == significand / 2^shift
  // The product of the 53-bit mantissa and 10^precision: up to 3 decimals
  // it is below 2^63 and fits in 64 bits, which cost less to shift.
  using Product = std::conditional_t<(precision <= 3), std::uint64_t, u128>;
  constexpr int product_bits = 8 * sizeof(Product);
  // Under the limit shift is at least 9; from product_bits on the product is
  // under half a unit and rounds to zero.
  if (shift >= product_bits) return 0;
  const Product product = static_cast<Product>(parts.significand()) * powers_of_ten[precision];
  return static_cast<std::uint64_t>(shifted_right_half_even(product, shift));
}

// Writes whole 8-byte blocks, up to 7 bytes past the number's end: within
// max_fixed_length of out.
template <int precision>
char* format_ordinary(char* out, double value) noexcept {
  constexpr std::uint64_t unit = powers_of_ten[precision];
  constexpr std::uint64_t ten_to_8 = powers_of_ten[8];
  const std::uint64_t scaled = scaled_magnitude<precision>(value);
  *out = '-';
  out += std::signbit(value);
  if (scaled < ten_to_8) {
    // Velocities and the like: all the digits from one conversion, the
    // point put in after the integer ones (at least one, "0" perhaps).
    const std::uint64_t digits = eight_digits(static_cast<std::uint32_t>(scaled));
    const int shown = std::max(digit_count(scaled), precision + 1);
    store_last_digits(out, digits, shown);
    out += shown - precision;
    if constexpr (precision > 0) {
      *out++ = '.';
      store_last_digits(out, digits, precision);
      out += precision;
    }
    return out;
  }
  // The integer part is below 2^44, so fewer than 16 digits.
  const std::uint64_t integer_part = scaled / unit;
  if (integer_part >= ten_to_8) {
    const auto high = static_cast<std::uint32_t>(integer_part / ten_to_8);
    const int high_digits = digit_count(high);
    store_last_digits(out, eight_digits(high), high_digits);
    out += high_digits;
    store_last_digits(out, eight_digits(static_cast<std::uint32_t>(integer_part % ten_to_8)), 8);
    out += 8;
  } else {
    const int integer_digits = digit_count(integer_part);
    store_last_digits(out, eight_digits(static_cast<std::uint32_t>(integer_part)), integer_digits);
    out += integer_digits;
  }
  if constexpr (precision > 0) {
    *out++ = '.';
    store_last_digits(out, eight_digits(static_cast<std::uint32_t>(scaled % unit)), precision);
    out += precision;
  }
  return out;
}

}  // namespace fixed_point_detail

template <int precision>
char* format_fixed(char* out, double value) noexcept {
  static_assert(precision >= 0 && precision <= max_fixed_precision);
  if (std::fabs(value) < fixed_point_detail::fast_path_limit) {
    return fixed_point_detail::format_ordinary<precision>(out, value);
  }
  return fixed_point_detail::format_rare(out, value, precision);
}

}  // namespace eb_com
