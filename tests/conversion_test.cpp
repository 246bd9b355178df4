#include "conversion.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "generated_input.hpp"
#include "stdio_conversion.hpp"
#include "string_streams.hpp"

namespace {

// The record loop against the plain stdio conversion, through the least
// blocks in and out: every row, the one written a record late and the last
// among them, every echo line and the summary, NaN rows left out of its range.
void expect_as_stdio(const std::string& input) {
  support::StringOutput table, transcript;
  eb_com::ConversionSummary summary;
  {
    const support::StringInput in(input);
    eb_com::RecordReader reader(in.stream(), eb_com::min_read_block_size);
    eb_com::BufferedOutput table_output(table.stream(), eb_com::BufferedOutput::min_block_size);
    eb_com::BufferedOutput transcript_output(transcript.stream(), eb_com::BufferedOutput::min_block_size);
    summary = eb_com::convert_records(reader, table_output, transcript_output);
    table_output.flush();
    transcript_output.flush();
  }
  support::StringOutput reference_table, reference_transcript;
  const support::StringInput reference_input(input);
  const stdio_conversion::Summary reference =
      stdio_conversion::convert(reference_input.stream(), reference_table.stream(), reference_transcript.stream());
  ASSERT_EQ(table.text(), reference_table.text());
  ASSERT_EQ(transcript.text(), reference_transcript.text());
  EXPECT_EQ(summary.observation_count, reference.observation_count);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(summary.v_max), std::bit_cast<std::uint64_t>(reference.v_max));
  EXPECT_EQ(std::bit_cast<std::uint64_t>(summary.v_min), std::bit_cast<std::uint64_t>(reference.v_min));
  EXPECT_FALSE(summary.read_failed);
}

TEST(Conversion, EveryRowLineAndSummaryAsTheStdioConversion) {
  expect_as_stdio(test_support::generated_input(3, 200000));
  expect_as_stdio("");
  expect_as_stdio("JD v1 v2\n\n1 nan 3\n");  // no number in range: the starting values stay
  expect_as_stdio("1 inf 2\n2 3 4\n3 -1e300 1e300");
}

}  // namespace
