#include "decimal_scan.hpp"

#include <charconv>
#include <system_error>

namespace eb_com {
namespace {

bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }

}  // namespace

const char* scan_plain_decimal(const char* first, const char* last, double& value) noexcept {
  // std::from_chars takes a minus sign but not a plus sign; what follows
  // either must start the digits, or it is no plain decimal ("+-5", "-inf",
  // "nan"). Only digits, a point and an exponent get past here, so the
  // general format reads exactly the shapes strtod reads as decimals.
  const char* const number = first + (first != last && *first == '+');
  const char* const digits = number + (number != last && *number == '-' && number == first);
  if (digits == last || !(is_digit(*digits) || *digits == '.')) return nullptr;
  // "0x" starts a hexadecimal number for strtod, and sscanf reads it its own way.
  if (last - digits > 1 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) return nullptr;
  double result;
  const auto [end, error] = std::from_chars(number, last, result, std::chars_format::general);
  // Out of range, from_chars stores nothing: strtod's infinity or tiny value
  // is left to sscanf, which gives exactly that.
  if (error != std::errc{}) return nullptr;
  // "1e" or "1e+" is a prefix that the scanf family treats its own way.
  if (end != last && (*end == 'e' || *end == 'E')) return nullptr;
  value = result;
  return end;
}

}  // namespace eb_com
