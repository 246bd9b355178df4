// Pairs of doubles, 16 bytes each: the integer evaluation of the formula
// must give the x87's bits for each, for the tool's ratio and another, or
// the run aborts.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "centre_of_mass.hpp"
#include "formula_ratios.hpp"
#include "x87_reference.hpp"

namespace {

void expect_x87_bits(const eb_com::CentreOfMassFormula& formula, double ratio, double v1, double v2) {
  const double got = formula.in_integers(v1, v2);
  const double expected = x87_reference::centre_of_mass_velocity(ratio, v1, v2);
  if (std::bit_cast<std::uint64_t>(got) == std::bit_cast<std::uint64_t>(expected)) return;
  std::fprintf(stderr, "ratio %g, velocities %a %a: integers %a, x87 %a\n", ratio, v1, v2, got, expected);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (; size >= 16; data += 16, size -= 16) {
    double v1, v2;
    std::memcpy(&v1, data, 8);
    std::memcpy(&v2, data + 8, 8);
    expect_x87_bits(eb_com::tool_formula, eb_com::mass_ratio, v1, v2);
    expect_x87_bits(formula_ratios::second_ratio_formula, formula_ratios::second_ratio, v1, v2);
  }
  return 0;
}
