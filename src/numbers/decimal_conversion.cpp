#include "numbers/decimal_conversion.hpp"

#include <bit>
#include <cassert>
#include <cstddef>
#include <limits>

#include "numbers/big_integer.hpp"
#include "numbers/binary64.hpp"
#include "numbers/powers_of_ten.hpp"
#include "numbers/rounding.hpp"
#include "platform.hpp"

namespace eb_com {
namespace {

constexpr auto max_exact_power = static_cast<std::int32_t>(exact_double_powers_of_ten.size() - 1);
constexpr std::uint64_t max_exact_integer = std::uint64_t{1} << 53;

// Up to 19 digits fit in 64 bits.
constexpr std::int32_t max_word_digits = 19;

// A halfway point between two doubles has at most 767 significant digits.
// A significand longer than this is cut here and, where the digits cut off
// are not all zero, a digit 1 put after it: the value moves, but stays
// strictly between the same two neighbours of the cut significand's last
// place, so never onto or across a halfway point, and rounds the same.
constexpr std::int32_t max_exact_digits = 800;

// Where the magnitude is known without arithmetic. A significand of n digits
// is below 10^(n + exponent): at most 10^-325 < 2^-1075, half the least
// subnormal, from n + exponent <= -325 on, so it rounds to zero. It is at
// least 10^(n + exponent - 1) > DBL_MAX from n + exponent >= 310 on.
constexpr std::int32_t zero_from = -325;
constexpr std::int32_t infinite_from = 310;

constexpr bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }

// significand * 10^exponent, to 64 bits and a sticky bit, then once to double.
// The significand has at most max_exact_digits + 1 digits and the magnitude
// is inside the bounds above, so neither integer below outgrows 3800 bits.
double rounded_quotient(const BigInteger& significand, std::int32_t exponent, bool negative) noexcept {
  BigInteger numerator = significand;
  BigInteger denominator(1);
  if (exponent >= 0) {
    numerator.multiply_by_power_of_ten(static_cast<unsigned>(exponent));
  } else {
    denominator.multiply_by_power_of_ten(static_cast<unsigned>(-exponent));
  }
  // Scaled by 2^shift, the quotient lies in (2^63, 2^65): each integer is
  // within a factor of 2 of 2 to its bit length.
  const auto shift =
      64 - (static_cast<std::int32_t>(numerator.bit_length()) - static_cast<std::int32_t>(denominator.bit_length()));
  if (shift >= 0) {
    numerator.shift_left(static_cast<std::size_t>(shift));
  } else {
    denominator.shift_left(static_cast<std::size_t>(-shift));
  }
  // Long division, a bit at a time: 65 bits of quotient.
  denominator.shift_left(64);
  u128 quotient = 0;
  for (int bit = 64; bit >= 0; --bit) {
    if (compare(numerator, denominator) >= 0) {
      numerator.subtract(denominator);
      quotient |= u128{1} << bit;
    }
    denominator.shift_right_one();
  }
  // The remainder, and a bit shifted out, go into the lowest bit: at least
  // eleven bits below the last one a double keeps, so they can only tell a
  // value just above a halfway point from the point itself.
  bool sticky = !numerator.is_zero();
  std::int32_t binary_exponent = -shift;
  if (quotient >> 64 != 0) {
    sticky |= (quotient & 1) != 0;
    quotient >>= 1;
    ++binary_exponent;
  }
  assert(quotient >> 63 == 1);
  const auto top = static_cast<std::uint64_t>(quotient) | std::uint64_t{sticky};
  return nearest_double(top, binary_exponent, negative);
}

}  // namespace

double decimal_to_double(const char* first, const char* last, std::int32_t exponent, bool negative) noexcept {
  // One pass for the fast path: the significant digits' count and, up to
  // 19 of them, their value; the point's place moves the exponent.
  std::uint64_t word = 0;
  std::int32_t digits = 0;
  bool after_point = false;
  for (const char* p = first; p != last; ++p) {
    if (!is_digit(*p)) {
      after_point = true;
      continue;
    }
    exponent -= after_point;
    if (digits == 0 && *p == '0') continue;
    if (++digits <= max_word_digits) word = word * 10 + static_cast<std::uint64_t>(*p - '0');
  }
  if (digits == 0) return binary64::with_sign(0.0, negative);
  // Both operands exact, so the one operation rounds correctly (Clinger).
  if (digits <= max_word_digits && word <= max_exact_integer && exponent >= -max_exact_power &&
      exponent <= max_exact_power) [[likely]] {
    const auto value = static_cast<double>(word);
    return binary64::with_sign(exponent < 0 ? value / exact_double_powers_of_ten[static_cast<std::size_t>(-exponent)]
                                            : value * exact_double_powers_of_ten[static_cast<std::size_t>(exponent)],
                               negative);
  }
  // The exponent of the last significant digit, as counted above.
  const std::int32_t magnitude = digits + exponent;
  if (magnitude <= zero_from) return binary64::with_sign(0.0, negative);
  if (magnitude >= infinite_from) return binary64::with_sign(std::numeric_limits<double>::infinity(), negative);

  BigInteger significand;
  std::int32_t taken = 0;
  bool cut_nonzero = false;
  for (const char* p = first; p != last; ++p) {
    if (!is_digit(*p) || (taken == 0 && *p == '0')) continue;
    if (taken < max_exact_digits) {
      significand.multiply_add(10, static_cast<std::uint32_t>(*p - '0'));
      ++taken;
    } else {
      cut_nonzero |= *p != '0';
    }
  }
  exponent += digits - taken;
  if (cut_nonzero) {
    significand.multiply_add(10, 1);
    --exponent;
  }
  return rounded_quotient(significand, exponent, negative);
}

}  // namespace eb_com
