// Arbitrary bytes as the contents of an input file: eb-com's conversion must
// write exactly the table, echo lines and summary that the plain fgets /
// sscanf / fprintf conversion writes, or the run aborts.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "glibc_misrounding.hpp"
#include "memory_conversion.hpp"

namespace {

void expect_same(const char* what, const std::string& got, const std::string& expected) {
  if (got == expected) return;
  std::size_t at = 0;
  while (at < got.size() && at < expected.size() && got[at] == expected[at]) ++at;
  std::fprintf(stderr, "%s differs at byte %zu:\n  eb-com:    \"%s\"\n  reference: \"%s\"\n", what, at,
               got.substr(at, 80).c_str(), expected.substr(at, 80).c_str());
  std::abort();
}

bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The reference's own known fault, not eb-com's (platform.hpp).
  if (support::holds_glibc_hex_subnormal_misrounding(bytes)) return 0;
  const auto converted = support::convert_with_eb_com(bytes);
  const auto reference = support::convert_with_stdio(bytes);
  expect_same("table", converted.table, reference.table);
  expect_same("transcript", converted.transcript, reference.transcript);
  const eb_com::ConversionSummary& summary = converted.summary;
  if (summary.read_error != 0 || summary.observation_count != reference.summary.observation_count ||
      !same_bits(summary.v_max, reference.summary.v_max) || !same_bits(summary.v_min, reference.summary.v_min)) {
    std::fprintf(stderr, "summary differs: %lld %a %a against %lld %a %a\n", summary.observation_count, summary.v_max,
                 summary.v_min, reference.summary.observation_count, reference.summary.v_max, reference.summary.v_min);
    std::abort();
  }
  return 0;
}
