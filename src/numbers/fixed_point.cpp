#include "numbers/fixed_point.hpp"

#include "numbers/big_integer.hpp"

namespace eb_com {

char* format_integer(char* out, std::uint64_t n) noexcept {
  char digits[20];
  char* first = digits + sizeof digits;
  do {
    *--first = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n != 0);
  const auto count = static_cast<std::size_t>(digits + sizeof digits - first);
  std::memcpy(out, first, count);
  return out + count;
}

char* fixed_point_detail::format_rare(char* out, double value, int precision) noexcept {
  assert(!(std::fabs(value) < fast_path_limit));
  const Binary64 parts(value);
  *out = '-';
  out += parts.negative();
  // As glibc's printf writes them: the sign of a NaN is shown too.
  if (!parts.is_finite()) {
    std::memcpy(out, parts.fraction() == 0 ? "inf" : "nan", 3);
    return out + 3;
  }
  // The value is significand * 2^exponent, at least 2^44: an integer from
  // 2^53 on, and with at most 8 fraction bits below it.
  const std::uint64_t mantissa = parts.significand();
  const int exponent = parts.unit_exponent();
  if (exponent < 0) {
    // Scaled by 10^precision and rounded, ties to even, below 2^73; its
    // integer part, below 2^53, and its decimals apart.
    const u128 product = static_cast<u128>(mantissa) * powers_of_ten[static_cast<std::size_t>(precision)];
    const u128 scaled = shifted_right_half_even(product, -exponent);
    const std::uint64_t unit = powers_of_ten[static_cast<std::size_t>(precision)];
    out = format_integer(out, static_cast<std::uint64_t>(scaled / unit));
    if (precision > 0) {
      *out++ = '.';
      auto decimals = static_cast<std::uint64_t>(scaled % unit);
      for (int i = precision; i-- > 0; decimals /= 10) out[i] = static_cast<char>('0' + decimals % 10);
      out += precision;
    }
    return out;
  }
  // An integer of up to 309 digits, nine at a time from the last.
  BigInteger integer(mantissa);
  integer.shift_left(static_cast<std::size_t>(exponent));
  char digits[max_fixed_length];
  char* first = digits + sizeof digits;
  while (!integer.is_zero()) {
    std::uint32_t part = integer.divide(1000000000);
    for (int i = 0; i < 9; ++i, part /= 10) *--first = static_cast<char>('0' + part % 10);
  }
  while (*first == '0') ++first;  // the last part's leading zeros
  const auto count = static_cast<std::size_t>(digits + sizeof digits - first);
  std::memcpy(out, first, count);
  out += count;
  if (precision > 0) {
    *out++ = '.';
    std::memset(out, '0', static_cast<std::size_t>(precision));
    out += precision;
  }
  return out;
}

char* right_align(char* start, char* end, std::size_t width) noexcept {
  const auto length = static_cast<std::size_t>(end - start);
  if (length >= width) return end;
  const std::size_t padding = width - length;
  std::memmove(start + padding, start, length);
  std::memset(start, ' ', padding);
  return start + width;
}

}  // namespace eb_com
