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

#include "record_reader.hpp"

namespace {

using eb_com::Observation;

std::string lf_of(double value, const std::string& spelling = {}) {
  char text[eb_com::max_fixed_length + 8];
  const std::string padded = spelling + std::string(eb_com::record_padding, '5');
  return {text, eb_com::format_lf(text, value, std::string_view(padded.data(), spelling.size()))};
}

std::string printf_lf(double value) {
  char text[eb_com::max_fixed_length + 1];
  return {text, static_cast<std::size_t>(std::snprintf(text, sizeof text, "%lf", value))};
}

// A field's "%lf" text is taken from its spelling where that is provably what
// printf prints: each spelling here, read by strtod, must print as format_lf
// writes it.
TEST(Rows, SpelledFieldsPrintAsPrintfPrintsTheirValues) {
  const char* const spellings[] = {"0", "-0", "+0", "-0.0", "000", "-000.000", ".5", "-.5", "5.", "+5.", "007.25",
                                   "123456789", "-123456789.999999", "999999999.9999995", "1234567890", "0.0000005",
                                   "0.000001", "-0.0000001", "1e5", "1.5E-3", "2455000.12345", "4503599627370497.5",
                                   "0000000000000000000001.5", "0.1234567", "999999.9999995", ".", "-", "", "+"};
  for (const char* spelling : spellings) {
    const double value = std::strtod(spelling, nullptr);
    EXPECT_EQ(lf_of(value, spelling), printf_lf(value)) << '"' << spelling << '"';
  }
  std::mt19937_64 random(7);
  char text[64];
  for (int i = 0; i < 1000000; ++i) {
    const int integer_digits = static_cast<int>(random() % 12);
    const int decimals = static_cast<int>(random() % 9);
    std::string spelling = random() % 3 == 0 ? "-" : (random() % 8 == 0 ? "+" : "");
    if (random() % 8 == 0) spelling += "00";
    for (int d = 0; d < integer_digits; ++d) spelling += static_cast<char>('0' + random() % 10);
    if (decimals != 0 || random() % 4 == 0) spelling += '.';
    for (int d = 0; d < decimals; ++d) spelling += static_cast<char>('0' + random() % 10);
    if (random() % 16 == 0) {
      std::snprintf(text, sizeof text, "e%d", static_cast<int>(random() % 20) - 10);
      spelling += text;
    }
    const double value = std::strtod(spelling.c_str(), nullptr);
    if (integer_digits + decimals == 0) continue;  // not a number strtod reads
    ASSERT_EQ(lf_of(value, spelling), printf_lf(value)) << '"' << spelling << '"';
  }
}

TEST(Rows, RowsAndEchoLinesMatchPrintf) {
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
    const Observation observation{pick(), pick(), pick()};
    const double vcm = pick();
    std::snprintf(reference, sizeof reference, "%7.6lf %4.3lf \n", observation.abscissa, vcm);
    ASSERT_EQ(std::string(text, eb_com::format_output_row(text, printf_lf(observation.abscissa), vcm)), reference);

    // Fields no record spelled are formatted from their values.
    const std::string abscissa_text(eb_com::write_echo_line(transcript, observation, {}));
    transcript.flush();
    std::snprintf(reference, sizeof reference, "%lf %lf %lf \n", observation.abscissa, observation.velocity1,
                  observation.velocity2);
    ASSERT_EQ(std::string(written, written_size), reference);
    ASSERT_EQ(abscissa_text, printf_lf(observation.abscissa));
    std::rewind(stream);
  }
  std::fclose(stream);
  std::free(written);
}

}  // namespace