#include "decimal_scan.hpp"

#include <charconv>
#include <system_error>

namespace eb_com {
namespace {

bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }

const char* skip_digits(const char* p, const char* last) noexcept {
  while (p != last && is_digit(*p)) ++p;
  return p;
}

}  // namespace

const char* scan_plain_decimal(const char* first, const char* last, double& value) noexcept {
  const char* p = first;
  if (p != last && (*p == '+' || *p == '-')) ++p;
  // std::from_chars takes a minus sign but no plus sign.
  const char* number = (first != last && *first == '+') ? first + 1 : first;

  const char* integer_end = skip_digits(p, last);
  // "0x" starts a hexadecimal number for strtod, and sscanf reads it its own way.
  if (integer_end - p == 1 && *p == '0' && integer_end != last && (*integer_end == 'x' || *integer_end == 'X')) {
    return nullptr;
  }
  bool has_digits = integer_end != p;
  p = integer_end;
  if (p != last && *p == '.') {
    const char* fraction_end = skip_digits(p + 1, last);
    has_digits = has_digits || fraction_end != p + 1;
    p = fraction_end;
  }
  if (!has_digits) return nullptr;
  if (p != last && (*p == 'e' || *p == 'E')) {
    const char* exponent = p + 1;
    if (exponent != last && (*exponent == '+' || *exponent == '-')) ++exponent;
    const char* exponent_end = skip_digits(exponent, last);
    // "1e" or "1e+" is a prefix that the scanf family treats its own way.
    if (exponent_end == exponent) return nullptr;
    p = exponent_end;
  }

  double result;
  const auto [end, error] = std::from_chars(number, p, result);
  if (error != std::errc{} || end != p) return nullptr;
  value = result;
  return p;
}

}  // namespace eb_com
