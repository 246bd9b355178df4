#include "decimal_scan.hpp"

#include <cfloat>
#include <system_error>

#include <fast_float/fast_float.h>

namespace eb_com {

// fast_float's exact fast path is one multiplication or division of doubles,
// correctly rounded only when it is rounded to double once, not to a wider
// format first.
static_assert(FLT_EVAL_METHOD == 0, "eb-com needs double arithmetic evaluated in double (SSE2, not the x87 stack)");

namespace {

bool is_digit(char c) noexcept { return c >= '0' && c <= '9'; }

}  // namespace

const char* scan_plain_decimal(const char* first, const char* last, double& value) noexcept {
  // fast_float takes a minus sign but not a plus sign; what follows either
  // must start the digits, or it is no plain decimal ("+-5", "-inf", "nan").
  const char* const number = first + (first != last && *first == '+');
  const char* const digits = number + (number != last && *number == '-' && number == first);
  if (digits == last || !(is_digit(*digits) || *digits == '.')) return nullptr;
  // "0x" starts a hexadecimal number for strtod, and sscanf reads it its own way.
  if (last - digits > 1 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) return nullptr;
  double result;
  const auto [end, error] = fast_float::from_chars(number, last, result);
  if (error != std::errc{}) return nullptr;
  // "1e" or "1e+" is a prefix that the scanf family treats its own way.
  if (end != last && (*end == 'e' || *end == 'E')) return nullptr;
  value = result;
  return end;
}

}  // namespace eb_com
