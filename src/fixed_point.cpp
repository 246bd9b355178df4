#include "fixed_point.hpp"

#include <cassert>
#include <charconv>

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
// at in one go, in the lanes of one 16-byte word.
char* copy_spelling_as_lf(char* out, std::string_view spelling) noexcept {
  constexpr std::size_t window = sizeof(u128);
  static_assert(spelling_padding >= window);
  constexpr std::size_t max_integer_digits = 9;
  constexpr std::size_t decimals = 6;
  const char* const text = spelling.data();
  const std::size_t length = spelling.size();
  assert(std::all_of(spelling.begin(), spelling.end(),
                     [](char c) { return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'; }) &&
         "not a spelling the decimal scanner took");
  if (length == 0 || length > window) return nullptr;

  const auto bytes = load_lanes<u128>(text);
  const u128 in_spelling = length == window ? ~u128{0} : (u128{1} << (8 * length)) - 1;
  const u128 points = zero_lanes(bytes ^ every_byte<u128>('.')) & in_spelling;
  // Of the characters a scanned number holds only the exponent's letter lies
  // above '9', and adding 0x46 sets the high bit of just those bytes.
  const u128 letters = (bytes + every_byte<u128>(0x46)) & every_byte<u128>(0x80) & in_spelling;
  const std::size_t point = points != 0 ? static_cast<std::size_t>(first_marked_lane(points)) : length;
  const std::size_t sign = *text == '-';
  const std::size_t integer_digits = point - sign;
  const std::size_t fraction_digits = length - point - (points != 0);
  if (letters != 0 || *text == '+' || integer_digits == 0 || integer_digits > max_integer_digits ||
      fraction_digits > decimals || (text[sign] == '0' && integer_digits > 1)) {
    return nullptr;
  }

  std::memcpy(out, text, window);
  out[point] = '.';
  std::memcpy(out + point + 1 + fraction_digits, "00000000", 8);
  return out + point + 1 + decimals;
}

}  // namespace eb_com
