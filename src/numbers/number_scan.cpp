#include "numbers/number_scan.hpp"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "numbers/binary64.hpp"
#include "numbers/decimal_conversion.hpp"
#include "numbers/rounding.hpp"

namespace eb_com {
namespace {

// The C locale's classes; a NUL is in none of them.
constexpr bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }
constexpr char to_lower(char c) noexcept { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr int hex_digit_value(char c) noexcept {
  if (is_digit(c)) return c - '0';
  const char lower = to_lower(c);
  return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// Whether the text at p spells word (lower case) in any case.
bool spells(const char* p, const char* last, const char* word) noexcept {
  for (; *word != '\0'; ++word, ++p) {
    if (p == last || to_lower(*p) != *word) return false;
  }
  return true;
}

// An exponent's optional sign and digits at p, its value clamped to limit;
// returns their end. No digit at all gives 0.
const char* scan_exponent(const char* p, const char* last, std::int32_t limit, std::int32_t& exponent) noexcept {
  const bool negative = p != last && *p == '-';
  p += p != last && (*p == '-' || *p == '+');
  std::int32_t magnitude = 0;
  for (; p != last && is_digit(*p); ++p) magnitude = std::min(magnitude * 10 + (*p - '0'), limit);
  exponent = negative ? -magnitude : magnitude;
  return p;
}

// The digits after "0x". Past 2^100000 or below 2^-100000 the value is
// infinite or zero, whatever the digits; so the exponent is clamped there.
constexpr std::int32_t max_binary_exponent = 100000;

const char* scan_hexadecimal(const char* p, const char* last, bool negative, double& value) noexcept {
  const char* const first = p;
  // The leading digits, 61 to 64 bits of them: enough for a double's 53 and
  // its rounding bits. Any nonzero digit after them only breaks ties.
  std::uint64_t significand = 0;
  std::int32_t exponent = 0;
  bool sticky = false;
  bool got_digit = false;
  bool got_point = false;
  for (; p != last; ++p) {
    if (*p == '.' && !got_point) {
      got_point = true;
      continue;
    }
    const int digit = hex_digit_value(*p);
    if (digit < 0) break;
    got_digit = true;
    if (significand >> 60 == 0) {
      significand = significand << 4 | static_cast<std::uint64_t>(digit);
      exponent -= 4 * got_point;
    } else {
      sticky |= digit != 0;
      exponent += 4 * !got_point;
    }
  }
  if (p == first) return nullptr;  // "0x" alone
  if (got_digit && p != last && to_lower(*p) == 'p') {
    std::int32_t binary_exponent = 0;
    p = scan_exponent(p + 1, last, max_binary_exponent, binary_exponent);
    exponent += binary_exponent;
  }
  // Without a digit strtod reads only the "0" ("0x." is zero).
  if (significand == 0) {
    value = binary64::with_sign(0.0, negative);
    return p;
  }
  const int normalise = std::countl_zero(significand);
  value = nearest_double(significand << normalise | sticky, exponent - normalise, negative);
  return p;
}

const char* scan_decimal(const char* p, const char* last, bool negative, double& value) noexcept {
  const char* const first = p;
  bool got_digit = false;
  bool got_point = false;
  for (; p != last; ++p) {
    if (is_digit(*p)) {
      got_digit = true;
    } else if (*p == '.' && !got_point) {
      got_point = true;
    } else {
      break;
    }
  }
  if (!got_digit) return nullptr;
  const char* const significand_end = p;
  std::int32_t exponent = 0;
  if (p != last && to_lower(*p) == 'e') p = scan_exponent(p + 1, last, max_decimal_exponent, exponent);
  value = decimal_to_double(first, significand_end, exponent, negative);
  return p;
}

}  // namespace

const char* scan_number(const char* first, const char* last, double& value) noexcept {
  // A NUL ends the text: nothing reads past it.
  last = std::find(first, last, '\0');
  const char* p = first;
  const bool negative = p != last && *p == '-';
  if (p != last && (*p == '-' || *p == '+')) {
    if (++p == last) return nullptr;
  }
  if (p == last) return nullptr;
  const char c = to_lower(*p);
  if (c == 'n') {
    if (!spells(p + 1, last, "an")) return nullptr;
    value = binary64::with_sign(std::bit_cast<double>(binary64::quiet_nan), negative);  // as glibc's strtod
    return p + 3;
  }
  if (c == 'i') {
    if (!spells(p + 1, last, "nf")) return nullptr;
    p += 3;
    if (p != last && to_lower(*p) == 'i') {
      if (!spells(p + 1, last, "nity")) return nullptr;
      p += 5;
    }
    value = binary64::with_sign(std::bit_cast<double>(binary64::infinity), negative);
    return p;
  }
  if (c == '0' && p + 1 != last && to_lower(p[1]) == 'x') return scan_hexadecimal(p + 2, last, negative, value);
  return scan_decimal(p, last, negative, value);
}

}  // namespace eb_com
