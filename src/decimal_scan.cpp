#include "decimal_scan.hpp"

#include <algorithm>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cstdint>
#include <system_error>

#include "byte_lanes.hpp"
#include "powers_of_ten.hpp"

namespace eb_com {
namespace {

// Every integer up to 2^53 and every power of ten up to 10^22 is a double, so
// one multiplication or division of the two is the correctly rounded value,
// as long as it is rounded to double once, not to a wider format first.
static_assert(FLT_EVAL_METHOD == 0, "eb-com needs double arithmetic evaluated in double (SSE2, not the x87 stack)");
constexpr std::uint64_t exact_mantissa_limit = std::uint64_t{1} << 53;
constexpr int exact_power_limit = 22;
constexpr double exact_powers_of_ten[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                          1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Any 19 digits fit in 64 bits; a longer mantissa is left to from_chars.
constexpr long max_held_digits = 19;

using Word = std::uint64_t;

// How many of the word's bytes, from the first, are ASCII digits: a digit
// has high nibble 3 and stays so when 6 is added. A carry out of a byte only
// reaches bytes after a non-digit, which do not count.
int leading_digit_count(std::uint64_t word) noexcept {
  const std::uint64_t high_nibbles = every_byte<Word>(0xF0);
  const std::uint64_t not_digits = ((word & high_nibbles) ^ every_byte<Word>(0x30)) |
                                   (((word + every_byte<Word>(0x06)) & high_nibbles) ^ every_byte<Word>(0x30));
  return std::countr_zero(not_digits) >> 3;
}

// The value of the first count (1 to 8) digits of the word, by the method of
// fast_float: pairs, then quadruples, in lanes of the register.
std::uint64_t digits_value(std::uint64_t word, int count) noexcept {
  // Later bytes shift out; the first digits become the last, under zeros.
  std::uint64_t digits = (word - every_byte<Word>('0')) << (8 * (8 - count));
  digits = digits * 10 + (digits >> 8);
  const std::uint64_t pairs = 0x000000FF000000FF;
  return ((digits & pairs) * (100 + (std::uint64_t{1000000} << 32)) +
          ((digits >> 16) & pairs) * (1 + (std::uint64_t{10000} << 32))) >> 32;
}

// Takes the digits at p into mantissa, 8 at a time, and returns their end.
// Without a branch for every digit, a number's length costs the predictor
// nothing. The mantissa wraps past 19 digits; the caller counts them.
[[gnu::always_inline]] inline const char* take_digits(const char* p, const char* last, std::uint64_t& mantissa) noexcept {
  for (;;) {
    const std::uint64_t word = load_lanes<Word>(p);
    const int count = static_cast<int>(std::min<std::ptrdiff_t>(leading_digit_count(word), last - p));
    if (count == 0) return p;
    mantissa = mantissa * powers_of_ten[static_cast<std::size_t>(count)] + digits_value(word, count);
    p += count;
    if (count < 8) return p;
  }
}

}  // namespace

const char* scan_plain_decimal(const char* first, const char* last, double& value) noexcept {
  const char* p = first;
  // Signs come and go at random in a column of velocities: no branches on them.
  const bool negative = p != last && *p == '-';
  p += p != last && (*p == '+' || *p == '-');
  // std::from_chars takes a minus sign but no plus sign.
  const char* const number = (first != last && *first == '+') ? first + 1 : first;

  std::uint64_t mantissa = 0;
  const char* const integer_start = p;
  p = take_digits(p, last, mantissa);
  // "0x" starts a hexadecimal number for strtod, and sscanf reads it its own way.
  if (p - integer_start == 1 && *integer_start == '0' && p != last && (*p == 'x' || *p == 'X')) return nullptr;
  auto digit_count = p - integer_start;
  int decimal_exponent = 0;
  if (p != last && *p == '.') {
    const char* const fraction_start = ++p;
    p = take_digits(p, last, mantissa);
    digit_count += p - fraction_start;
    decimal_exponent = -static_cast<int>(p - fraction_start);
  }
  if (digit_count == 0) return nullptr;
  if (p != last && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    const bool exponent_negative = q != last && *q == '-';
    if (q != last && (*q == '+' || *q == '-')) ++q;
    const char* const exponent_start = q;
    int exponent = 0;
    for (; q != last && *q >= '0' && *q <= '9'; ++q) {
      if (exponent < 100000) exponent = exponent * 10 + (*q - '0');
    }
    // "1e" or "1e+" is a prefix that the scanf family treats its own way.
    if (q == exponent_start) return nullptr;
    decimal_exponent += exponent_negative ? -exponent : exponent;
    p = q;
  }

  if (digit_count <= max_held_digits && mantissa <= exact_mantissa_limit && decimal_exponent >= -exact_power_limit &&
      decimal_exponent <= exact_power_limit) {
    const auto exact = static_cast<double>(mantissa);
    const double magnitude = decimal_exponent < 0 ? exact / exact_powers_of_ten[-decimal_exponent]
                                                  : exact * exact_powers_of_ten[decimal_exponent];
    value = std::bit_cast<double>(std::bit_cast<std::uint64_t>(magnitude) | std::uint64_t{negative} << 63);
    return p;
  }
  double result;
  const auto [end, error] = std::from_chars(number, p, result);
  if (error != std::errc{} || end != p) return nullptr;
  value = result;
  return p;
}

}  // namespace eb_com
