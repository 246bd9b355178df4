// 10^0 to 10^19, every power of ten that fits in 64 bits: the scanner's and
// the formatter's digit arithmetic both take them from here.
#pragma once

#include <array>
#include <cstdint>

namespace eb_com {

inline constexpr auto powers_of_ten = [] {
  std::array<std::uint64_t, 20> powers{};
  std::uint64_t power = 1;
  for (std::uint64_t& entry : powers) {
    entry = power;
    power *= 10;
  }
  return powers;
}();

}  // namespace eb_com
