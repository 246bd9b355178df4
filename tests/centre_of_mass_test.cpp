#include "centre_of_mass.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

#include "formula_cases.hpp"
#include "formula_ratios.hpp"
#include "numbers/binary64.hpp"
#include "splitmix64.hpp"
#include "x87_reference.hpp"

namespace {

std::uint64_t bits(double x) { return std::bit_cast<std::uint64_t>(x); }

bool is_signalling_nan(double x) { return std::isnan(x) && (bits(x) & eb_com::binary64::quiet_bit) == 0; }

constexpr eb_com::CentreOfMassFormula default_ratio_formula{formula_ratios::default_ratio};

TEST(CentreOfMass, CentreOfMassVelocity) {
  const auto vcm = [](double v1, double v2) { return default_ratio_formula(v1, v2); };
  // The weighted mean gives equal velocities back exactly, whatever their size.
  for (const double v : {0.0, -12.3, 1e-300, 123456.789, 1e300, DBL_MAX, -DBL_MAX}) EXPECT_EQ(vcm(v, v), v);
  EXPECT_TRUE(std::isnan(vcm(NAN, 1)));
  EXPECT_TRUE(std::isnan(vcm(INFINITY, INFINITY)));
  // The tool's own formula is the one for the ratio it was built with.
  const double q = eb_com::mass_ratio;
  EXPECT_NEAR(eb_com::centre_of_mass_velocity(0, 1 + q), q, 4 * q * DBL_EPSILON);
}

// Each value worked out by hand in exact rationals, every step rounded to a
// 64-bit significand and the last to double: any other order of operations
// or precision changes at least one bit. Double arithmetic would overflow in
// the difference of 1e308 and -1e308; extended precision does not.
TEST(CentreOfMass, PinnedToTheBit) {
  struct Case {
    double velocity1, velocity2, vcm;
  };
  const Case cases[] = {{0, 1.91, 0x1.d1eb851eb851fp-1},
                        {-50, 40, -0x1.c7b4f141ace68p+2},
                        {20, 40, 0x1.d875f298cbba5p+4},
                        {1e308, -1e308, 0x1.ad736e76b91b0p+1018},
                        {55.124, -86.411, -0x1.89e28e54a4bdap+3}};
  for (const Case& c : cases) {
    EXPECT_EQ(default_ratio_formula(c.velocity1, c.velocity2), c.vcm) << c.velocity1 << ' ' << c.velocity2;
    EXPECT_EQ(default_ratio_formula.in_integers(c.velocity1, c.velocity2), c.vcm) << c.velocity1 << ' ' << c.velocity2;
  }
}

// Results the x87 gave, recorded with their bits by eb-com-pin-x87-results:
// on a machine without one they are the only reference there is. On x86-64
// the hardware must still give each of them, so the file cannot go stale.
TEST(CentreOfMass, GivesTheRecordedX87Results) {
  std::ifstream file(EB_COM_X87_RESULTS);
  ASSERT_TRUE(file) << EB_COM_X87_RESULTS;
  int checked = 0;
  for (std::string line; std::getline(file, line);) {
    if (line.empty() || line[0] == '#') continue;
    double ratio = 0;
    std::uint64_t v1 = 0, v2 = 0, expected = 0;
    ASSERT_EQ(std::sscanf(line.c_str(), "%lf %" SCNx64 " %" SCNx64 " %" SCNx64, &ratio, &v1, &v2, &expected), 4)
        << line;
    const eb_com::CentreOfMassFormula formula(ratio);
    const double velocity1 = std::bit_cast<double>(v1), velocity2 = std::bit_cast<double>(v2);
    EXPECT_EQ(bits(formula.in_integers(velocity1, velocity2)), expected) << line;
    // A signalling NaN never reaches the tool's formula: strtod makes every
    // NaN it reads quiet. The x87's answer for one depends on whether the
    // compiler loads it (which makes it quiet, as the integers do) or
    // subtracts it from memory.
    if (!is_signalling_nan(velocity1) && !is_signalling_nan(velocity2)) {
      EXPECT_EQ(bits(formula(velocity1, velocity2)), expected) << line;
      if (ratio == eb_com::mass_ratio) {
        EXPECT_EQ(bits(eb_com::tool_formula(velocity1, velocity2)), expected) << line;
      }
    }
#if EB_COM_LONG_DOUBLE_IS_X87
    EXPECT_EQ(bits(x87_reference::centre_of_mass_velocity(ratio, velocity1, velocity2)), expected) << line;
#endif
    ++checked;
  }
  EXPECT_GE(checked, 2000);
}

// The short way for close velocities against the general sums, on every
// machine, where its bound is reached: velocities one or a few ulps apart,
// and a power of two against its predecessor, whose difference is half an
// ulp. Weight sums of 1001, 1501 and 3001 lift velocity2's last bit 74, 75
// and 76 places above the shift's for the half ulp, and one less for a
// whole one: a bound one too high sends a pair whose total overflows the
// short way.
TEST(CentreOfMass, TheShortWayGivesTheGeneralSumsBitsUpToItsBound) {
  test_support::SplitMix64 random(74);
  for (const double ratio : {eb_com::mass_ratio, formula_ratios::second_ratio, 1000.0, 1500.0, 3000.0}) {
    const eb_com::CentreOfMassFormula formula(ratio);
    for (int i = 0; i < 20000; ++i) {
      const std::uint64_t exponent = 1 + random() % (eb_com::binary64::max_biased_exponent - 2);
      const std::uint64_t sign = random() % 2 * eb_com::binary64::sign_bit;
      const std::uint64_t v2 = sign | exponent << eb_com::binary64::fraction_bits |
                               (i % 2 == 0 ? 0 : random() & eb_com::binary64::fraction_mask);
      for (const std::uint64_t v1 : {v2 - 1, v2 + 1, v2 - 2, v2 + 3, v2 ^ eb_com::binary64::sign_bit}) {
        const double velocity1 = std::bit_cast<double>(v1), velocity2 = std::bit_cast<double>(v2);
        ASSERT_EQ(bits(formula.in_integers(velocity1, velocity2)),
                  bits(formula.in_integers_generally(velocity1, velocity2)))
            << "ratio " << ratio << ", velocities " << std::hexfloat << velocity1 << ' ' << velocity2;
      }
    }
  }
}

#if EB_COM_LONG_DOUBLE_IS_X87
// The integer evaluation against the x87 itself over every family of hard
// cases, for the tool's ratio and others (a huge one makes the shift of
// close velocities small enough to try the bounds of the short way); the
// long suite runs ten million.
TEST(CentreOfMass, InIntegersGivesTheX87Bits) {
  constexpr eb_com::CentreOfMassFormula huge_ratio_formula{1000};
  formula_cases::Generator cases(1);
  for (int i = 0; i < 200000; ++i) {
    const auto [v1, v2] = cases.next();
    for (const auto& [ratio, formula] : {std::pair{eb_com::mass_ratio, &eb_com::tool_formula},
                                         std::pair{formula_ratios::second_ratio, &formula_ratios::second_ratio_formula},
                                         std::pair{1000.0, &huge_ratio_formula}}) {
      ASSERT_EQ(bits(formula->in_integers(v1, v2)), bits(x87_reference::centre_of_mass_velocity(ratio, v1, v2)))
          << ratio << ' ' << std::hexfloat << v1 << ' ' << v2;
    }
  }
}
#endif

}  // namespace
