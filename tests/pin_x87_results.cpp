// Writes the x87's results for pairs of every hard family, with their bits,
// for the formula test to hold every machine to:
//   eb-com-pin-x87-results > tests/data/x87_centre_of_mass.txt
#include <bit>
#include <cinttypes>
#include <cstdio>
#include <initializer_list>

#include "formula_cases.hpp"
#include "formula_ratios.hpp"
#include "x87_reference.hpp"

int main() {
  std::printf("# ratio, velocity1, velocity2 and the x87's centre-of-mass velocity, as the bits of doubles\n");
  // The default ratio and another, whatever ratio this build is for.
  using formula_ratios::default_ratio;
  for (const double ratio : {default_ratio, formula_ratios::second_ratio}) {
    formula_cases::Generator cases(ratio == default_ratio ? 2 : 3);
    for (int i = 0; i < (ratio == default_ratio ? 2100 : 700); ++i) {
      const auto [v1, v2] = cases.next();
      std::printf("%.17g %016" PRIx64 " %016" PRIx64 " %016" PRIx64 "\n", ratio, std::bit_cast<std::uint64_t>(v1),
                  std::bit_cast<std::uint64_t>(v2),
                  std::bit_cast<std::uint64_t>(x87_reference::centre_of_mass_velocity(ratio, v1, v2)));
    }
  }
}
