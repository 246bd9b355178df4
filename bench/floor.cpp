// The floor under any conversion: cuts the input into records as eb-com
// does and writes as many bytes to the table and the transcript as eb-com
// writes, in the same blocks, but converts nothing.
//
//   eb-com-floor RECORDS TABLE_BYTES TRANSCRIPT_BYTES
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "buffered_output.hpp"
#include "record_reader.hpp"
#include "tool_texts.hpp"

namespace {

// Spaces up to the share of total that is due after record `done` of
// `records`, so that the bytes come out evenly as eb-com's do.
void write_share(eb_com::BufferedOutput& output, long long total, long long records, long long done,
                 long long& written) {
  const long long due = records == 0 ? total : total * done / records;
  const auto size = static_cast<std::size_t>(due - written);
  char* out = output.reserve(size);
  std::memset(out, ' ', size);
  output.commit(out + size);
  written = due;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s RECORDS TABLE_BYTES TRANSCRIPT_BYTES\n", argv[0]);
    return 2;
  }
  const long long records = std::atoll(argv[1]);
  const long long table_bytes = std::atoll(argv[2]);
  const long long transcript_bytes = std::atoll(argv[3]);
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::FILE* input = std::fopen(eb_com::input_file_name, "r");
  std::FILE* table = std::fopen(eb_com::output_file_name, "w");
  if (input == nullptr || table == nullptr) return 1;
  std::setvbuf(input, nullptr, _IONBF, 0);
  std::setvbuf(table, nullptr, _IONBF, 0);

  static eb_com::RecordReader reader(input);
  static eb_com::BufferedOutput table_output(table);
  static eb_com::BufferedOutput transcript_output(stdout);
  long long done = 0, table_written = 0, transcript_written = 0;
  for (std::string_view record; reader.read_record(record);) {
    ++done;
    write_share(transcript_output, transcript_bytes, records, done, transcript_written);
    write_share(table_output, table_bytes, records, done, table_written);
  }
  table_output.flush();
  transcript_output.flush();
  std::fclose(input);
  std::fclose(table);
  return done == records ? 0 : 1;
}
