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

#include "buffered_output.hpp"
#include "conversion.hpp"
#include "stdio_conversion.hpp"
#include "string_streams.hpp"

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
  support::StringOutput table, transcript;
  eb_com::ConversionSummary summary;
  {
    const support::StringInput input(bytes);
    // The least blocks, so that every input of a few kilobytes crosses
    // several, in and out.
    eb_com::RecordReader reader(input.stream(), eb_com::min_read_block_size);
    eb_com::BufferedOutput table_output(table.stream(), eb_com::BufferedOutput::min_block_size);
    eb_com::BufferedOutput transcript_output(transcript.stream(), eb_com::BufferedOutput::min_block_size);
    summary = eb_com::convert_records(reader, table_output, transcript_output);
    table_output.flush();
    transcript_output.flush();
  }

  support::StringOutput reference_table, reference_transcript;
  const support::StringInput reference_input(bytes);
  const stdio_conversion::Summary reference =
      stdio_conversion::convert(reference_input.stream(), reference_table.stream(), reference_transcript.stream());

  expect_same("table", table.text(), reference_table.text());
  expect_same("transcript", transcript.text(), reference_transcript.text());
  if (summary.read_failed || summary.observation_count != reference.observation_count ||
      !same_bits(summary.v_max, reference.v_max) || !same_bits(summary.v_min, reference.v_min)) {
    std::fprintf(stderr, "summary differs: %lld %a %a against %lld %a %a\n", summary.observation_count,
                 summary.v_max, summary.v_min, reference.observation_count, reference.v_max, reference.v_min);
    std::abort();
  }
  return 0;
}
