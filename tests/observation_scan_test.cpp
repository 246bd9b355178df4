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
using glibc_answers::printf_lf;

// Fields set to values no record below holds, so that a field the scan
// does not reach is seen to keep what it held.
constexpr double held_values[] = {111.5, -222.25, 333.125};
Observation held() {
  Observation observation;
  observation.abscissa.set_value(held_values[0]);
  observation.velocity1.set_value(held_values[1]);
  observation.velocity2.set_value(held_values[2]);
  return observation;
}

bool same_bits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

// Shapes kept from record to record, as in a run: most records below are
// read by a shape an earlier one left.
eb_com::RecordShapes shapes;

// The padding the scanner may read is digits, which must not count.
int scan(const std::string& record, Observation& observation) {
  const std::string padded = record + std::string(eb_com::record_padding, '7');
  return eb_com::parse_observation(std::string_view(padded.data(), record.size()), observation, shapes).fields_set;
}

// Against sscanf: the count, the velocities' values, and every field's text
// as "%lf" prints sscanf's value.
void expect_scan_as_sscanf(const std::string& record) {
  Observation observation = held();
  const int fields_set = scan(record, observation);
  double reference[3];
  std::copy(std::begin(held_values), std::end(held_values), reference);
  const std::string text = record.substr(0, eb_com::max_record_length);
  const int converted = std::sscanf(text.c_str(), " %lf %lf %lf ", &reference[0], &reference[1], &reference[2]);
  ASSERT_EQ(fields_set, std::max(converted, 0)) << "record \"" << record << '"';
  ASSERT_TRUE(same_bits(observation.velocity1.value(), reference[1]) &&
              same_bits(observation.velocity2.value(), reference[2]))
      << "record \"" << record << "\": " << observation.velocity1.value() << ' ' << observation.velocity2.value()
      << " against " << reference[1] << ' ' << reference[2];
  const eb_com::Field<true>* velocities[] = {&observation.velocity1, &observation.velocity2};
  ASSERT_EQ(observation.abscissa.text(), printf_lf(reference[0])) << "record \"" << record << '"';
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(velocities[i]->text(), printf_lf(reference[i + 1])) << "record \"" << record << '"';
  }
}

TEST(ObservationScan, AdversarialRecordsAgreeWithSscanf) {
  SKIP_UNLESS_GLIBC();
  const std::string records[] = {
      "10 -50 40\n", "1.5 20\n", "\n", "", "1.0, 2.0, 3.0\n", "1 2 3 4 5\n", "2459123.45678 12.345 -67.890\r\n",
      "0x 1 2\n", "0x1.8p3 -0X10 0x.8\n", "+5 -5 +.5\n", "inf -infinity INF\n", "infin 1 2\n", "nan nan(123) -nan\n",
      "nan( 1 2\n", "nan(abc 1 2\n", "1e400 -1e400 1e-400\n", "4e-320 -4e-320 2.2250738585072011e-308\n", "1e 2 3\n",
      "1e+ 2 3\n", "1. .5 .\n", "- + 3\n", "+-5 1 2\n", "\t1\v2\f3\r\n", "12abc 3 4\n", "1e5x 2 3\n",
      "heading: time v1 v2\n", "1_000 2 3\n", "\xff\xfe 1 2\n", "٣ 4 5\n", "1 2 3x\n", "1 2 0x\n",
      "0x1p-1074 0x1p+1024 0x1.fffffffffffffp1023\n", "1e-310 1e-320 1e-324\n", "00012 -000 +0e0\n",
      // One shape, its integer parts started by other digits, then by a zero.
      "11.5 -12 13.25\n", "01.5 -02 03.25\n", "10.5 -10 10.25\n", "00.5 -00 00.25\n", "1 2 3 ", "     ", "1 2\n3 4\n",
      "-0 -0.0 -0e5\n", "1e0000000000000000000000000000005 2 3\n", std::string("1 2\0 3\n", 7),
      std::string("1\0 2 3\n", 7), std::string("\0 1 2 3", 7), std::string("0x1p3 2\0 3\n", 11),
      std::string("inf\0 1 2\n", 9), "0." + std::string(800, '7') + " 1 " + std::string(300, '9') + "\n",
      std::string(600, '1') + " 2 3\n", std::string(498, ' ') + "7 8 9\n"};
  for (const std::string& record : records) expect_scan_as_sscanf(record);
}

TEST(ObservationScan, KeepsWhatARecordDoesNotReach) {
  Observation observation;
  EXPECT_TRUE(std::isnan(observation.velocity1.value()) && !std::signbit(observation.velocity1.value()));
  EXPECT_EQ(observation.abscissa.text(), "nan");
  scan("10 -50 40\n", observation);
  EXPECT_EQ(scan("1.5 20\n", observation), 2);
  EXPECT_EQ(observation.abscissa.text(), "1.500000");
  EXPECT_EQ(observation.velocity1.value(), 20);
  EXPECT_EQ(observation.velocity2.value(), 40);
  EXPECT_EQ(observation.velocity2.text(), "40.000000");
  EXPECT_EQ(scan("7.0, 8.0, 9.0\n", observation), 1);
  EXPECT_EQ(observation.abscissa.text(), "7.000000");
  EXPECT_EQ(observation.velocity1.text(), "20.000000");
  EXPECT_EQ(scan("\n", observation), 0);
  EXPECT_EQ(observation.abscissa.text(), "7.000000");
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
