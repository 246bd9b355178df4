#include "conversion.hpp"

#include <cmath>
#include <string_view>

#include "centre_of_mass.hpp"
#include "fill_in.hpp"
#include "numbers/fixed_point.hpp"
#include "observation_scan.hpp"
#include "output_lines.hpp"

namespace eb_com {

namespace {

// The row of the record before, written once the next record is scanned:
// formatting vcm waits on the long chain of divisions behind it, and done
// after the next scan it runs beside that work instead of holding it up
// (CONTRIBUTING.md, Performance, for the gain over writing each row at once). Its
// abscissa text is the one of the pair the loop is not filling.
struct PendingRow {
  const AbscissaText* abscissa = nullptr;  // null before the first record
  double vcm = 0;
};

}  // namespace

ConversionSummary convert_records(RecordReader& reader, BufferedOutput& table, BufferedOutput& transcript,
                                  RecordWarnings& warnings) {
  ConversionSummary summary;
  bool range_seen = false;
  Observation observation;
  ScannedAbscissa scanned_abscissa;
  VelocitySpellings spellings;
  // This record's abscissa text and the pending row's, in turn.
  AbscissaText abscissae[] = {AbscissaText(unset_field), AbscissaText(unset_field)};
  std::size_t filling = 0;
  PendingRow pending;
  // One loop for the records and the last row after them: the row's code,
  // called from one place only, is inlined there.
  for (;;) {
    std::string_view record;
    const bool more = reader.read_record(record);
    double vcm = 0;
    if (more) {
      AbscissaText& abscissa = abscissae[filling];
      const RecordScan scan = parse_observation(record, observation, scanned_abscissa, spellings);
      warnings.note(record, scan);
      if (scan.fields_set != 0) {
        abscissa.set(scanned_abscissa);
      } else if (pending.abscissa != nullptr) {
        abscissa = *pending.abscissa;  // a record without numbers keeps the last abscissa
      }
      write_echo_line(transcript, abscissa, observation, spellings);
      vcm = centre_of_mass_velocity(observation);
      if (!std::isnan(vcm)) {
        if (!range_seen || vcm > summary.v_max) summary.v_max = vcm;
        if (!range_seen || vcm < summary.v_min) summary.v_min = vcm;
        range_seen = true;
      }
    }
    if (pending.abscissa != nullptr) write_output_row(table, *pending.abscissa, pending.vcm);
    if (!more) break;
    ++summary.observation_count;
    pending = {&abscissae[filling], vcm};
    filling ^= 1;
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
