// Observation records of every shape the tests know, plain and long, with
// exponents, hexadecimal, inf and nan, NUL bytes, CR LF, commas, cut and
// short lines, huge and subnormal values, printed ties and the formula's hard
// cases; and tables as observers write them, for the benchmark: the one
// generator of the unit, end-to-end and fuzz tests' inputs, of the
// benchmark's and of eb-com-make-records. The same seed gives the same
// records on every machine.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "formula_cases.hpp"
#include "splitmix64.hpp"

namespace test_support {

namespace generated_records_detail {

inline const char* const spellings[] = {
    "inf",        "-Infinity", "nan",    "-nan",     "NAN(123)", "0x1.8p3",
    "-0X1P-1074", "1e308",     "-1e308", "4.9e-324", "2.5e-320", "1.7976931348623157e308",
    "1.5e3",      "-2E-5",     "+7.",    ".5",       "-0",       "0.0000005",
    "1e",         "0x",        "abc",    "1,5",      "--1",      "9999999999.9999999"};

inline std::string number(SplitMix64& random, formula_cases::Generator& hard) {
  char text[64];
  switch (random.below(10)) {
    case 0:  // a table's velocity
      std::snprintf(text, sizeof text, "%.3f", static_cast<double>(random.below(2000001) - 1000000) / 1000);
      break;
    case 1:  // a time
      std::snprintf(text, sizeof text, "%.5f", 2460000 + random.below(100000000) / 1e5);
      break;
    case 2:  // four decimals, a printed tie at three or near one
      std::snprintf(text, sizeof text, "%d.%04d5", random.below(2000) - 1000, random.below(10000));
      break;
    case 3:  // the hard families of the formula, to the last bit
      std::snprintf(text, sizeof text, "%.17g", hard.next().velocity2);
      break;
    case 4:
      std::snprintf(text, sizeof text, "%a", hard.next().velocity1);
      break;
    case 5:  // long plain decimals
      std::snprintf(text, sizeof text, "%d.%09d%06d", random.below(1000000000), random.below(1000000000),
                    random.below(1000000));
      break;
    case 6:  // from no decimals to more than "%lf" prints
      std::snprintf(text, sizeof text, "%.*f", random.below(9),
                    static_cast<double>(random.below(20000001)) / 1000 - 1e4);
      break;
    case 7:
      std::snprintf(text, sizeof text, "%+.3e", static_cast<double>(random.below(2000001)) - 1e6);
      break;
    default:
      return spellings[random.below(sizeof spellings / sizeof *spellings)];
  }
  return text;
}

}  // namespace generated_records_detail

class RecordGenerator {
 public:
  explicit RecordGenerator(std::uint64_t seed) : random_(seed), hard_(random_()) {}

  // The next record, without its newline.
  std::string next() {
    using generated_records_detail::number;
    // The last three are no white space a scan skips, or not between lines.
    const char* const separators[] = {" ", "  ", "\t", " \t ", ",", ", ", "\r"};
    std::string record;
    const int fields = random_.below(8) == 0 ? random_.below(5) : 3;
    for (int f = 0; f < fields; ++f) {
      if (f != 0) record += separators[random_.below(random_.below(16) == 0 ? 7 : 4)];
      record += number(random_, hard_);
    }
    switch (random_.below(40)) {
      case 0:  // cut at 499 characters
        record += std::string(static_cast<std::size_t>(480 + random_.below(60)), ' ') + "12.5";
        break;
      case 1:  // a NUL ends the scan
        record.insert(static_cast<std::size_t>(random_.below(static_cast<int>(record.size()) + 1)), 1, '\0');
        break;
      case 2:  // a byte of any value
        if (!record.empty()) {
          record[static_cast<std::size_t>(random_.below(static_cast<int>(record.size())))] =
              static_cast<char>(random_());
        }
        break;
      case 3:
        record += "\r";  // CR LF
        break;
      case 4:
        record.clear();  // an empty line
        break;
      case 5:  // digits cut into several records, a number across each cut
        record = std::string(static_cast<std::size_t>(random_.below(1100)), static_cast<char>('0' + random_.below(10)));
        break;
    }
    return record;
  }

  // Whether the last line ends with a newline.
  bool last_newline() { return random_.below(2) == 0; }

 private:
  SplitMix64 random_;
  formula_cases::Generator hard_;
};

// Lines of a table as observers write them, the benchmark's input: Julian
// dates with five decimals and velocities with three, about 30 bytes a line,
// and one line in ten in another shape a real file may hold.
class TableGenerator {
 public:
  explicit TableGenerator(std::uint64_t seed) : random_(seed) {}

  // A velocity of such a table, in km/s.
  double velocity() { return static_cast<double>(random_.below(300001) - 150000) / 1000; }

  // The next line, with its newline.
  std::string next() {
    time_ += static_cast<double>(1 + random_.below(200)) / 1000;
    const double v1 = velocity(), v2 = velocity();
    char line[96];
    switch (random_.below(50)) {
      case 0:
        std::snprintf(line, sizeof line, "%.5f %.4e %.4e\n", time_, v1, v2);
        break;
      case 1:
        std::snprintf(line, sizeof line, "%ld %d %d\n", index_, static_cast<int>(v1), static_cast<int>(v2));
        break;
      case 2:
        std::snprintf(line, sizeof line, "%.5f %+.3f %+.3f\n", time_, v1, v2);
        break;
      case 3:
        std::snprintf(line, sizeof line, "%.5f\t%.3f\t%.3f\n", time_, v1, v2);
        break;
      case 4:
        std::snprintf(line, sizeof line, "%.5f %.3f %.3f\r\n", time_, v1, v2);
        break;
      default:
        std::snprintf(line, sizeof line, "%.5f %.3f %.3f\n", time_, v1, v2);
    }
    ++index_;
    return line;
  }

 private:
  SplitMix64 random_;
  double time_ = 2450000;
  long index_ = 0;
};

// Records up to about size bytes, the last line without its newline or with.
inline std::string generated_input(std::uint64_t seed, std::size_t size) {
  RecordGenerator records(seed);
  std::string input;
  while (input.size() < size) input += records.next() + "\n";
  if (!records.last_newline()) input.pop_back();
  return input;
}

}  // namespace test_support
