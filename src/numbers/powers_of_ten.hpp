// The powers of ten, this file their one home: every one that fits in 64
// bits, and every one that is a double exactly.
#pragma once

#include <array>
#include <cstdint>

namespace eb_com {

// 10^0 to 10^19.
inline constexpr auto powers_of_ten = [] {
  std::array<std::uint64_t, 20> powers{};
  std::uint64_t power = 1;
  for (std::uint64_t& entry : powers) {
    entry = power;
    power *= 10;
  }
  return powers;
}();

// 10^0 to 10^22 as doubles: 5^22 < 2^53, so each is exact, and so is each
// product by ten that makes the next.
inline constexpr auto exact_double_powers_of_ten = [] {
  std::array<double, 23> powers{};
  double power = 1;
  for (double& entry : powers) {
    entry = power;
    power *= 10;
  }
  return powers;
}();
static_assert(exact_double_powers_of_ten[22] == 1e22);

}  // namespace eb_com
