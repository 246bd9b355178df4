#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <bit>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "centre_of_mass.hpp"
#include "formula_cases.hpp"
#include "formula_ratios.hpp"
#include "tool_runner.hpp"
#include "x87_reference.hpp"

namespace {

// Ten million records streamed through a FIFO: the tool must keep up with a
// producer it cannot seek in and stay in a few MiB of memory throughout.
TEST(ToolLongRun, TenMillionRecordsThroughAFifoInConstantMemory) {
  constexpr long records = 10'000'000;
  test_support::ScratchDirectory scratch;
  const auto input = scratch.file(test_support::input_name);
  ASSERT_EQ(mkfifo(input.c_str(), 0600), 0);
  std::thread writer([&] {
    std::FILE* fifo = std::fopen(input.c_str(), "w");
    for (long i = 0; i < records; ++i) {
      std::fprintf(fifo, "%.5f %.3f %.3f\n", 2460000 + i * 1e-5, (i % 200000) / 1e3 - 100, 50 - (i % 70001) / 1e3);
    }
    std::fclose(fifo);
  });
  const test_support::RunResult run = scratch.run();
  writer.join();
  EXPECT_EQ(run.status, 0);
  EXPECT_LT(run.peak_memory_kib, 8 * 1024);
  EXPECT_NE(run.transcript.find("liczba obserwacji = 10000000\n"), std::string::npos);
  std::FILE* table = std::fopen(scratch.file(test_support::table_name).c_str(), "r");
  ASSERT_NE(table, nullptr);
  long rows = 0;
  for (int c; (c = std::getc(table)) != EOF;) rows += c == '\n';
  std::fclose(table);
  EXPECT_EQ(rows, records);
}

#if EB_COM_LONG_DOUBLE_IS_X87
TEST(CentreOfMassLongRun, TenMillionPairsOfTheHardFamiliesGiveTheX87Bits) {
  formula_cases::Generator cases(20261209);
  long mismatches = 0;
  for (long i = 0; i < 10'000'000; ++i) {
    const auto [v1, v2] = cases.next();
    const double ratio = i % 2 == 0 ? eb_com::mass_ratio : formula_ratios::second_ratio;
    const auto& formula = i % 2 == 0 ? eb_com::tool_formula : formula_ratios::second_ratio_formula;
    mismatches += std::bit_cast<std::uint64_t>(formula.in_integers(v1, v2)) !=
                  std::bit_cast<std::uint64_t>(x87_reference::centre_of_mass_velocity(ratio, v1, v2));
  }
  EXPECT_EQ(mismatches, 0);
}
#endif

}  // namespace
