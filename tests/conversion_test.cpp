#include "conversion.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "generated_records.hpp"
#include "glibc_answers.hpp"
#include "memory_conversion.hpp"

namespace {

// The record loop against the plain stdio conversion, through the least
// blocks in and out: every row, the one written a record late and the last
// among them, every echo line and the summary, NaN rows left out of its range.
void expect_as_stdio(const std::string& input) {
  const auto converted = support::convert_with_eb_com(input);
  const auto reference = support::convert_with_stdio(input);
  ASSERT_EQ(converted.table, reference.table);
  ASSERT_EQ(converted.transcript, reference.transcript);
  EXPECT_EQ(converted.summary.observation_count, reference.summary.observation_count);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(converted.summary.v_max),
            std::bit_cast<std::uint64_t>(reference.summary.v_max));
  EXPECT_EQ(std::bit_cast<std::uint64_t>(converted.summary.v_min),
            std::bit_cast<std::uint64_t>(reference.summary.v_min));
  EXPECT_EQ(converted.summary.read_error, 0);
}

TEST(Conversion, EveryRowLineAndSummaryAsTheStdioConversion) {
  SKIP_UNLESS_GLIBC();
  expect_as_stdio(test_support::generated_input(3, 200000));
  expect_as_stdio("");
  expect_as_stdio("JD v1 v2\n\n1 nan 3\n");  // no number in range: the starting values stay
  expect_as_stdio("1 inf 2\n2 3 4\n3 -1e300 1e300");
}

}  // namespace
