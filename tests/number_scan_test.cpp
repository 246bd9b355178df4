#include "number_scan.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "glibc_answers.hpp"

namespace {

using glibc_answers::Field;

Field scanned(const std::string& text) {
  double value = 0;
  const char* end = eb_com::scan_number(text.data(), text.data() + text.size(), value);
  if (end == nullptr) return {};
  return {1, static_cast<int>(end - text.data()), std::bit_cast<std::uint64_t>(value)};
}

// White space before a field is skipped by the record's scan, not here.
TEST(NumberScan, EveryShortTextAsGlibcScansIt) {
  SKIP_UNLESS_GLIBC();
  long texts = 0;
  glibc_answers::for_each_text(glibc_answers::grammar_alphabet, 5, [&texts](const std::string& text) {
    if (!text.empty() && text[0] == ' ') return;
    ++texts;
    ASSERT_EQ(scanned(text), glibc_answers::scanf_field(text)) << '"' << glibc_answers::escaped(text) << '"';
  });
  EXPECT_GT(texts, 7000000);
}

// Decimals that need every digit, against strtod: the points halfway
// between neighbouring doubles in full, and a last digit above or below.
TEST(NumberScan, HardDecimalsAsStrtodRoundsThem) {
  SKIP_UNLESS_GLIBC();
  std::mt19937_64 random(7);
  char text[1000];
  for (int i = 0; i < 20000; ++i) {
    const double value = std::bit_cast<double>(i % 3 == 0 ? random() & eb_com::binary64::fraction_mask : random() >> 1);
    if (!std::isfinite(value)) continue;
    std::snprintf(text, sizeof text, "%.*Le", 20 + i % 760,
                  (static_cast<long double>(value) + std::nextafter(value, INFINITY)) / 2);
    const std::string halfway = text;
    const std::size_t exponent = halfway.find('e');
    for (const std::string& candidate :
         {halfway, halfway.substr(0, exponent) + "1" + halfway.substr(exponent), std::string(text, 18)}) {
      const double reference = std::strtod(candidate.c_str(), nullptr);
      ASSERT_EQ(scanned(candidate),
                (Field{1, static_cast<int>(candidate.size()), std::bit_cast<std::uint64_t>(reference)}))
          << candidate;
    }
  }
}

// What every build is held to, and on glibc the record itself re-checked.
TEST(NumberScan, TheRecordedGlibcAnswers) {
  std::ifstream file(glibc_answers::scanf_fields_file);
  ASSERT_TRUE(file) << glibc_answers::scanf_fields_file;
  std::string line;
  int lines = 0;
  while (std::getline(file, line)) {
    std::istringstream fields(line);
    Field recorded;
    std::string bits;
    fields >> recorded.count >> recorded.consumed >> bits;
    recorded.bits = std::stoull(bits, nullptr, 16);
    const std::size_t text_start = line.find(' ', line.find(' ', line.find(' ') + 1) + 1) + 1;
    const std::string text = glibc_answers::unescaped(std::string_view(line).substr(text_start));
    ASSERT_EQ(scanned(text), recorded) << line;
    if (eb_com::c_library_is_glibc) {
      ASSERT_EQ(glibc_answers::scanf_field(text), recorded) << line;
    }
    ++lines;
  }
  EXPECT_GT(lines, 6000);
}

}  // namespace
