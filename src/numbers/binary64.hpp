// The binary64 layout, this file its one home: a sign bit, 11 exponent bits
// biased by 1023, 52 fraction bits. A finite value is its significand (the
// fraction with the hidden bit, which subnormals lack) times
// 2^(biased exponent - unit_bias), subnormals counted at biased exponent 1.
// Every unit that takes a double apart does it through Binary64.
#pragma once

#include <bit>
#include <cstdint>

#include "platform.hpp"

namespace eb_com {
namespace binary64 {

inline constexpr int fraction_bits = 52;
inline constexpr std::uint64_t sign_bit = std::uint64_t{1} << 63;
inline constexpr std::uint64_t hidden_bit = std::uint64_t{1} << fraction_bits;
inline constexpr std::uint64_t fraction_mask = hidden_bit - 1;
inline constexpr std::uint64_t quiet_bit = hidden_bit >> 1;
inline constexpr int max_biased_exponent = 0x7ff;  // infinities and NaNs
inline constexpr std::uint64_t exponent_mask = std::uint64_t{max_biased_exponent} << fraction_bits;
inline constexpr std::uint64_t infinity = exponent_mask;
inline constexpr std::uint64_t quiet_nan = exponent_mask | quiet_bit;  // as strtod gives "nan"
inline constexpr int exponent_bias = 1023;
inline constexpr int unit_bias = exponent_bias + fraction_bits;                  // 1075
inline constexpr int min_normal_exponent = 1 - exponent_bias;                    // 2^-1022, the least normal
inline constexpr int least_unit_exponent = min_normal_exponent - fraction_bits;  // 2^-1074, the least subnormal

constexpr int biased_exponent(std::uint64_t bits) noexcept {
  return static_cast<int>(bits >> fraction_bits & max_biased_exponent);
}

// The magnitude (its sign bit clear) with the sign bit set where negative:
// without a branch, as a velocity's sign is a coin toss to the predictor.
inline double with_sign(double magnitude, bool negative) noexcept {
  return std::bit_cast<double>(std::bit_cast<std::uint64_t>(magnitude) | sign_bit * negative);
}

}  // namespace binary64

// A double taken apart.
class Binary64 {
 public:
  constexpr explicit Binary64(double value) noexcept : bits_(std::bit_cast<std::uint64_t>(value)) {}

  constexpr bool negative() const noexcept { return (bits_ & binary64::sign_bit) != 0; }
  constexpr int biased_exponent() const noexcept { return binary64::biased_exponent(bits_); }
  constexpr std::uint64_t fraction() const noexcept { return bits_ & binary64::fraction_mask; }
  // Neither infinite nor NaN.
  constexpr bool is_finite() const noexcept { return biased_exponent() != binary64::max_biased_exponent; }
  // Neither zero nor subnormal, nor infinite or NaN.
  constexpr bool is_normal() const noexcept {
    return static_cast<unsigned>(biased_exponent() - 1) < binary64::max_biased_exponent - 1;
  }

  // A finite value is significand() * 2^unit_exponent(), without a branch.
  constexpr std::uint64_t significand() const noexcept {
    return fraction() | std::uint64_t{biased_exponent() != 0} << binary64::fraction_bits;
  }
  constexpr int unit_exponent() const noexcept {
    return biased_exponent() + (biased_exponent() == 0) - binary64::unit_bias;
  }

 private:
  std::uint64_t bits_;
};

}  // namespace eb_com
