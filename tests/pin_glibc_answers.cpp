// Records glibc's answers for the fields and values that C libraries answer
// differently, so that every build can be held to them:
//   eb-com-pin-glibc-answers tests/data
// writes glibc_scanf_fields.txt (count, characters taken and bits of
// sscanf("%lf%n") for each text) and glibc_printf_fixed.txt ("%.6f" and
// "%.3f" of each value). Only glibc can answer.
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "glibc_answers.hpp"
#include "numbers/binary64.hpp"

namespace {

// The grammar's characters, every text of up to three of them; white space
// is the record scan's, not the field's.
std::vector<std::string> short_texts() {
  const std::string alphabet("01.expinfaty()+-X\0", 18);
  std::vector<std::string> texts{""};
  for (std::size_t begin = 0, length = 1; length <= 3; ++length) {
    const std::size_t end = texts.size();
    for (std::size_t i = begin; i < end; ++i) {
      for (const char c : alphabet) texts.push_back(texts[i] + c);
    }
    begin = end;
  }
  return texts;
}

std::vector<std::string> rare_texts() {
  std::vector<std::string> texts = {"infinity",
                                    "INFINITY",
                                    "-Infinity",
                                    "+inFinity",
                                    "infinit",
                                    "infinityx",
                                    "nan(123)",
                                    "NaN(abc)x",
                                    "-nan(",
                                    "nan()",
                                    "0x1p-1074",
                                    "0x1p-1075",
                                    "0x1.8p-1075",
                                    "0x1.0000000000001p-1075",
                                    "0x1.fffffffffffffp-1023",
                                    "0x1.fffffffffffff8p-1023",
                                    "0x1.fffffffffffff7ffffffp1023",
                                    "0x1.fffffffffffff8p1023",
                                    "0X1P+3",
                                    "0x1p99999999999999999999",
                                    "0x.0000000000000000000000001p-900",
                                    "0x1.00000000000008p0",
                                    "0x1.000000000000080000000001p0",
                                    "0x1.00000000000018p0",
                                    "0x123456789abcdef0123p-70",
                                    "-0x.p1",
                                    "1e99999999999999999999",
                                    "1e-99999999999999999999",
                                    "1.5e+x",
                                    "1.e",
                                    "1-2",
                                    "1.2.3",
                                    "1e5e3",
                                    "2.4703282292062327e-324",
                                    "2.4703282292062328e-324",
                                    "4.9406564584124654e-324",
                                    "2.2250738585072011e-308",
                                    "2.2250738585072014e-308",
                                    "1.7976931348623157e308",
                                    "1.7976931348623158e308",
                                    "1.797693134862315807937289714053e308",
                                    "1.7976931348623159e308",
                                    "9007199254740993",
                                    "9007199254740992.5",
                                    "123456789012345678901234567890e-330",
                                    "0.1000000000000000055511151231257827",
                                    "-0e-5",
                                    "+.5e-1"};
  std::mt19937_64 random(22);
  char text[64];
  for (int i = 0; i < 300; ++i) {
    const double value = std::bit_cast<double>(i % 3 == 0 ? random() & eb_com::binary64::fraction_mask
                                                          : random() >> 1);  // subnormals a third
    if (!std::isfinite(value)) continue;
    std::snprintf(text, sizeof text, "%.17g", value);
    texts.emplace_back(text);
    std::snprintf(text, sizeof text, "%a", value);
    texts.emplace_back(text);
    // A hexadecimal subnormal with more digits than it keeps: where musl
    // was seen to round wrongly.
    std::snprintf(text, sizeof text, "0x0.%013llx%03llxp-1022",
                  static_cast<unsigned long long>(random() & eb_com::binary64::fraction_mask),
                  static_cast<unsigned long long>(random() % 0x1000));
    texts.emplace_back(text);
  }
  for (int i = 0; i < 40; ++i) {
    const double value = std::bit_cast<double>(i % 4 == 0 ? random() & eb_com::binary64::fraction_mask : random() >> 1);
    if (!std::isfinite(value) || value == 0) continue;
    std::string halfway = glibc_answers::halfway_above(value, 780);
    texts.push_back(halfway);
    // Just above and just below the point: the last digit decides.
    const std::size_t exponent = halfway.find('e');
    std::string mantissa = halfway.substr(0, exponent);
    while (mantissa.back() == '0') mantissa.pop_back();
    texts.push_back(mantissa + "0000000001" + halfway.substr(exponent));
    // Past 800 digits: the tie itself, and a last digit that breaks it.
    texts.push_back(mantissa + std::string(100, '0') + halfway.substr(exponent));
    texts.push_back(mantissa + std::string(100, '0') + "1" + halfway.substr(exponent));
    if (mantissa.back() != '.') {
      --mantissa.back();
      texts.push_back(mantissa + "999999999" + halfway.substr(exponent));
    }
  }
  return texts;
}

std::vector<double> rare_values() {
  std::vector<double> values = {INFINITY,
                                -INFINITY,
                                0x1p44,
                                -0x1p44,
                                0x1p53,
                                0x1p64,
                                1e300,
                                1.7976931348623157e308,
                                -1.7976931348623157e308,
                                0x1.fffffffffffffp52,
                                0x1.0000000000001p44};
  using namespace eb_com::binary64;
  // Quiet NaNs of either sign, signalling ones, the largest payload.
  for (const std::uint64_t bits : {quiet_nan, sign_bit | quiet_nan, infinity | 1, sign_bit | infinity | quiet_bit >> 1,
                                   infinity | fraction_mask}) {
    values.push_back(std::bit_cast<double>(bits));
  }
  std::mt19937_64 random(22);
  for (int i = 0; i < 400; ++i) {
    // Any huge magnitude, and values of 2^44 to 2^53 with fraction bits,
    // where the decimals round and ties fall.
    values.push_back(std::bit_cast<double>((random() >> 2) | 0x42b0000000000000));
    values.push_back(std::ldexp(static_cast<double>(random() >> 11), 44 - 53 + static_cast<int>(random() % 9)) *
                     (i % 2 != 0 ? -1 : 1));
  }
  return values;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || !eb_com::c_library_is_glibc) {
    std::fprintf(stderr,
                 "usage, where the C library is glibc: "
                 "eb-com-pin-glibc-answers DATA_DIRECTORY\n");
    return 2;
  }
  const std::string directory = argv[1];
  std::FILE* fields = std::fopen((directory + "/glibc_scanf_fields.txt").c_str(), "w");
  std::FILE* fixed = std::fopen((directory + "/glibc_printf_fixed.txt").c_str(), "w");
  if (fields == nullptr || fixed == nullptr) return 1;
  std::vector<std::string> texts = short_texts();
  for (std::string& text : rare_texts()) texts.push_back(std::move(text));
  for (const std::string& text : texts) {
    const glibc_answers::Field field = glibc_answers::scanf_field(text);
    std::fprintf(fields, "%d %d %016llx %s\n", field.count, field.consumed, static_cast<unsigned long long>(field.bits),
                 glibc_answers::escaped(text).c_str());
  }
  for (const double value : rare_values()) {
    std::fprintf(fixed, "%016llx %.6f %.3f\n", static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(value)),
                 value, value);
  }
  return std::fclose(fields) == 0 && std::fclose(fixed) == 0 ? 0 : 1;
}
