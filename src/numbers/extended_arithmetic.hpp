// The x87's double-extended arithmetic, in integers, for machines without
// it: a 64-bit significand, each result rounded to nearest with ties to
// even, as the x87 rounds under Linux's precision control. Only what the
// centre-of-mass formula needs: sums of finite values, the quotient by a
// constant, and the final rounding to double, which is where a result may
// become subnormal or infinite.
//
// The formula's values never leave the extended exponent range: for finite
// doubles the difference is below 2^1025 and every nonzero intermediate above
// 2^-1140, far inside 2^-16382 .. 2^16384. So no step but the last handles
// overflow or underflow.
#pragma once

#include <bit>
#include <cassert>
#include <cstdint>
#include <utility>

#include "numbers/binary64.hpp"
#include "numbers/rounding.hpp"
#include "platform.hpp"

namespace eb_com::extended {

// significand * 2^exponent, the significand's top bit set; or zero, with a
// sign and an exponent below any other value's. Infinities and NaNs are the
// caller's.
struct Extended {
  std::uint64_t significand = 0;
  std::int32_t exponent = zero_exponent;
  bool negative = false;

  static constexpr std::int32_t zero_exponent = -(1 << 20);

  friend constexpr bool operator==(const Extended&, const Extended&) = default;
};

namespace detail {

inline constexpr std::uint64_t top_bit = std::uint64_t{1} << 63;

constexpr int leading_zeros(u128 x) noexcept {
  const auto high = static_cast<std::uint64_t>(x >> 64);
  return high != 0 ? std::countl_zero(high) : 64 + std::countl_zero(static_cast<std::uint64_t>(x));
}

// wide * 2^exponent rounded to a 64-bit significand; wide has its top bit set.
constexpr Extended rounded_normalised(u128 wide, std::int32_t exponent, bool negative) noexcept {
  assert(wide >> 127 == 1);
  const std::uint64_t significand =
      rounded_on_dropped(static_cast<std::uint64_t>(wide >> 64), static_cast<std::uint64_t>(wide));
  // Rounding up from all ones wraps to zero: the next binade's first value.
  if (significand == 0) [[unlikely]]
    return {top_bit, exponent + 65, negative};
  return {significand, exponent + 64, negative};
}

// significand * 2^62 shifted right, the bits shifted out kept as one sticky
// bit at the bottom. From 127 places on only the sticky bit is left.
constexpr u128 aligned(std::uint64_t significand, std::uint32_t shift) noexcept {
  const u128 exact = static_cast<u128>(significand) << 62;
  shift = shift < 127 ? shift : 127;
  const u128 kept = exact >> shift;
  return kept | ((kept << shift) != exact);
}

}  // namespace detail

// x or its two's complement, by a mask rather than a branch: which sign a
// velocity has is a coin toss to the predictor.
// For 64 and 128 bits.
template <typename Unsigned>
constexpr Unsigned with_sign(Unsigned x, bool negative) noexcept {
  const Unsigned mask = -static_cast<Unsigned>(negative);
  return (x ^ mask) - mask;
}

// magnitude * 2^exponent rounded once to a 64-bit significand; the
// magnitude is not zero.
constexpr Extended rounded(u128 magnitude, std::int32_t exponent, bool negative) noexcept {
  const int normalise = detail::leading_zeros(magnitude);
  return detail::rounded_normalised(magnitude << normalise, exponent - normalise, negative);
}

constexpr Extended from_double(double finite) noexcept {
  const Binary64 parts(finite);
  const std::uint64_t significand = parts.significand();
  if (significand == 0) return {0, Extended::zero_exponent, parts.negative()};
  const int normalise = std::countl_zero(significand);
  return {significand << normalise, parts.unit_exponent() - normalise, parts.negative()};
}

constexpr Extended negated(Extended x) noexcept { return {x.significand, x.exponent, !x.negative}; }

// a + b, rounded once. Both aligned under the larger exponent with 62 bits
// below the significand and added in two's complement, so that no branch
// hangs on the signs, which in a velocity table are a coin toss. The sticky
// bit of the smaller sits at least 59 places below the rounding point, even
// after a cancellation normalises the sum by two places; where the smaller is
// shifted by less than two, nothing is shifted out. So it only ever breaks a
// tie that the exact sum does not have, and never makes one.
constexpr Extended sum(Extended a, Extended b) noexcept {
  const std::int32_t exponent = a.exponent > b.exponent ? a.exponent : b.exponent;
  const u128 aligned_a = detail::aligned(a.significand, static_cast<std::uint32_t>(exponent - a.exponent));
  const u128 aligned_b = detail::aligned(b.significand, static_cast<std::uint32_t>(exponent - b.exponent));
  // Each below 2^126, so the signed sum fits in 128 bits.
  const u128 total = with_sign(aligned_a, a.negative) + with_sign(aligned_b, b.negative);
  const bool negative = (total >> 127) != 0;
  const u128 magnitude = with_sign(total, negative);
  if (magnitude == 0) [[unlikely]] {
    // x - x is +0 under rounding to nearest; -0 comes only from -0 + -0.
    return {0, Extended::zero_exponent, a.negative && b.negative && (a.significand | b.significand) == 0};
  }
  return rounded(magnitude, exponent - 62, negative);
}

// Quotients by one positive divisor, the significand's reciprocal worked out
// once, so that a quotient costs two multiplications instead of a 128-bit
// division.
class ConstantDivisor {
 public:
  constexpr explicit ConstantDivisor(Extended divisor) noexcept
      : significand_(divisor.significand),
        exponent_(divisor.exponent),
        // floor((2^128 - 1) / significand) - 2^64, which is in [0, 2^64): the
        // significand is in [2^63, 2^64).
        reciprocal_(static_cast<std::uint64_t>(~u128{0} / divisor.significand)) {}

  constexpr Extended quotient(Extended dividend) const noexcept {
    if (dividend.significand == 0) return dividend;
    assert(dividend.significand >> 63 == 1);
    // The quotient's significand from dividend.significand * 2^shift, shift
    // chosen so that it has exactly 64 bits: the ratio of the significands
    // lies in (1/2, 2).
    const std::uint64_t d = dividend.significand;
    const bool one_bit_less = d >= significand_;
    // (2^64 + reciprocal_) / 2^128 is at most 2^-128 below 1 / significand_,
    // so d * (2^64 + reciprocal_) / 2^64 is at most d / 2^64 < 1 below
    // d * 2^64 / significand_, and the product's dropped fraction costs less
    // than 1 more: the estimate is at most 1 below the floor of that
    // quotient, and halving it keeps that. It is never above, so one
    // correction at most. Below 2^65; its top bit is set only where halved.
    const std::uint64_t estimate = d + static_cast<std::uint64_t>(static_cast<u128>(d) * reciprocal_ >> 64);
    const bool estimate_carry = estimate < d;
    std::uint64_t q = one_bit_less ? estimate >> 1 | std::uint64_t{estimate_carry} << 63 : estimate;
    // The remainder of d * 2^(64 - one_bit_less) by the significand: below
    // twice the significand, so its high word is 0 or 1.
    const u128 numerator = static_cast<u128>(one_bit_less ? d >> 1 : d) << 64 | (one_bit_less ? d << 63 : 0);
    const u128 remainder = numerator - static_cast<u128>(q) * significand_;
    const bool short_by_one = (remainder >> 64) != 0 || static_cast<std::uint64_t>(remainder) >= significand_;
    q += short_by_one;
    const std::uint64_t r = static_cast<std::uint64_t>(remainder) - (short_by_one ? significand_ : 0);
    // Which side of the half the remainder is on, as a dropped fraction:
    // over a half, a half, or less (where zero or not no longer matters).
    const std::uint64_t dropped = std::uint64_t{r >= significand_ - r} << 63 | (r > significand_ - r);
    const int shift = 64 - one_bit_less;
    return detail::rounded_normalised(static_cast<u128>(q) << 64 | dropped, dividend.exponent - exponent_ - shift - 64,
                                      dividend.negative);
  }

 private:
  std::uint64_t significand_;
  std::int32_t exponent_;
  std::uint64_t reciprocal_;
};

// Rounded once to double, as the x87 stores a register to memory.
constexpr double to_double(Extended x) noexcept { return nearest_double(x.significand, x.exponent, x.negative); }

}  // namespace eb_com::extended
