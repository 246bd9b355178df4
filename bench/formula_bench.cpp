// The cost of one evaluation of the centre-of-mass formula, by the x87 and
// in integers, side by side on the same velocities: a table's, and pairs of
// the hard families. Each in a loop of independent evaluations, as a run
// makes them.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "centre_of_mass.hpp"
#include "formula_cases.hpp"
#include "generated_records.hpp"

namespace {

std::vector<formula_cases::Pair> pairs(bool hard) {
  std::vector<formula_cases::Pair> result;
  formula_cases::Generator cases(5);
  test_support::TableGenerator table(5);
  for (int i = 0; i < 4096; ++i) {
    result.push_back(hard ? cases.next() : formula_cases::Pair{table.velocity(), table.velocity()});
  }
  return result;
}

enum class Way { tool, integers, integers_generally };

template <Way way>
void centre_of_mass(benchmark::State& state) {
  const std::vector<formula_cases::Pair> velocities = pairs(state.range(0) != 0);
  const eb_com::CentreOfMassFormula& formula = eb_com::tool_formula;
  for (auto _ : state) {
    for (const auto& [v1, v2] : velocities) {
      if constexpr (way == Way::tool) benchmark::DoNotOptimize(formula(v1, v2));
      if constexpr (way == Way::integers) benchmark::DoNotOptimize(formula.in_integers(v1, v2));
      if constexpr (way == Way::integers_generally) benchmark::DoNotOptimize(formula.in_integers_generally(v1, v2));
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * velocities.size()));
}

// The tool's own way (the x87 on x86-64), the integers with their short way
// for close velocities, and the integers' general sums alone.
BENCHMARK(centre_of_mass<Way::tool>)->Name("tool/table")->Arg(0);
BENCHMARK(centre_of_mass<Way::integers>)->Name("integers/table")->Arg(0);
BENCHMARK(centre_of_mass<Way::integers_generally>)->Name("integers-generally/table")->Arg(0);
BENCHMARK(centre_of_mass<Way::tool>)->Name("tool/hard")->Arg(1);
BENCHMARK(centre_of_mass<Way::integers>)->Name("integers/hard")->Arg(1);
BENCHMARK(centre_of_mass<Way::integers_generally>)->Name("integers-generally/hard")->Arg(1);

}  // namespace

BENCHMARK_MAIN();
