// Writes an input file of records in every shape the tests know, for runs
// of two builds of eb-com to be compared byte for byte:
//   eb-com-make-records <count> <seed> > ZYKWo_HJX12_RV12.txt
#include <cstdio>
#include <cstdlib>
#include <string>

#include "generated_records.hpp"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: eb-com-make-records <count> <seed>\n");
    return 2;
  }
  const long count = std::atol(argv[1]);
  test_support::RecordGenerator records(std::strtoull(argv[2], nullptr, 10));
  for (long i = 0; i < count; ++i) {
    const std::string record = records.next();
    std::fwrite(record.data(), 1, record.size(), stdout);
    if (i + 1 < count || records.last_newline()) std::fputc('\n', stdout);
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
