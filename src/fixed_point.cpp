#include "fixed_point.hpp"

#include <bit>
#include <cassert>
#include <charconv>

#include <emmintrin.h>

namespace eb_com {

char* fixed_point_detail::format_by_library(char* out, double value, int precision) noexcept {
  // Prints them as printf does: "inf", "-nan", every integer digit.
  return std::to_chars(out, out + max_fixed_length, value, std::chars_format::fixed, precision).ptr;
}

char* right_align(char* start, char* end, std::size_t width) noexcept {
  const auto length = static_cast<std::size_t>(end - start);
  if (length >= width) return end;
  const std::size_t padding = width - length;
  std::memmove(start + padding, start, length);
  std::memset(start, ' ', padding);
  return start + width;
}

// A plain decimal with at most 9 integer digits is the double nearest it to
// within 2^-24, far inside the half millionth at which "%lf" would round it
// to something else; so with at most 6 decimals "%lf" prints the spelled
// value itself, a minus sign kept even on zero. All of the spelling is looked
// at in one go: SSE2, part of every x86-64, classes 16 bytes at once.
char* copy_spelling_as_lf(char* out, std::string_view spelling) noexcept {
  constexpr std::size_t window = 16;
  static_assert(spelling_padding >= window);
  constexpr std::size_t max_integer_digits = 9;
  constexpr std::size_t decimals = 6;
  const char* const text = spelling.data();
  const std::size_t length = spelling.size();
  assert(std::all_of(spelling.begin(), spelling.end(),
                     [](char c) { return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'; }) &&
         "not a spelling the decimal scanner took");
  if (length == 0 || length > window) return nullptr;

  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
  // Bytes minus '0' below 10 as unsigned numbers, by a signed comparison
  // shifted by 128.
  const auto digits = static_cast<unsigned>(_mm_movemask_epi8(
      _mm_cmplt_epi8(_mm_sub_epi8(bytes, _mm_set1_epi8(static_cast<char>('0' + 128))), _mm_set1_epi8(-128 + 10))));
  const auto points = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('.'))));
  const unsigned in_spelling = (1u << length) - 1;
  const std::size_t sign = *text == '-';
  // Anything but digits, one point and a leading minus: a plus sign or an
  // exponent.
  const unsigned others = in_spelling & ~digits & ~points & ~static_cast<unsigned>(sign);
  const unsigned point_marks = points & in_spelling;
  const std::size_t point = point_marks != 0 ? static_cast<std::size_t>(std::countr_zero(point_marks)) : length;
  const std::size_t integer_digits = point - sign;
  const std::size_t fraction_digits = length - point - (point_marks != 0);
  if (others != 0 || integer_digits == 0 || integer_digits > max_integer_digits || fraction_digits > decimals ||
      (text[sign] == '0' && integer_digits > 1)) {
    return nullptr;
  }

  std::memcpy(out, text, window);
  out[point] = '.';
  std::memcpy(out + point + 1 + fraction_digits, "00000000", 8);
  return out + point + 1 + decimals;
}

}  // namespace eb_com
