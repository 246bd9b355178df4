// Pairs of velocities from the families where the formula evaluated in any
// other arithmetic than the x87's shows other bits: ties in each rounding,
// subnormal results, differences beyond the double range, signed zeros,
// infinities and NaNs with their payloads and signs, and the rows of real
// tables. The same seed gives the same pairs on every machine.
#pragma once

#include <bit>
#include <cstdint>

namespace formula_cases {

struct Pair {
  double velocity1;
  double velocity2;
};

class Generator {
 public:
  explicit Generator(std::uint64_t seed) : state_(seed) {}

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
        const std::uint64_t v2 = (random() & ~exponent_mask) | (std::uint64_t{900} + random() % 200) << 52;
        const std::uint64_t shifted = v2 - ((std::uint64_t{40} + random() % 40) << 52);
        return {bits((shifted + random() % 5 - 2) ^ (random() & sign_bit)), bits(v2)};
      }
      case 3:  // subnormal and least normal velocities, results down to the
               // least subnormal and below
        return {bits((random() >> random() % 64 & ~exponent_mask) | (random() % 4) << 52 | (random() & sign_bit)),
                bits((random() >> random() % 64 & ~exponent_mask) | (random() % 4) << 52 | (random() & sign_bit))};
      case 4:  // near the largest double: differences and results that overflow
        return {bits((random() & ~exponent_mask) | (std::uint64_t{0x7fc} + random() % 3) << 52),
                bits((random() & ~exponent_mask) | (std::uint64_t{0x7fc} + random() % 3) << 52)};
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
  static constexpr std::uint64_t sign_bit = std::uint64_t{1} << 63;
  static constexpr std::uint64_t exponent_mask = 0x7ff0000000000000;

  static double bits(std::uint64_t b) { return std::bit_cast<double>(b); }

  // splitmix64: small, and the same on every machine.
  std::uint64_t random() {
    std::uint64_t z = state_ += 0x9e3779b97f4a7c15;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9;
    z = (z ^ (z >> 27)) * 0x94d049bb133111eb;
    return z ^ (z >> 31);
  }

  double special() {
    const std::uint64_t sign = random() & sign_bit;
    switch (random() % 5) {
      case 0:
        return bits(sign | exponent_mask);  // infinity
      case 1:
        return bits(random());
      default: {
        // Payloads from a small set, so that equal ones meet often.
        const std::uint64_t payload = random() % 4 | (random() & 1) << 51 | (random() % 3 == 0 ? 1ull << 50 : 0);
        return bits(sign | exponent_mask | (payload != 0 ? payload : 1));
      }
    }
  }

  std::uint64_t state_;
  std::uint64_t count_ = 0;
};

}  // namespace formula_cases
