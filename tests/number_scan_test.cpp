#include "numbers/number_scan.hpp"

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
#include "glibc_misrounding.hpp"
#include "numbers/binary64.hpp"

namespace {

using glibc_answers::Field;
namespace binary64 = eb_com::binary64;

Field scanned(const std::string& text) { return glibc_answers::tool_field(text); }

// Decimals that need every digit, against strtod: the points halfway
// between neighbouring doubles in full, and a last digit above or below.
TEST(NumberScan, HardDecimalsAsStrtodRoundsThem) {
  SKIP_UNLESS_GLIBC();
  std::mt19937_64 random(7);
  for (int i = 0; i < 20000; ++i) {
    const double value = std::bit_cast<double>(i % 3 == 0 ? random() & eb_com::binary64::fraction_mask : random() >> 1);
    if (!std::isfinite(value)) continue;
    const std::string halfway = glibc_answers::halfway_above(value, 20 + i % 760);
    const std::size_t exponent = halfway.find('e');
    for (const std::string& candidate :
         {halfway, halfway.substr(0, exponent) + "1" + halfway.substr(exponent), halfway.substr(0, 18)}) {
      const double reference = std::strtod(candidate.c_str(), nullptr);
      ASSERT_EQ(scanned(candidate),
                (Field{1, static_cast<int>(candidate.size()), std::bit_cast<std::uint64_t>(reference)}))
          << candidate;
    }
  }
}

// The C standard's rounding, and glibc's from 2.41, on every bit that a
// hexadecimal subnormal drops; an older glibc rounds on the first alone
// (platform.hpp), and the live comparisons leave exactly that out.
TEST(NumberScan, HexadecimalSubnormalsRoundOnEveryBitTheyDrop) {
  // 2.5 least subnormals and 2^-52 of one: 3 of them, not the even 2.
  const std::string text = "-0x2.8000000000001p-1074";
  EXPECT_EQ(scanned(text), (Field{1, 24, 0x8000000000000003}));
  EXPECT_EQ(scanned("0x2.8p-1074"), (Field{1, 11, 2}));  // a true tie, to even
  const bool misrounds = eb_com::c_library_misrounds_hex_subnormals;
  const auto units = [](std::uint64_t bits) { return std::bit_cast<double>(bits); };
  if (eb_com::c_library_is_glibc) {
    EXPECT_EQ(glibc_answers::scanf_field(text).bits == 0x8000000000000002, misrounds) << "this glibc's rounding";
  }
  EXPECT_EQ(support::is_glibc_hex_subnormal_misrounding(text, units(0x8000000000000003), units(0x8000000000000002)),
            misrounds);
  EXPECT_FALSE(support::is_glibc_hex_subnormal_misrounding("-1.5e-323", units(3), units(2)));
  EXPECT_FALSE(support::is_glibc_hex_subnormal_misrounding(text, units(4), units(2)));
  EXPECT_FALSE(support::is_glibc_hex_subnormal_misrounding("0x1p-1022", units(binary64::hidden_bit),
                                                           units(binary64::hidden_bit + 1)));
  EXPECT_EQ(support::holds_glibc_hex_subnormal_misrounding("1 2 3\n0 " + text + " 1.5e-323\n"), misrounds);
  EXPECT_FALSE(support::holds_glibc_hex_subnormal_misrounding("1 2 3\n0 -0x2.8p-1074 1.5e-323\n"));
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
