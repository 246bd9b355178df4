#include "fixed_point.hpp"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace eb_com {
namespace {

__extension__ typedef unsigned __int128 u128;

constexpr std::uint64_t powers_of_ten[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
static_assert(std::size(powers_of_ten) == max_fixed_precision + 1);

// Below this magnitude value * 10^precision, rounded, fits in 64 bits.
constexpr double fast_path_limit = 0x1p44;

constexpr char digit_pairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the decimal digits of n, at least min_digits of them (zero-padded).
char* write_digits(char* out, std::uint64_t n, int min_digits) noexcept {
  char text[20];
  char* first = text + sizeof text;
  while (n >= 100) {
    first -= 2;
    std::memcpy(first, digit_pairs + 2 * (n % 100), 2);
    n /= 100;
  }
  if (n >= 10) {
    first -= 2;
    std::memcpy(first, digit_pairs + 2 * n, 2);
  } else {
    *--first = static_cast<char>('0' + n);
  }
  for (auto length = text + sizeof text - first; length < min_digits; ++length) *out++ = '0';
  const auto length = static_cast<std::size_t>(text + sizeof text - first);
  std::memcpy(out, first, length);
  return out + length;
}

// value * 10^precision rounded half to even on the exact binary value, which
// is how glibc's printf rounds. Needs |value| < fast_path_limit.
std::uint64_t scaled_magnitude(double value, int precision) noexcept {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const auto biased_exponent = static_cast<int>((bits >> 52) & 0x7ff);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  int shift = 1074;  // |value| == mantissa / 2^shift
  if (biased_exponent != 0) {
    mantissa |= std::uint64_t{1} << 52;
    shift = 1075 - biased_exponent;
  }
  // Under the limit shift is at least 9; from 128 on the product (below 2^73)
  // is under half a unit and rounds to zero.
  if (shift >= 128) return 0;
  const u128 product = static_cast<u128>(mantissa) * powers_of_ten[precision];
  u128 quotient = product >> shift;
  const u128 remainder = product - (quotient << shift);
  const u128 half = u128{1} << (shift - 1);
  if (remainder > half || (remainder == half && (quotient & 1) != 0)) ++quotient;
  return static_cast<std::uint64_t>(quotient);
}

}  // namespace

char* format_fixed(char* out, double value, int precision, int width) noexcept {
  char* const start = out;
  if (std::fabs(value) < fast_path_limit) {
    const std::uint64_t scaled = scaled_magnitude(value, precision);
    const std::uint64_t unit = powers_of_ten[precision];
    if (std::signbit(value)) *out++ = '-';
    out = write_digits(out, scaled / unit, 1);
    if (precision > 0) {
      *out++ = '.';
      out = write_digits(out, scaled % unit, precision);
    }
  } else {
    // Huge magnitudes, infinities and NaNs: the library's exact conversion,
    // which prints them as printf does ("inf", "-nan", every integer digit).
    out = std::to_chars(out, out + max_fixed_length, value, std::chars_format::fixed, precision).ptr;
  }
  const auto length = out - start;
  if (length >= width) return out;
  const auto padding = width - length;
  std::memmove(start + padding, start, static_cast<std::size_t>(length));
  std::memset(start, ' ', static_cast<std::size_t>(padding));
  return start + width;
}

}  // namespace eb_com
