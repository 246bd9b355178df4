#include "decimal_scan.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace {

// Digits after the text must not count.
const char* scan(const std::string& text, double& value) {
  const std::string padded = text + "7777777777777777";
  const char* end = eb_com::scan_plain_decimal(padded.data(), padded.data() + text.size(), value);
  return end == nullptr ? nullptr : text.data() + (end - padded.data());
}

// Where the scanner answers, it agrees with strtod on the value and on where
// the number ends.
void expect_as_strtod_or_declined(const std::string& text) {
  double value = 12345.0;
  const char* end = scan(text, value);
  if (end == nullptr) {
    EXPECT_EQ(value, 12345.0) << "a declined text stored a value: " << text;
    return;
  }
  char* reference_end = nullptr;
  const double reference = std::strtod(text.c_str(), &reference_end);
  ASSERT_EQ(end - text.data(), reference_end - text.c_str()) << text;
  ASSERT_EQ(std::bit_cast<std::uint64_t>(value), std::bit_cast<std::uint64_t>(reference)) << text;
}

bool declined(const std::string& text) {
  double value = 0;
  return scan(text, value) == nullptr;
}

TEST(DecimalScan, TakesThePlainShapesExactly) {
  for (const char* text : {"0", "-0", "+5", "1.", ".5", "-.5", "2459123.45678", "12.345", "1e5", "1E-5",
                           "1e+5", "00000000000000000000001.5", "4e-320", "-2.5e-310",
                           "2.2250738585072014e-308", "9007199254740993", "0.1000000000000000055511151231257827",
                           "1.5x", "7,5", "1e5.5", "3 4"}) {
    EXPECT_FALSE(declined(text)) << text;
    expect_as_strtod_or_declined(text);
  }
  // The largest double written out in full, and an 800-digit mantissa.
  for (const std::string& text : {"17976931348623157" + std::string(292, '0'), "0." + std::string(800, '3') + "e1"}) {
    EXPECT_FALSE(declined(text));
    expect_as_strtod_or_declined(text);
  }
}

TEST(DecimalScan, DeclinesWhatOnlyTheScanfFamilyMayJudge) {
  for (const char* text : {"", "+", "-", ".", "+-5", "-+5", "e5", "1e", "1e+", "1E-", "inf", "nan", "-nan", "+inf",
                           "0x1p3", "infinity", "abc", " 5", "0x", "0x1", "-0X1p3", "+.", "-.e1",
                           // Beyond the doubles' range: strtod's infinity or zero is sscanf's to give.
                           "1e400", "-1e400", "1e-400", "-1e-400"}) {
    EXPECT_TRUE(declined(text)) << text;
  }
}

TEST(DecimalScan, RandomNumbersAgreeWithStrtod) {
  std::mt19937_64 random(3);
  const std::string alphabet = "0123456789012345678901234567890123456789..ee+-Ex";
  for (int i = 0; i < 400000; ++i) {
    std::string text;
    if (i % 2 == 0) {
      // Every double, written out in full.
      char shortest[40];
      std::snprintf(shortest, sizeof shortest, "%.*g", static_cast<int>(random() % 18) + 1,
                    std::bit_cast<double>(random()));
      text = shortest;
    } else {
      for (auto length = random() % 24 + 1; length > 0; --length) text += alphabet[random() % alphabet.size()];
    }
    expect_as_strtod_or_declined(text);
  }
}

}  // namespace
