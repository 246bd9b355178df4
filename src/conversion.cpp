#include "conversion.hpp"

#include <cmath>
#include <string_view>

#include "centre_of_mass.hpp"
#include "fill_in.hpp"
#include "numbers/fixed_point.hpp"
#include "observation_scan.hpp"
#include "output_lines.hpp"

namespace eb_com {

ConversionSummary convert_records(RecordReader& reader, BufferedOutput& table, BufferedOutput& transcript,
                                  RecordWarnings& warnings) {
  ConversionSummary summary;
  bool range_seen = false;
  Observation observation;
  RecordShapes shapes;
  // The last record's row, begun in the table's buffer with its abscissa,
  // is ended once the next record is scanned: formatting vcm waits on the
  // long chain of divisions behind it, and done after the next scan it runs
  // beside that work instead of holding it up (CONTRIBUTING.md, Performance,
  // for the gain over writing each row at once). Nothing else is written to
  // the table in between.
  char* open_row = nullptr;  // null before the first record
  double open_row_vcm = 0;
  // One loop for the records and the last row after them: the row's code,
  // called from one place only, is inlined there.
  for (;;) {
    std::string_view record;
    const bool more = reader.read_record(record);
    double vcm = 0;
    if (more) {
      warnings.note(record, parse_observation(record, observation, shapes));
      write_echo_line(transcript, observation);
      vcm = centre_of_mass_velocity(observation.velocity1.value(), observation.velocity2.value());
      if (!std::isnan(vcm)) {
        if (!range_seen || vcm > summary.v_max) summary.v_max = vcm;
        if (!range_seen || vcm < summary.v_min) summary.v_min = vcm;
        range_seen = true;
      }
    }
    if (open_row != nullptr) table.commit(end_output_row(open_row, open_row_vcm));
    if (!more) break;
    ++summary.observation_count;
    open_row = begin_output_row(table.reserve(max_output_row_length), observation.abscissa);
    open_row_vcm = vcm;
  }
  warnings.finish();
  summary.read_error = reader.read_error();
  return summary;
}

void write_summary(BufferedOutput& transcript, const ConversionSummary& summary) noexcept {
  char text[max_fixed_length];
  const auto filled = [&](const char* format, const char* end) {
    fill_in_to(transcript, format, std::string_view(text, static_cast<std::size_t>(end - text)));
  };
  filled(count_format, format_integer(text, static_cast<std::uint64_t>(summary.observation_count)));
  filled(v_max_format, format_fixed<lf_decimals>(text, summary.v_max));
  filled(v_min_format, format_fixed<lf_decimals>(text, summary.v_min));
}

}  // namespace eb_com
