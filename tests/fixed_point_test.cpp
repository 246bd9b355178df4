#include "numbers/fixed_point.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <random>
#include <string>
#include <utility>

#include "glibc_answers.hpp"

namespace {

template <int... precisions>
char* format_at(char* out, double value, int precision, std::integer_sequence<int, precisions...>) {
  char* end = nullptr;
  ((precision == precisions ? (end = eb_com::format_fixed<precisions>(out, value)) : nullptr), ...);
  return end;
}

// "%*.*f" of value, for a precision chosen at run time.
std::string formatted(double value, int precision, int width) {
  char text[eb_com::max_fixed_length + 16];
  char* end = format_at(text, value, precision, std::make_integer_sequence<int, eb_com::max_fixed_precision + 1>{});
  return {text, eb_com::right_align(text, end, static_cast<std::size_t>(width))};
}

std::string printed(double value, int precision, int width) {
  char text[eb_com::max_fixed_length + 16];
  const int length = std::snprintf(text, sizeof text, "%*.*f", width, precision, value);
  return {text, static_cast<std::size_t>(length)};
}

// The widths and precisions the tool prints with, "%7.6lf", "%4.3lf", "%lf".
void expect_as_printf(double value) {
  for (const auto& [precision, width] : {std::pair{6, 7}, std::pair{3, 4}, std::pair{6, 0}}) {
    ASSERT_EQ(formatted(value, precision, width), printed(value, precision, width))
        << "value " << std::hexfloat << value << " precision " << precision << " width " << width;
  }
}

TEST(FixedPoint, SpecialValuesAndBoundariesMatchPrintf) {
  SKIP_UNLESS_GLIBC();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double values[] = {0.0,
                           -0.0,
                           INFINITY,
                           -INFINITY,
                           nan,
                           -nan,
                           DBL_MAX,
                           -DBL_MAX,
                           DBL_MIN,
                           -DBL_MIN,
                           std::numeric_limits<double>::denorm_min(),
                           4e-320,
                           1e22,
                           1e300,
                           -1e300,
                           0x1p44,
                           std::nextafter(0x1p44, 0.0),
                           -0x1p44,
                           0x1p64,
                           1e-7,
                           -1e-7,
                           5e-7,
                           0.0005,
                           -0.0005,
                           0.0015,
                           0.0625,
                           -0.0625,
                           0.1875,
                           0.5,
                           1.5,
                           2.5,
                           0.0078125,
                           0.0000005,
                           999999.9999995,
                           9.9995,
                           99.9995,
                           2459123.45678,
                           -12.3,
                           0x1.fffffffffffffp-1,
                           17592186044415.9995};
  for (const double value : values) expect_as_printf(value);
  for (int precision = 0; precision <= eb_com::max_fixed_precision; ++precision) {
    for (const double value : {0.5, 1.5, 2.5, 0.125, 0.375, -0.0625, 1e-300, 123.456789, 7e15}) {
      EXPECT_EQ(formatted(value, precision, 0), printed(value, precision, 0));
    }
  }
}

TEST(FixedPoint, InfinitiesAndNansAreRightAligned) {
  EXPECT_EQ(formatted(INFINITY, 6, 7), "    inf");
  EXPECT_EQ(formatted(-std::numeric_limits<double>::quiet_NaN(), 3, 4), "-nan");
  EXPECT_EQ(formatted(std::numeric_limits<double>::quiet_NaN(), 3, 4), " nan");
}

// What every build is held to, and on glibc the record itself re-checked.
TEST(FixedPoint, TheRecordedGlibcAnswers) {
  std::ifstream file(glibc_answers::printf_fixed_file);
  ASSERT_TRUE(file) << glibc_answers::printf_fixed_file;
  std::string bits, six, three;
  int values = 0;
  while (file >> bits >> six >> three) {
    const double value = std::bit_cast<double>(std::stoull(bits, nullptr, 16));
    ASSERT_EQ(formatted(value, 6, 0), six) << bits;
    ASSERT_EQ(formatted(value, 3, 0), three) << bits;
    if (eb_com::c_library_is_glibc) {
      ASSERT_EQ(printed(value, 6, 0), six) << bits;
    }
    ++values;
  }
  EXPECT_GT(values, 800);
}

TEST(FixedPoint, RandomBitPatternsMatchPrintf) {
  SKIP_UNLESS_GLIBC();
  std::mt19937_64 random(1);
  for (int i = 0; i < 300000; ++i) expect_as_printf(std::bit_cast<double>(random()));
}

TEST(FixedPoint, ObservationLikeValuesAndExactTiesMatchPrintf) {
  SKIP_UNLESS_GLIBC();
  std::mt19937_64 random(2);
  std::uniform_int_distribution<std::int64_t> digits(-999999999999, 999999999999);
  std::uniform_int_distribution<int> scale(0, 12);
  for (int i = 0; i < 300000; ++i) {
    // Decimal-looking values of every scale, such as velocities and dates.
    expect_as_printf(static_cast<double>(digits(random)) / std::pow(10.0, scale(random)));
    // n / 2^k is exactly halfway between two printed values for many n.
    expect_as_printf(std::ldexp(static_cast<double>(digits(random) % 100000000), -scale(random) - 1));
  }
}

}  // namespace

namespace {

// The bit tricks over their whole domains. eight_digits takes every value
// below 10^8, each of its lanes so every value its multiply-shift divisions
// see (below 10^4 for 10486 >> 20, below 100 for 103 >> 10), against the
// digits of a counter; digit_count's guess over every bit length, and the
// count at both ends of each bit length and beside each power of ten.
TEST(FixedPoint, DigitTricksHoldOverTheirWholeDomains) {
  namespace detail = eb_com::fixed_point_detail;
  char counter[8];
  std::memset(counter, '0', sizeof counter);
  for (std::uint32_t n = 0; n < 100000000; ++n) {
    std::uint64_t expected;
    std::memcpy(&expected, counter, 8);
    if constexpr (std::endian::native == std::endian::big) expected = eb_com::byte_swapped(expected);
    if (detail::eight_digits(n) != expected) FAIL() << n;
    for (int i = 7; i >= 0 && ++counter[i] > '9'; --i) counter[i] = '0';
  }
  for (int bits = 1; bits <= 64; ++bits) {
    int floor_log10 = 0;  // of 2^bits
    while (floor_log10 + 1 < 20 && eb_com::powers_of_ten[floor_log10 + 1] <= (eb_com::u128{1} << bits)) ++floor_log10;
    EXPECT_EQ(bits * 1233 >> 12, floor_log10) << bits;
  }
  const auto digits = [](std::uint64_t n) { return static_cast<int>(std::to_string(n).size()); };
  for (int bits = 1; bits <= 64; ++bits) {
    const std::uint64_t low = std::uint64_t{1} << (bits - 1), high = low + (low - 1);
    EXPECT_EQ(detail::digit_count(low), digits(low));
    EXPECT_EQ(detail::digit_count(high), digits(high));
  }
  for (const std::uint64_t power : eb_com::powers_of_ten) {
    for (const std::uint64_t n : {power - 1, power, power + 1}) EXPECT_EQ(detail::digit_count(n), digits(n)) << n;
  }
}

}  // namespace
