#include "observation.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using eb_com::Observation;

// Fields set to values no record below holds, so that a field the scan does
// not reach is seen to keep its value.
Observation held() { return {111.5, -222.25, 333.125}; }

bool same_bits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

// Scans record into observation and checks that every spelling it reports is
// a piece of the record and reads back as the value it gave. The padding the
// scanner may read is digits, which must not count.
void scan(const std::string& record, Observation& observation) {
  const std::string padded = record + std::string(eb_com::record_padding, '7');
  eb_com::FieldSpellings spellings;
  const std::string_view view(padded.data(), record.size());
  eb_com::parse_observation(view, observation, spellings);
  const std::pair<std::string_view, double> fields[] = {{spellings.abscissa, observation.abscissa},
                                                        {spellings.velocity1, observation.velocity1},
                                                        {spellings.velocity2, observation.velocity2}};
  for (const auto& [spelling, value] : fields) {
    if (spelling.empty()) continue;
    ASSERT_TRUE(spelling.data() >= view.data() && spelling.data() + spelling.size() <= view.data() + view.size());
    ASSERT_TRUE(same_bits(std::strtod(std::string(spelling).c_str(), nullptr), value)) << spelling;
  }
}

void expect_scan_as_sscanf(const std::string& record) {
  Observation observation = held();
  scan(record, observation);
  Observation reference = held();
  const std::string text = record.substr(0, eb_com::max_record_length);
  std::sscanf(text.c_str(), " %lf %lf %lf ", &reference.abscissa, &reference.velocity1, &reference.velocity2);
  ASSERT_TRUE(same_bits(observation.abscissa, reference.abscissa) &&
              same_bits(observation.velocity1, reference.velocity1) &&
              same_bits(observation.velocity2, reference.velocity2))
      << "record \"" << record << "\": " << observation.abscissa << ' ' << observation.velocity1 << ' '
      << observation.velocity2 << " against " << reference.abscissa << ' ' << reference.velocity1 << ' '
      << reference.velocity2;
}

TEST(Scanning, AdversarialRecordsAgreeWithSscanf) {
  const std::string records[] = {
      "10 -50 40\n", "1.5 20\n", "\n", "", "1.0, 2.0, 3.0\n", "1 2 3 4 5\n", "2459123.45678 12.345 -67.890\r\n",
      "0x 1 2\n", "0x1.8p3 -0X10 0x.8\n", "+5 -5 +.5\n", "inf -infinity INF\n", "infin 1 2\n", "nan nan(123) -nan\n",
      "nan( 1 2\n", "nan(abc 1 2\n", "1e400 -1e400 1e-400\n", "4e-320 -4e-320 2.2250738585072011e-308\n",
      "1e 2 3\n", "1e+ 2 3\n", "1. .5 .\n", "- + 3\n", "+-5 1 2\n", "\t1\v2\f3\r\n", "12abc 3 4\n", "1e5x 2 3\n",
      "heading: time v1 v2\n", "1_000 2 3\n", "\xff\xfe 1 2\n", "٣ 4 5\n", "1 2 3x\n", "1 2 0x\n",
      "0x1p-1074 0x1p+1024 0x1.fffffffffffffp1023\n", "1e-310 1e-320 1e-324\n", "00012 -000 +0e0\n",
      "1 2 3 ", "     ", "1 2\n3 4\n", "-0 -0.0 -0e5\n", "1e0000000000000000000000000000005 2 3\n",
      std::string("1 2\0 3\n", 7), std::string("1\0 2 3\n", 7), std::string("\0 1 2 3", 7),
      "0." + std::string(800, '7') + " 1 " + std::string(300, '9') + "\n", std::string(600, '1') + " 2 3\n",
      std::string(498, ' ') + "7 8 9\n"};
  for (const std::string& record : records) expect_scan_as_sscanf(record);
}

TEST(Scanning, KeepsWhatARecordDoesNotReach) {
  Observation observation;
  EXPECT_TRUE(std::isnan(observation.abscissa) && !std::signbit(observation.abscissa));
  scan("10 -50 40\n", observation);
  scan("1.5 20\n", observation);
  EXPECT_EQ(observation.abscissa, 1.5);
  EXPECT_EQ(observation.velocity1, 20);
  EXPECT_EQ(observation.velocity2, 40);
  scan("7.0, 8.0, 9.0\n", observation);
  EXPECT_EQ(observation.abscissa, 7);
  EXPECT_EQ(observation.velocity1, 20);
}

// Random records in the shapes observation files hold and in many they should
// not: every one must scan as sscanf scans it.
TEST(Scanning, GeneratedRecordsAgreeWithSscanf) {
  std::mt19937_64 random(4);
  const char* const odd_tokens[] = {"inf", "-nan", "0x1p4", "1e400", "1e-400", "4e-320", "abc", ",", "1e", "+", ".", "0x"};
  const char* const separators[] = {" ", "  ", "\t", " \t ", ",", ", ", "\r"};
  char text[64];
  for (int i = 0; i < 400000; ++i) {
    std::string record;
    const auto fields = random() % 5;
    for (unsigned f = 0; f < fields; ++f) {
      if (f != 0 || random() % 4 == 0) record += separators[random() % (random() % 8 == 0 ? 7 : 3)];
      switch (random() % 16) {
        case 0: record += odd_tokens[random() % std::size(odd_tokens)]; break;
        case 1: std::snprintf(text, sizeof text, "%.17g", std::bit_cast<double>(random())); record += text; break;
        case 2: std::snprintf(text, sizeof text, "%+.3e", static_cast<double>(random() % 2000000) - 1e6); record += text; break;
        default:
          std::snprintf(text, sizeof text, "%.*f", static_cast<int>(random() % 7),
                        (static_cast<double>(random() % 20000000) - 1e7) / 1000.0);
          record += text;
      }
    }
    record += (random() % 8 == 0) ? "\r\n" : "\n";
    expect_scan_as_sscanf(record);
  }
}

std::FILE* stream_of(const std::string& content) {
  std::FILE* stream = std::tmpfile();
  std::fwrite(content.data(), 1, content.size(), stream);
  std::rewind(stream);
  return stream;
}

std::vector<std::string> records_of(const std::string& content) {
  std::FILE* stream = stream_of(content);
  eb_com::RecordReader reader(stream);
  std::vector<std::string> records;
  std::string_view record;
  while (reader.read_record(record)) records.emplace_back(record);
  EXPECT_FALSE(reader.read_failed());
  std::fclose(stream);
  return records;
}

// fgets with a buffer of 500, the records measured by the stream position so
// that NUL bytes inside them count.
std::vector<std::string> fgets_records_of(const std::string& content) {
  std::FILE* stream = stream_of(content);
  std::vector<std::string> records;
  char buffer[eb_com::max_record_length + 1];
  long start = 0;
  while (std::fgets(buffer, sizeof buffer, stream) != nullptr) {
    const long end = std::ftell(stream);
    records.push_back(content.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
    start = end;
  }
  std::fclose(stream);
  return records;
}

TEST(Cutting, LongLinesEmptyLinesAndTheLastLine) {
  using Records = std::vector<std::string>;
  const std::string line600(600, '5');
  EXPECT_EQ(records_of(line600 + "\n"), (Records{line600.substr(0, 499), line600.substr(499) + "\n"}));
  const std::string line499(499, '4');
  EXPECT_EQ(records_of(line499 + "\n"), (Records{line499, "\n"}));
  EXPECT_EQ(records_of("1 2 3\n\n4 5 6"), (Records{"1 2 3\n", "\n", "4 5 6"}));
  EXPECT_EQ(records_of(std::string("1\0 2\n3", 6)), (Records{std::string("1\0 2\n", 5), "3"}));
  EXPECT_TRUE(records_of("").empty());
}

TEST(Cutting, GeneratedFilesCutAsFgetsCutsThem) {
  std::mt19937_64 random(5);
  for (int file = 0; file < 20; ++file) {
    std::string content;
    // Several read blocks of lines from empty to over twice the record limit.
    while (content.size() < 300000) {
      const auto length = random() % (random() % 10 == 0 ? 1200 : 60);
      for (unsigned i = 0; i < length; ++i) content += static_cast<char>(random() % 16 == 0 ? random() % 256 : '0' + random() % 10);
      if (random() % 50 != 0) content += '\n';
    }
    ASSERT_EQ(records_of(content), fgets_records_of(content)) << "file " << file;
  }
}

TEST(Cutting, AReadErrorEndsTheInputAndIsReported) {
  std::FILE* write_only = std::fopen("/dev/null", "w");
  ASSERT_NE(write_only, nullptr);
  eb_com::RecordReader reader(write_only);
  std::string_view record;
  EXPECT_FALSE(reader.read_record(record));
  EXPECT_TRUE(reader.read_failed());
  std::fclose(write_only);
}

TEST(Formula, CentreOfMassVelocity) {
  const auto vcm = [](double v1, double v2) { return eb_com::centre_of_mass_velocity({0, v1, v2}); };
  EXPECT_NEAR(vcm(0, 1.91), 0.91, 0.91 * DBL_EPSILON);
  EXPECT_NEAR(vcm(-50, 40), 40 - 90 / 1.91, 1e-12);
  EXPECT_NEAR(vcm(20, 40), 40 - 20 / 1.91, 1e-12);
  // The weighted mean gives equal velocities back exactly, whatever their size.
  for (const double v : {0.0, -12.3, 1e-300, 123456.789, 1e300, DBL_MAX, -DBL_MAX}) EXPECT_EQ(vcm(v, v), v);
  // Double arithmetic would overflow in the difference; extended precision does not.
  const double opposite = vcm(1e308, -1e308);
  EXPECT_TRUE(std::isfinite(opposite));
  EXPECT_NEAR(opposite, 1e308 * (1 - 0.91) / 1.91, 1e294);
  EXPECT_TRUE(std::isnan(vcm(NAN, 1)));
  EXPECT_TRUE(std::isnan(vcm(INFINITY, INFINITY)));
}

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
