// Arbitrary bytes as the contents of an input file: eb-com's conversion must
// write exactly the table, echo lines and summary that the plain fgets /
// sscanf / fprintf conversion writes, or the run aborts.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "buffered_output.hpp"
#include "conversion.hpp"
#include "stdio_conversion.hpp"

namespace {

// A stream over a copy of the bytes (fmemopen wants a writable buffer, even
// for reading, and one of at least a byte).
std::FILE* input_stream(const std::uint8_t* data, std::size_t size, std::string& copy) {
  copy.assign(reinterpret_cast<const char*>(data), size);
  copy.push_back('\0');
  return fmemopen(copy.data(), size, "r");
}

struct Memory {
  char* data = nullptr;
  std::size_t size = 0;
  std::FILE* stream = open_memstream(&data, &size);
  ~Memory() {
    if (stream != nullptr) std::fclose(stream);
    std::free(data);
  }
  std::string text() {
    std::fflush(stream);
    return {data, size};
  }
};

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
  std::string copy;
  std::FILE* input = input_stream(data, size, copy);
  Memory table, transcript;
  if (input == nullptr || table.stream == nullptr || transcript.stream == nullptr) std::abort();
  eb_com::ConversionSummary summary;
  {
    eb_com::BufferedOutput table_output(table.stream);
    eb_com::BufferedOutput transcript_output(transcript.stream);
    summary = eb_com::convert_records(input, table_output, transcript_output);
    table_output.flush();
    transcript_output.flush();
  }
  std::fclose(input);

  std::FILE* reference_input = input_stream(data, size, copy);
  Memory reference_table, reference_transcript;
  const stdio_reference::Summary reference =
      stdio_reference::convert(reference_input, reference_table.stream, reference_transcript.stream);
  std::fclose(reference_input);

  expect_same("table", table.text(), reference_table.text());
  expect_same("transcript", transcript.text(), reference_transcript.text());
  if (summary.read_failed || summary.observation_count != reference.observation_count ||
      !same_bits(summary.v_max, reference.v_max) || !same_bits(summary.v_min, reference.v_min)) {
    std::fprintf(stderr, "summary differs: %lld %a %a against %lld %a %a\n",
                 static_cast<long long>(summary.observation_count), summary.v_max, summary.v_min,
                 static_cast<long long>(reference.observation_count), reference.v_max, reference.v_min);
    std::abort();
  }
  return 0;
}
