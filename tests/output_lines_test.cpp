#include "output_lines.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>

#include "glibc_answers.hpp"

namespace {

using eb_com::Observation;

std::string printf_lf(double value) {
  char text[eb_com::max_fixed_length + 1];
  return {text, static_cast<std::size_t>(std::snprintf(text, sizeof text, "%lf", value))};
}

TEST(OutputLines, RowsAndEchoLinesMatchPrintf) {
  SKIP_UNLESS_GLIBC();
  std::mt19937_64 random(6);
  const double specials[] = {0.0, -0.0, INFINITY, -INFINITY, NAN, -NAN, 1e300, -1e22, 4e-320, 0.0625, 2459123.45678};
  char text[eb_com::max_echo_line_length];
  char reference[eb_com::max_echo_line_length + 1];
  char* written = nullptr;
  std::size_t written_size = 0;
  std::FILE* stream = open_memstream(&written, &written_size);
  ASSERT_NE(stream, nullptr);
  eb_com::BufferedOutput transcript(stream);
  for (int i = 0; i < 100000; ++i) {
    const auto pick = [&] {
      return random() % 4 == 0 ? specials[random() % std::size(specials)] : std::bit_cast<double>(random());
    };
    const double abscissa_value = pick();
    const Observation observation{pick(), pick()};
    const double vcm = pick();
    // Fields no record spelled are formatted from their values.
    const eb_com::AbscissaText abscissa(abscissa_value);
    const std::string abscissa_text(abscissa.view());
    std::snprintf(reference, sizeof reference, "%7.6lf %4.3lf \n", abscissa_value, vcm);
    ASSERT_EQ(std::string(text, eb_com::format_output_row(text, abscissa, vcm)), reference);

    eb_com::write_echo_line(transcript, abscissa, observation, {});
    transcript.flush();
    std::snprintf(reference, sizeof reference, "%lf %lf %lf \n", abscissa_value, observation.velocity1,
                  observation.velocity2);
    ASSERT_EQ(std::string(written, written_size), reference);
    ASSERT_EQ(abscissa_text, printf_lf(abscissa_value));
    std::rewind(stream);
  }
  std::fclose(stream);
  std::free(written);
}

// Rows through the least output block: lines end at every place in a block
// and the stream sees each byte once, in order.
TEST(OutputLines, RowsCrossTheOutputBlocks) {
  SKIP_UNLESS_GLIBC();
  char* written = nullptr;
  std::size_t written_size = 0;
  std::FILE* stream = open_memstream(&written, &written_size);
  ASSERT_NE(stream, nullptr);
  std::string expected;
  {
    eb_com::BufferedOutput table(stream, eb_com::BufferedOutput::min_block_size);
    char reference[eb_com::max_output_row_length + 1];
    for (int i = 0; i < 5000; ++i) {
      const double abscissa = i * 1.25e-3, vcm = i % 7 == 0 ? 1e300 : -i * 0.5;
      eb_com::write_output_row(table, eb_com::AbscissaText(abscissa), vcm);
      expected.append(reference, static_cast<std::size_t>(
                                     std::snprintf(reference, sizeof reference, "%7.6lf %4.3lf \n", abscissa, vcm)));
    }
    table.flush();
    EXPECT_FALSE(table.failed());
  }
  std::fclose(stream);
  EXPECT_EQ(std::string(written, written_size), expected);
  std::free(written);
}

}  // namespace
