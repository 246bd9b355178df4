// Writes an input file of records in every shape the tests know, for runs
// of two builds of eb-com to be compared byte for byte:
//   eb-com-make-records <count> <seed> > ZYKWo_HJX12_RV12.txt
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "formula_cases.hpp"

namespace {

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  // splitmix64: the same numbers on every machine.
  std::uint64_t operator()() {
    std::uint64_t z = state_ += 0x9e3779b97f4a7c15;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9;
    z = (z ^ (z >> 27)) * 0x94d049bb133111eb;
    return z ^ (z >> 31);
  }
  int below(int n) { return static_cast<int>((*this)() % static_cast<std::uint64_t>(n)); }

 private:
  std::uint64_t state_;
};

const char* const spellings[] = {"inf",        "-Infinity", "nan",    "-nan",     "NAN(123)", "0x1.8p3",
                                 "-0X1P-1074", "1e308",     "-1e308", "4.9e-324", "2.5e-320", "1.7976931348623157e308",
                                 "1.5e3",      "-2E-5",     "+7.",    ".5",       "-0",       "0.0000005",
                                 "1e",         "0x",        "abc",    "1,5",      "--1",      "9999999999.9999999"};

std::string number(Random& random, formula_cases::Generator& hard) {
  char text[64];
  switch (random.below(8)) {
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
    default:
      return spellings[random.below(sizeof spellings / sizeof *spellings)];
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: eb-com-make-records <count> <seed>\n");
    return 2;
  }
  const long count = std::atol(argv[1]);
  Random random(std::strtoull(argv[2], nullptr, 10));
  formula_cases::Generator hard(random());
  const char* const separators[] = {" ", "  ", "\t", " \t "};
  for (long i = 0; i < count; ++i) {
    std::string record;
    const int fields = random.below(8) == 0 ? random.below(5) : 3;
    for (int f = 0; f < fields; ++f) record += (f ? separators[random.below(4)] : "") + number(random, hard);
    switch (random.below(40)) {
      case 0:  // cut at 499 characters
        record += std::string(static_cast<std::size_t>(480 + random.below(60)), ' ') + "12.5";
        break;
      case 1:  // a NUL ends the scan
        record.insert(static_cast<std::size_t>(random.below(static_cast<int>(record.size()) + 1)), 1, '\0');
        break;
      case 2:  // a byte of any value
        if (!record.empty()) {
          record[static_cast<std::size_t>(random.below(static_cast<int>(record.size())))] = static_cast<char>(random());
        }
        break;
      case 3:
        record += "\r";  // CR LF
        break;
      case 4:
        record.clear();  // an empty line
        break;
    }
    std::fwrite(record.data(), 1, record.size(), stdout);
    if (i + 1 < count || random.below(2) == 0) std::fputc('\n', stdout);  // the last line with or without one
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
