// The cost of one evaluation of the centre-of-mass formula, by the x87 and
// in integers, side by side on the same velocities: a table's, and pairs of
// the hard families. Each in a loop of independent evaluations, as a run
// makes them.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "centre_of_mass.hpp"
#include "formula_cases.hpp"

namespace {

std::vector<formula_cases::Pair> pairs(bool hard) {
  std::vector<formula_cases::Pair> result;
  formula_cases::Generator cases(5);
  std::uint64_t state = 5;
  for (int i = 0; i < 4096; ++i) {
    state = state * 6364136223846793005 + 1442695040888963407;
    const auto velocity = [&](int shift) {
      return static_cast<double>(static_cast<int>(state >> shift) % 150000) / 1000;
    };
    result.push_back(hard ? cases.next() : formula_cases::Pair{velocity(20), velocity(40)});
  }
  return result;
}

template <bool in_integers>
void centre_of_mass(benchmark::State& state) {
  const std::vector<formula_cases::Pair> velocities = pairs(state.range(0) != 0);
  for (auto _ : state) {
    for (const auto& [v1, v2] : velocities) {
      benchmark::DoNotOptimize(in_integers ? eb_com::tool_formula.in_integers(v1, v2) : eb_com::tool_formula(v1, v2));
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * velocities.size()));
}

BENCHMARK(centre_of_mass<false>)->Name("x87/table")->Arg(0);
BENCHMARK(centre_of_mass<true>)->Name("integers/table")->Arg(0);
BENCHMARK(centre_of_mass<false>)->Name("x87/hard")->Arg(1);
BENCHMARK(centre_of_mass<true>)->Name("integers/hard")->Arg(1);

}  // namespace

BENCHMARK_MAIN();
