#include "centre_of_mass.hpp"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace {

TEST(Formula, CentreOfMassVelocity) {
  const auto vcm = [](double v1, double v2) { return eb_com::centre_of_mass_velocity({0, v1, v2}); };
  EXPECT_NEAR(vcm(0, 1.91), 0.91, 0.91 * DBL_EPSILON);
  EXPECT_NEAR(vcm(-50, 40), 40 - 90 / 1.91, 1e-12);
  EXPECT_NEAR(vcm(20, 40), 40 - 20 / 1.91, 1e-12);
  // The weighted mean gives equal velocities back exactly, whatever their size.
  for (const double v : {0.0, -12.3, 1e-300, 123456.789, 1e300, DBL_MAX, -DBL_MAX}) EXPECT_EQ(vcm(v, v), v);
  // Double arithmetic would overflow in the difference; extended precision does not.
  const double opposite = vcm(1e308, -1e308);
  EXPECT_TRUE(std::isfinite(opposite));
  EXPECT_NEAR(opposite, 1e308 * (1 - 0.91) / 1.91, 1e294);
  EXPECT_TRUE(std::isnan(vcm(NAN, 1)));
  EXPECT_TRUE(std::isnan(vcm(INFINITY, INFINITY)));
}

// Each value worked out by hand in exact rationals, every step rounded to a
// 64-bit significand and the last to double: any other order of operations
// or precision changes at least one bit.
TEST(Formula, PinnedToTheBit) {
  struct Case {
    double velocity1, velocity2, vcm;
  };
  const Case cases[] = {{0, 1.91, 0x1.d1eb851eb851fp-1},
                        {-50, 40, -0x1.c7b4f141ace68p+2},
                        {20, 40, 0x1.d875f298cbba5p+4},
                        {1e308, -1e308, 0x1.ad736e76b91b0p+1018},
                        {55.124, -86.411, -0x1.89e28e54a4bdap+3}};
  for (const Case& c : cases) {
    EXPECT_EQ(eb_com::centre_of_mass_velocity({1, c.velocity1, c.velocity2}), c.vcm)
        << c.velocity1 << ' ' << c.velocity2;
  }
}
}  // namespace
