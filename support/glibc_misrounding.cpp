#include "glibc_misrounding.hpp"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "numbers/binary64.hpp"
#include "numbers/number_scan.hpp"
#include "platform.hpp"

namespace support {

bool is_glibc_hex_subnormal_misrounding(std::string_view text, double ours, double theirs) noexcept {
  if (!eb_com::c_library_misrounds_hex_subnormals || text.find_first_of("xX") == std::string_view::npos) return false;
  const auto bits = std::bit_cast<std::uint64_t>(ours);
  const auto their_bits = std::bit_cast<std::uint64_t>(theirs);
  const std::uint64_t apart = bits > their_bits ? bits - their_bits : their_bits - bits;
  const auto below_normal = [](double x) { return eb_com::Binary64(x).biased_exponent() == 0; };
  return apart == 1 && below_normal(ours) && below_normal(theirs);
}

bool holds_glibc_hex_subnormal_misrounding(std::string_view input) {
  if (!eb_com::c_library_misrounds_hex_subnormals) return false;
  for (std::size_t start = 0; start < input.size();) {
    const std::size_t newline = input.substr(start, 499).find('\n');
    const std::size_t length =
        newline == std::string_view::npos ? std::min<std::size_t>(499, input.size() - start) : newline + 1;
    const std::string record(input.substr(start, length).substr(0, input.substr(start, length).find('\0')));
    start += length;
    const char* p = record.c_str();
    for (int field = 0; field < 3; ++field) {
      while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
      double theirs = 0;
      int taken = 0;
      if (std::sscanf(p, "%lf%n", &theirs, &taken) != 1) break;
      double ours = 0;
      eb_com::scan_number(p, p + taken, ours);
      if (is_glibc_hex_subnormal_misrounding({p, static_cast<std::size_t>(taken)}, ours, theirs)) return true;
      p += taken;
    }
  }
  return false;
}

}  // namespace support
