#include "centre_of_mass.hpp"

#include <bit>
#include <cstdint>

namespace eb_com {

namespace {

using binary64::exponent_mask;
using binary64::quiet_bit;
using binary64::sign_bit;

// The x87's rules where a velocity is infinite or NaN, as the hardware
// shows them. A NaN is made quiet as it is loaded, and it comes through
// every step unchanged; of two, the one with the larger significand wins,
// the positive one where they are equal. Infinity minus infinity of the
// same sign is the default NaN, which is negative.
EB_COM_COLD double non_finite_result(double velocity1, double velocity2) noexcept {
  const auto bits1 = std::bit_cast<std::uint64_t>(velocity1);
  const auto bits2 = std::bit_cast<std::uint64_t>(velocity2);
  const bool nan1 = (bits1 & ~sign_bit) > exponent_mask;
  const bool nan2 = (bits2 & ~sign_bit) > exponent_mask;
  if (nan1 || nan2) {
    const std::uint64_t quiet1 = bits1 | quiet_bit;
    const std::uint64_t quiet2 = bits2 | quiet_bit;
    if (!nan2) return std::bit_cast<double>(quiet1);
    if (!nan1) return std::bit_cast<double>(quiet2);
    const std::uint64_t magnitude1 = quiet1 & ~sign_bit;
    const std::uint64_t magnitude2 = quiet2 & ~sign_bit;
    if (magnitude1 == magnitude2) return std::bit_cast<double>(quiet1 & quiet2);
    return std::bit_cast<double>(magnitude1 > magnitude2 ? quiet1 : quiet2);
  }
  // An infinite velocity2 makes the difference infinite with its own sign,
  // or the default NaN where velocity1 is the same infinity; velocity2 minus
  // either is the default NaN. An infinite velocity1 with a finite velocity2
  // makes the shift -velocity1, and velocity2 minus it velocity1.
  if (!Binary64(velocity2).is_finite()) return std::bit_cast<double>(sign_bit | exponent_mask | quiet_bit);
  return velocity1;
}

}  // namespace

// Two normal velocities whose exponents differ by at most max_exponent_gap,
// nearly every row of a real table, take a shorter way: their difference
// exactly in 64 bits, and velocity2 minus the shift exactly in 128, before
// the one rounding, with no sticky bits and no ordering of the operands,
// which is what the general sums spend most of their time on (CONTRIBUTING.md,
// Performance, for the gain).
//
// On the lower exponent each mantissa is below 2^(53 + 9) = 2^62, so their
// signed difference fits in 64 bits. The shift's significand is below 2^64;
// velocity2's mantissa m2 is below 2^53 and moved up by lift, the places its
// last bit lies above the shift's. Up to lift 74, |m2 * 2^lift| + 2^64 <=
// (2^53 - 1) * 2^74 + 2^64 < 2^127, so the signed total cannot overflow; from
// 75 on m2 * 2^lift alone reaches 2^127. The lift is at most 65 + log2 of the
// weight sum (the difference is at least half of velocity2's last bit unless
// it is zero), so for weight sums below 2^9 every such pair takes the short
// way; larger ones send their closest velocities the general way, as a
// negative lift (a shift above velocity2's last bit) does.
constexpr std::int32_t max_exponent_gap = 9;
constexpr std::uint32_t max_exact_lift = 74;

double CentreOfMassFormula::in_integers(double velocity1, double velocity2) const noexcept {
  using extended::Extended;
  using extended::with_sign;
  const Binary64 parts1(velocity1);
  const Binary64 parts2(velocity2);
  const std::int32_t biased1 = parts1.biased_exponent();
  const std::int32_t biased2 = parts2.biased_exponent();
  if (parts1.is_normal() && parts2.is_normal() &&
      static_cast<std::uint32_t>(biased1 - biased2 + max_exponent_gap) <= 2 * max_exponent_gap) [[likely]] {
    const std::int32_t low = biased1 < biased2 ? biased1 : biased2;
    const std::uint64_t mantissa1 = parts1.fraction() | binary64::hidden_bit;
    const std::uint64_t mantissa2 = parts2.fraction() | binary64::hidden_bit;
    const bool negative1 = parts1.negative();
    const bool negative2 = parts2.negative();
    const std::uint64_t difference =
        with_sign(mantissa2 << (biased2 - low), negative2) - with_sign(mantissa1 << (biased1 - low), negative1);
    if (difference == 0) return velocity2;  // velocity2 - (+0)
    const bool difference_negative = (difference >> 63) != 0;
    const std::uint64_t magnitude = with_sign(difference, difference_negative);
    const int normalise = std::countl_zero(magnitude);
    const Extended shift =
        weight_sum_.quotient({magnitude << normalise, low - binary64::unit_bias - normalise, difference_negative});
    const auto lift = static_cast<std::uint32_t>(biased2 - binary64::unit_bias - shift.exponent);
    if (lift <= max_exact_lift) [[likely]] {
      const u128 total = with_sign(static_cast<u128>(mantissa2) << lift, negative2) -
                         with_sign(static_cast<u128>(shift.significand), shift.negative);
      if (total == 0) return 0.0;  // x - x is +0
      const bool negative = (total >> 127) != 0;
      return extended::to_double(extended::rounded(with_sign(total, negative), shift.exponent, negative));
    }
  }
  return in_integers_generally(velocity1, velocity2);
}

double CentreOfMassFormula::in_integers_generally(double velocity1, double velocity2) const noexcept {
  if (!Binary64(velocity1).is_finite() || !Binary64(velocity2).is_finite()) [[unlikely]] {
    return non_finite_result(velocity1, velocity2);
  }
  const extended::Extended v2 = extended::from_double(velocity2);
  const extended::Extended difference = extended::sum(v2, extended::negated(extended::from_double(velocity1)));
  return extended::to_double(extended::sum(v2, extended::negated(weight_sum_.quotient(difference))));
}

}  // namespace eb_com
