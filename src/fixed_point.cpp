#include "fixed_point.hpp"

#include <charconv>

namespace eb_com {

char* fixed_point_detail::format_by_library(char* out, double value, int precision) noexcept {
  // Prints them as glibc's printf does, the reference here: "inf", "-nan"
  // for a NaN whose sign bit is set (other printfs may write "nan"), every
  // integer digit.
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

}  // namespace eb_com
