// Unsigned integers of up to 4096 bits, for the two exact conversions that
// 64 bits cannot hold: a long or far decimal to the nearest double, and a
// huge double to all its decimal digits. Both are rare, so the arithmetic is
// the plain schoolbook kind, one 32-bit limb at a time.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstddef>
#include <cstdint>

#include "numbers/powers_of_ten.hpp"

namespace eb_com {

class BigInteger {
 public:
  static constexpr std::size_t max_limbs = 128;  // 4096 bits
  static constexpr std::size_t max_bits = 32 * max_limbs;

  constexpr BigInteger() = default;
  constexpr explicit BigInteger(std::uint64_t value) {
    limbs_[0] = static_cast<std::uint32_t>(value);
    limbs_[1] = static_cast<std::uint32_t>(value >> 32);
    size_ = limbs_[1] != 0 ? 2 : limbs_[0] != 0 ? 1 : 0;
  }

  bool is_zero() const noexcept { return size_ == 0; }

  std::size_t bit_length() const noexcept {
    if (size_ == 0) return 0;
    return 32 * size_ - static_cast<std::size_t>(std::countl_zero(limbs_[size_ - 1]));
  }

  // this = this * factor + addend.
  void multiply_add(std::uint32_t factor, std::uint32_t addend = 0) noexcept {
    std::uint64_t carry = addend;
    for (std::size_t i = 0; i < size_; ++i) {
      const std::uint64_t product = std::uint64_t{limbs_[i]} * factor + carry;
      limbs_[i] = static_cast<std::uint32_t>(product);
      carry = product >> 32;
    }
    push(carry);
  }

  void multiply_by_power_of_ten(unsigned exponent) noexcept {
    for (; exponent >= 9; exponent -= 9) multiply_add(1000000000);
    if (exponent != 0) multiply_add(static_cast<std::uint32_t>(powers_of_ten[exponent]));
  }

  // this = this / divisor; returns the remainder.
  std::uint32_t divide(std::uint32_t divisor) noexcept {
    std::uint64_t remainder = 0;
    for (std::size_t i = size_; i-- > 0;) {
      const std::uint64_t part = remainder << 32 | limbs_[i];
      limbs_[i] = static_cast<std::uint32_t>(part / divisor);
      remainder = part % divisor;
    }
    trim();
    return static_cast<std::uint32_t>(remainder);
  }

  void shift_left(std::size_t bits) noexcept {
    if (size_ == 0) return;
    assert(bit_length() + bits <= max_bits);
    const std::size_t limbs = bits / 32;
    const unsigned rest = bits % 32;
    std::uint32_t carry_out = rest == 0 ? 0 : limbs_[size_ - 1] >> (32 - rest);
    for (std::size_t i = size_; i-- > 0;) {
      const std::uint32_t lower = (rest == 0 || i == 0) ? 0 : limbs_[i - 1] >> (32 - rest);
      limbs_[i + limbs] = limbs_[i] << rest | lower;
    }
    std::fill_n(limbs_.begin(), limbs, 0u);
    size_ += limbs;
    push(carry_out);
  }

  void shift_right_one() noexcept {
    for (std::size_t i = 0; i < size_; ++i) {
      const std::uint32_t upper = i + 1 < size_ ? limbs_[i + 1] << 31 : 0;
      limbs_[i] = limbs_[i] >> 1 | upper;
    }
    trim();
  }

  // this -= other; other must not be larger.
  void subtract(const BigInteger& other) noexcept {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < size_; ++i) {
      const std::int64_t difference = std::int64_t{limbs_[i]} - (i < other.size_ ? other.limbs_[i] : 0) - borrow;
      limbs_[i] = static_cast<std::uint32_t>(difference);
      borrow = difference < 0;
    }
    trim();
  }

  friend int compare(const BigInteger& a, const BigInteger& b) noexcept {
    if (a.size_ != b.size_) return a.size_ < b.size_ ? -1 : 1;
    for (std::size_t i = a.size_; i-- > 0;) {
      if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
    }
    return 0;
  }

 private:
  void push(std::uint64_t carry) noexcept {
    if (carry == 0) return;
    assert(size_ < max_limbs);
    limbs_[size_++] = static_cast<std::uint32_t>(carry);
  }
  void trim() noexcept {
    while (size_ != 0 && limbs_[size_ - 1] == 0) --size_;
  }

  std::array<std::uint32_t, max_limbs> limbs_{};
  std::size_t size_ = 0;
};

}  // namespace eb_com
