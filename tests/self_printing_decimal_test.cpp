#include "numbers/self_printing_decimal.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "glibc_answers.hpp"
#include "numbers/fixed_point.hpp"

namespace {

// What the run prints for a field spelled so: the spelling's own text where
// it prints as itself, checked to read as strtod reads it, or else the text
// formatted from the value. The bytes after the spelling are digits, which
// must not count.
// The definition, restated from the header: an optional minus sign, 1 to 9
// integer digits without leading zeros, optionally a point and at most 6
// decimals, 16 characters at most.
bool self_printing_by_definition(const std::string& spelling) {
  const auto digits_from = [&](std::size_t i) {
    std::size_t end = i;
    while (end < spelling.size() && spelling[end] >= '0' && spelling[end] <= '9') ++end;
    return end;
  };
  const std::size_t integer = spelling.starts_with('-') ? 1 : 0;
  const std::size_t point = digits_from(integer);
  const std::size_t integer_digits = point - integer;
  if (integer_digits == 0 || integer_digits > 9 || (integer_digits > 1 && spelling[integer] == '0')) return false;
  if (spelling.size() > 16) return false;
  if (point == spelling.size()) return true;
  return spelling[point] == '.' && digits_from(point + 1) == spelling.size() && spelling.size() - point - 1 <= 6;
}

std::string lf_of(double value, const std::string& spelling) {
  const std::string padded = spelling + std::string(eb_com::self_printing_window, '5');
  const eb_com::SelfPrintingDecimal decimal =
      eb_com::find_self_printing_decimal(padded.data(), padded.data() + spelling.size());
  char text[eb_com::max_fixed_length + 8];
  // A recogniser that rejected too much would still print right below, from
  // the value: it must take exactly the spellings of the definition.
  EXPECT_EQ(decimal.length != 0 && decimal.length == spelling.size(), self_printing_by_definition(spelling))
      << '"' << spelling << '"';
  if (decimal.length != 0 && decimal.length == spelling.size()) {
    const double read = eb_com::self_printing_value(padded.data(), decimal);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(read), std::bit_cast<std::uint64_t>(value)) << '"' << spelling << '"';
    return {text, eb_com::copy_self_printing_decimal(text, padded.data(), decimal)};
  }
  return {text, eb_com::format_fixed<6>(text, value)};
}

using glibc_answers::printf_lf;

// A field's value and "%lf" text are taken from its spelling where that is
// provably what strtod reads and printf prints: each spelling here must read
// and print so.
TEST(SelfPrintingDecimal, SpelledFieldsReadAndPrintAsStrtodAndPrintfDo) {
  SKIP_UNLESS_GLIBC();
  const char* const spellings[] = {"0",
                                   "-0",
                                   "+0",
                                   "-0.0",
                                   "000",
                                   "-000.000",
                                   ".5",
                                   "-.5",
                                   "5.",
                                   "+5.",
                                   "007.25",
                                   "123456789",
                                   "-123456789.999999",
                                   "999999999.9999995",
                                   "1234567890",
                                   "0.0000005",
                                   "0.000001",
                                   "-0.0000001",
                                   "1e5",
                                   "1.5E-3",
                                   "2455000.12345",
                                   "4503599627370497.5",
                                   "0000000000000000000001.5",
                                   "0.1234567",
                                   "999999.9999995",
                                   ".",
                                   "-",
                                   "",
                                   "+"};
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

// Every prefix the scan may stop at: the decimal ends at the first character
// that cannot continue it, and never past the end it is given.
TEST(SelfPrintingDecimal, FindsTheLongestSelfPrintingPrefix) {
  const struct {
    const char* text;
    std::size_t length;
  } cases[] = {{"12.5 ", 4}, {"12.5e3", 4}, {"12.5.3", 4}, {"-7\n", 2}, {"1234567890", 0}, {"0.1234567", 0},
               {"007", 0},   {"-", 0},      {".5", 0},     {"5.", 2},   {"-0", 2},         {"123456789.123456", 16}};
  for (const auto& c : cases) {
    const std::string padded = std::string(c.text) + std::string(eb_com::self_printing_window, ' ');
    EXPECT_EQ(eb_com::find_self_printing_decimal(padded.data(), padded.data() + std::strlen(c.text)).length, c.length)
        << '"' << c.text << '"';
  }
  const std::string digits = "12345" + std::string(eb_com::self_printing_window, '6');
  EXPECT_EQ(eb_com::find_self_printing_decimal(digits.data(), digits.data() + 3).length, 3u);
}

}  // namespace

namespace {

// digits_value over every string of 1 to 8 digits, with later bytes that
// borrow when '0' is taken from them: the borrow runs only towards later
// bytes, which shift out, so it must never reach a digit's value.
TEST(SelfPrintingDecimal, DigitsValueOfEveryStringOfUpToEightDigits) {
  char text[8];
  for (std::size_t count = 1; count <= 8; ++count) {
    std::memset(text, '\0', sizeof text);  // below '0' in every later byte
    std::memset(text, '0', count);
    for (std::uint64_t n = 0; n < eb_com::powers_of_ten[count]; ++n) {
      if (eb_com::self_printing_detail::digits_value(eb_com::load_little_endian(text), count) != n) {
        FAIL() << count << " digits, " << n;
      }
      for (std::size_t i = count; i-- > 0 && ++text[i] > '9';) text[i] = '0';
    }
  }
}

}  // namespace
