// Pairs of velocities from the families where the formula evaluated in any
// other arithmetic than the x87's shows other bits: ties in each rounding,
// subnormal results, differences beyond the double range, signed zeros,
// infinities and NaNs with their payloads and signs, and the rows of real
// tables. The same seed gives the same pairs on every machine.
#pragma once

#include <bit>
#include <cstdint>

#include "numbers/binary64.hpp"
#include "platform.hpp"
#include "splitmix64.hpp"

namespace formula_cases {

struct Pair {
  double velocity1;
  double velocity2;
};

class Generator {
 public:
  explicit Generator(std::uint64_t seed) : random(seed) {}

  Pair next() {
    switch (count_++ % 7) {
      case 0:  // any bits at all
        return {bits(random()), bits(random())};
      case 1: {  // a table's velocities, three decimals
        return {static_cast<double>(static_cast<std::int64_t>(random() % 2000001) - 1000000) / 1000,
                static_cast<double>(static_cast<std::int64_t>(random() % 2000001) - 1000000) / 1000};
      }
      case 2: {  // velocity1 far below velocity2, a few ulps off a power of two's
                 // ratio: the difference is a tie or near one in 64 bits
        const std::uint64_t v2 = (random() & ~exponent_mask) | (std::uint64_t{900} + random() % 200) << fraction_bits;
        const std::uint64_t shifted = v2 - ((std::uint64_t{40} + random() % 40) << fraction_bits);
        return {bits((shifted + random() % 5 - 2) ^ (random() & sign_bit)), bits(v2)};
      }
      case 3:  // subnormal and least normal velocities, results down to the
               // least subnormal and below
        return {bits((random() >> random() % 64 & ~exponent_mask) | (random() % 4) << fraction_bits |
                     (random() & sign_bit)),
                bits((random() >> random() % 64 & ~exponent_mask) | (random() % 4) << fraction_bits |
                     (random() & sign_bit))};
      case 4:  // near the largest double: differences and results that overflow
        return {bits((random() & ~exponent_mask) | (std::uint64_t{max_biased_exponent} - 3 + random() % 3)
                                                       << fraction_bits),
                bits((random() & ~exponent_mask) | (std::uint64_t{max_biased_exponent} - 3 + random() % 3)
                                                       << fraction_bits)};
      case 5:  // infinities and NaNs, quiet and signalling, payloads equal or
               // close, either sign, against each other and finite values
        return {special(), special()};
      default: {  // zeros, and velocities equal, opposite or an ulp or two apart
        const std::uint64_t v = random();
        const double others[] = {bits(v), bits(v ^ sign_bit), bits(v + 1), bits(v - 2), 0.0, -0.0, bits(random())};
        return {others[random() % 7], others[random() % 7]};
      }
    }
  }

 private:
  static constexpr std::uint64_t sign_bit = eb_com::binary64::sign_bit;
  static constexpr std::uint64_t exponent_mask = eb_com::binary64::exponent_mask;
  static constexpr int fraction_bits = eb_com::binary64::fraction_bits;
  static constexpr int max_biased_exponent = eb_com::binary64::max_biased_exponent;

  static double bits(std::uint64_t b) { return std::bit_cast<double>(b); }

  double special() {
    const std::uint64_t sign = random() & sign_bit;
    switch (random() % 5) {
      case 0:
        return bits(sign | exponent_mask);  // infinity
      case 1:
        return bits(random());
      default: {
        // Payloads from a small set, so that equal ones meet often.
        const std::uint64_t quiet_bit = eb_com::binary64::quiet_bit;
        const std::uint64_t payload =
            random() % 4 | (random() & 1) * quiet_bit | (random() % 3 == 0 ? quiet_bit >> 1 : 0);
        return bits(sign | exponent_mask | (payload != 0 ? payload : 1));
      }
    }
  }

  test_support::SplitMix64 random;
  std::uint64_t count_ = 0;
};

}  // namespace formula_cases
