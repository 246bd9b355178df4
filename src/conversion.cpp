#include "conversion.hpp"

#include <cmath>
#include <string_view>

#include "centre_of_mass.hpp"
#include "observation_scan.hpp"
#include "output_lines.hpp"

namespace eb_com {

ConversionSummary convert_records(RecordReader& reader, BufferedOutput& table, BufferedOutput& transcript) {
  ConversionSummary summary;
  bool range_seen = false;
  Observation observation;
  FieldSpellings spellings;
  // Each record's row is written a record late: formatting vcm waits on the
  // long chain of divisions behind it, and done after the next record's
  // scan, it runs beside that work instead of holding it up. So the
  // abscissa's text is held twice, for this record and the one before.
  AbscissaText abscissae[] = {AbscissaText(observation.abscissa), AbscissaText(observation.abscissa)};
  std::size_t previous = 0;
  double previous_vcm = 0;
  // One loop for the records and the last row after them: the row's code,
  // called from one place only, is inlined there.
  for (;;) {
    std::string_view record;
    const bool more = reader.read_record(record);
    double vcm = 0;
    if (more) {
      AbscissaText& abscissa = abscissae[previous ^ 1];
      if (parse_observation(record, observation, spellings) != 0) {
        abscissa.set(observation.abscissa, spellings.abscissa);
      } else {
        abscissa = abscissae[previous];
      }
      write_echo_line(transcript, abscissa, observation, spellings);
      vcm = centre_of_mass_velocity(observation);
      if (!std::isnan(vcm)) {
        if (!range_seen || vcm > summary.v_max) summary.v_max = vcm;
        if (!range_seen || vcm < summary.v_min) summary.v_min = vcm;
        range_seen = true;
      }
    }
    if (summary.observation_count != 0) write_output_row(table, abscissae[previous], previous_vcm);
    if (!more) break;
    ++summary.observation_count;
    previous ^= 1;
    previous_vcm = vcm;
  }
  summary.read_failed = reader.read_failed();
  return summary;
}

}  // namespace eb_com
