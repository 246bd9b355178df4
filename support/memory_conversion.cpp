#include "memory_conversion.hpp"

#include "buffered_output.hpp"
#include "record_reader.hpp"
#include "string_streams.hpp"

namespace support {

Converted<eb_com::ConversionSummary> convert_with_eb_com(std::string_view bytes) {
  StringOutput table, transcript, errors;
  eb_com::ConversionSummary summary;
  {
    const StringInput input(bytes);
    eb_com::RecordReader reader(input.stream(), eb_com::min_read_block_size);
    eb_com::BufferedOutput table_output(table.stream(), eb_com::BufferedOutput::min_block_size);
    eb_com::BufferedOutput transcript_output(transcript.stream(), eb_com::BufferedOutput::min_block_size);
    eb_com::RecordWarnings warnings(errors.stream());
    summary = eb_com::convert_records(reader, table_output, transcript_output, warnings);
    table_output.flush();
    transcript_output.flush();
  }
  return {table.text(), transcript.text(), errors.text(), summary};
}

Converted<stdio_conversion::Summary> convert_with_stdio(std::string_view bytes) {
  StringOutput table, transcript;
  const StringInput input(bytes);
  const stdio_conversion::Summary summary =
      stdio_conversion::convert(input.stream(), table.stream(), transcript.stream());
  return {table.text(), transcript.text(), "", summary};
}

}  // namespace support
