#include "numbers/extended_arithmetic.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>

namespace {

#if EB_COM_LONG_DOUBLE_IS_X87
using eb_com::extended::Extended;

// Exactly the same value on the x87: its exponent range holds every one.
long double on_x87(Extended x) {
  const long double magnitude = std::ldexp(static_cast<long double>(x.significand), x.exponent);
  return x.negative ? -magnitude : magnitude;
}

bool same(long double a, long double b) { return a == b && std::signbit(a) == std::signbit(b); }

// Each operation against the x87's own, on operands far apart and close,
// so that sums shift bits out past the sticky bit and cancel.
TEST(ExtendedArithmetic, EachOperationAsTheX87RoundsIt) {
  std::mt19937_64 random(11);
  const auto operand = [&](std::int32_t near) {
    if (random() % 16 == 0) return Extended{0, Extended::zero_exponent, random() % 2 == 1};
    // Some with a lone low bit, which only the sticky bit keeps once
    // shifted out below a tie.
    const std::uint64_t significand = random() % 4 == 0 ? random() % 4 : random();
    return Extended{significand | std::uint64_t{1} << 63, near - static_cast<std::int32_t>(random() % 140),
                    random() % 2 == 1};
  };
  for (int i = 0; i < 200000; ++i) {
    const auto exponent = static_cast<std::int32_t>(random() % 2200) - 1100;
    const Extended a = operand(exponent), b = operand(exponent);
    ASSERT_TRUE(same(on_x87(eb_com::extended::sum(a, b)), on_x87(a) + on_x87(b))) << i;
    // A divisor in [1, 2), as weight sums below 2 are.
    const Extended divisor{b.significand | std::uint64_t{1} << 63, -63, false};
    ASSERT_TRUE(same(on_x87(eb_com::extended::ConstantDivisor(divisor).quotient(a)), on_x87(a) / on_x87(divisor))) << i;
    ASSERT_TRUE(same(static_cast<double>(on_x87(a)), eb_com::extended::to_double(a))) << i;
  }
}
#endif

}  // namespace
