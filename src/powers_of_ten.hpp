// The powers of ten that fit in 64 bits, for the scanner and the formatter.
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
