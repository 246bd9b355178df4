#include "observation_scan.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "generated_records.hpp"
#include "glibc_answers.hpp"
#include "record_reader.hpp"

namespace {

using eb_com::Observation;

// Velocities set to values no record below holds, so that a field the scan
// does not reach is seen to keep its value.
Observation held() { return {-222.25, 333.125}; }

bool same_bits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

using glibc_answers::printf_lf;

std::string_view text_of(const eb_com::SelfPrintingSpelling& spelling) {
  return {spelling.text, spelling.decimal.length};
}

// Scans record into observation and checks that every velocity's spelling
// it reports is a piece of the record, reads back as the value it gave and
// is copied as "%lf" prints that value. Returns how many fields the scan
// says it set. The padding the scanner may read is digits, which must not
// count. The record scanned, which the spellings point into, stays until the
// next scan.
std::string scanned_record;
int scan(const std::string& record, Observation& observation, eb_com::ScannedAbscissa& abscissa) {
  scanned_record = record + std::string(eb_com::record_padding, '7');
  const std::string& padded = scanned_record;
  eb_com::VelocitySpellings spellings;
  const std::string_view view(padded.data(), record.size());
  const int fields_set = eb_com::parse_observation(view, observation, abscissa, spellings).fields_set;
  const std::pair<eb_com::SelfPrintingSpelling, double> fields[] = {{spellings.velocity1, observation.velocity1},
                                                                    {spellings.velocity2, observation.velocity2}};
  for (const auto& [spelling, value] : fields) {
    if (spelling.empty()) continue;
    const std::string_view text = text_of(spelling);
    EXPECT_TRUE(text.data() >= view.data() && text.data() + text.size() <= view.data() + view.size());
    EXPECT_TRUE(same_bits(std::strtod(std::string(text).c_str(), nullptr), value)) << text;
    char printed[eb_com::max_self_printing_copy];
    char* end = eb_com::copy_self_printing_decimal(printed, spelling.text, spelling.decimal);
    if (eb_com::c_library_is_glibc) {
      EXPECT_EQ(std::string(printed, end), printf_lf(value)) << text;
    }
  }
  return fields_set;
}

// Against sscanf's values. An abscissa left unconverted has no value: its
// spelling must be a piece of the record that prints as "%lf" prints
// sscanf's value.
void expect_scan_as_sscanf(const std::string& record) {
  Observation observation = held();
  eb_com::ScannedAbscissa abscissa;
  const int fields_set = scan(record, observation, abscissa);
  Observation reference = held();
  double reference_abscissa = 111.5;
  const std::string text = record.substr(0, eb_com::max_record_length);
  const int converted =
      std::sscanf(text.c_str(), " %lf %lf %lf ", &reference_abscissa, &reference.velocity1, &reference.velocity2);
  ASSERT_EQ(fields_set, std::max(converted, 0)) << "record \"" << record << '"';
  ASSERT_TRUE(same_bits(observation.velocity1, reference.velocity1) &&
              same_bits(observation.velocity2, reference.velocity2))
      << "record \"" << record << "\": " << observation.velocity1 << ' ' << observation.velocity2 << " against "
      << reference.velocity1 << ' ' << reference.velocity2;
  if (fields_set == 0) return;
  if (abscissa.is_self_printing()) {
    const eb_com::SelfPrintingSpelling& spelling = abscissa.spelling();
    ASSERT_TRUE(spelling.text >= scanned_record.data() &&
                spelling.text + spelling.decimal.length <= scanned_record.data() + text.size());
    char printed[eb_com::max_self_printing_copy];
    char* end = eb_com::copy_self_printing_decimal(printed, spelling.text, spelling.decimal);
    ASSERT_EQ(std::string(printed, end), printf_lf(reference_abscissa)) << "record \"" << record << '"';
  } else {
    ASSERT_TRUE(same_bits(abscissa.value(), reference_abscissa))
        << "record \"" << record << "\": abscissa " << abscissa.value() << " against " << reference_abscissa;
  }
}

TEST(ObservationScan, AdversarialRecordsAgreeWithSscanf) {
  SKIP_UNLESS_GLIBC();
  const std::string records[] = {"10 -50 40\n",
                                 "1.5 20\n",
                                 "\n",
                                 "",
                                 "1.0, 2.0, 3.0\n",
                                 "1 2 3 4 5\n",
                                 "2459123.45678 12.345 -67.890\r\n",
                                 "0x 1 2\n",
                                 "0x1.8p3 -0X10 0x.8\n",
                                 "+5 -5 +.5\n",
                                 "inf -infinity INF\n",
                                 "infin 1 2\n",
                                 "nan nan(123) -nan\n",
                                 "nan( 1 2\n",
                                 "nan(abc 1 2\n",
                                 "1e400 -1e400 1e-400\n",
                                 "4e-320 -4e-320 2.2250738585072011e-308\n",
                                 "1e 2 3\n",
                                 "1e+ 2 3\n",
                                 "1. .5 .\n",
                                 "- + 3\n",
                                 "+-5 1 2\n",
                                 "\t1\v2\f3\r\n",
                                 "12abc 3 4\n",
                                 "1e5x 2 3\n",
                                 "heading: time v1 v2\n",
                                 "1_000 2 3\n",
                                 "\xff\xfe 1 2\n",
                                 "٣ 4 5\n",
                                 "1 2 3x\n",
                                 "1 2 0x\n",
                                 "0x1p-1074 0x1p+1024 0x1.fffffffffffffp1023\n",
                                 "1e-310 1e-320 1e-324\n",
                                 "00012 -000 +0e0\n",
                                 "1 2 3 ",
                                 "     ",
                                 "1 2\n3 4\n",
                                 "-0 -0.0 -0e5\n",
                                 "1e0000000000000000000000000000005 2 3\n",
                                 std::string("1 2\0 3\n", 7),
                                 std::string("1\0 2 3\n", 7),
                                 std::string("\0 1 2 3", 7),
                                 std::string("0x1p3 2\0 3\n", 11),
                                 std::string("inf\0 1 2\n", 9),
                                 "0." + std::string(800, '7') + " 1 " + std::string(300, '9') + "\n",
                                 std::string(600, '1') + " 2 3\n",
                                 std::string(498, ' ') + "7 8 9\n"};
  for (const std::string& record : records) expect_scan_as_sscanf(record);
}

TEST(ObservationScan, KeepsWhatARecordDoesNotReach) {
  Observation observation;
  eb_com::ScannedAbscissa abscissa;
  EXPECT_TRUE(std::isnan(observation.velocity1) && !std::signbit(observation.velocity1));
  scan("10 -50 40\n", observation, abscissa);
  EXPECT_EQ(scan("1.5 20\n", observation, abscissa), 2);
  EXPECT_EQ(text_of(abscissa.spelling()), "1.5");
  EXPECT_EQ(observation.velocity1, 20);
  EXPECT_EQ(observation.velocity2, 40);
  EXPECT_EQ(scan("7.0, 8.0, 9.0\n", observation, abscissa), 1);
  EXPECT_EQ(text_of(abscissa.spelling()), "7.0");
  EXPECT_EQ(observation.velocity1, 20);
}

// Every text of up to five of the characters that decide a scan, as a
// field and as a record: where white space, signs and the letters start,
// end and separate fields. White space before a field is the record's to
// skip, not the field's.
TEST(ObservationScan, EveryShortTextAsGlibcScansItAsAFieldAndAsARecord) {
  SKIP_UNLESS_GLIBC();
  long fields = 0;
  glibc_answers::for_each_text(glibc_answers::grammar_alphabet, 5, [&fields](const std::string& text) {
    if (text.empty() || text[0] != ' ') {
      ++fields;
      ASSERT_EQ(glibc_answers::tool_field(text), glibc_answers::scanf_field(text))
          << '"' << glibc_answers::escaped(text) << '"';
    }
    expect_scan_as_sscanf(text);
  });
  EXPECT_GT(fields, 7000000);
}

// Random records in the shapes observation files hold and in many they should
// not: every one must scan as sscanf scans it.
TEST(ObservationScan, GeneratedRecordsAgreeWithSscanf) {
  SKIP_UNLESS_GLIBC();
  test_support::RecordGenerator records(4);
  for (int i = 0; i < 400000; ++i) expect_scan_as_sscanf(records.next() + "\n");
}
}  // namespace
