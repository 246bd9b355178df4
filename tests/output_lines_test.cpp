#include "output_lines.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "glibc_answers.hpp"
#include "string_streams.hpp"
#include "tool_texts.hpp"

namespace {

// Rows and echo lines of fields no record spelled, formatted from values of
// any bits and the special ones, through the least output block, so that
// lines end at every place in a block: each as printf writes it with the
// tool's formats, every byte once and in order. The formatter's own
// exactness is FixedPoint's to show; here the lines are put together.
TEST(OutputLines, RowsAndEchoLinesAsPrintfWritesThemThroughTheLeastBlock) {
  SKIP_UNLESS_GLIBC();
  std::mt19937_64 random(6);
  const double specials[] = {0.0, -0.0, INFINITY, -INFINITY, NAN, -NAN, 1e300, -1e22, 4e-320, 0.0625, 2459123.45678};
  const auto pick = [&] {
    return random() % 4 == 0 ? specials[random() % std::size(specials)] : std::bit_cast<double>(random());
  };
  support::StringOutput table_stream, transcript_stream;
  std::string expected_table, expected_transcript;
  {
    eb_com::BufferedOutput table(table_stream.stream(), eb_com::BufferedOutput::min_block_size);
    eb_com::BufferedOutput transcript(transcript_stream.stream(), eb_com::BufferedOutput::min_block_size);
    char reference[eb_com::max_echo_line_length + 1];
    const auto printed = [&](int length) { return std::string(reference, static_cast<std::size_t>(length)); };
    for (int i = 0; i < 100000; ++i) {
      const double abscissa = pick(), velocity1 = pick(), velocity2 = pick(), vcm = pick();
      eb_com::Observation observation;
      observation.abscissa.set_value(abscissa);
      observation.velocity1.set_value(velocity1);
      observation.velocity2.set_value(velocity2);
      eb_com::write_output_row(table, observation.abscissa, vcm);
      eb_com::write_echo_line(transcript, observation);
      expected_table += printed(std::snprintf(reference, sizeof reference, eb_com::row_format, abscissa, vcm));
      expected_transcript +=
          printed(std::snprintf(reference, sizeof reference, eb_com::echo_line_format, abscissa, velocity1, velocity2));
    }
    table.flush();
    transcript.flush();
    EXPECT_FALSE(table.failed() || transcript.failed());
  }
  EXPECT_EQ(table_stream.text(), expected_table);
  EXPECT_EQ(transcript_stream.text(), expected_transcript);
}

}  // namespace
