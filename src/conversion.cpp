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
  AbscissaText abscissa(observation.abscissa);
  std::string_view record;
  while (reader.read_record(record)) {
    if (parse_observation(record, observation, spellings) != 0) abscissa.set(observation.abscissa, spellings.abscissa);
    ++summary.observation_count;
    write_echo_line(transcript, abscissa, observation, spellings);
    const double vcm = centre_of_mass_velocity(observation);
    if (!std::isnan(vcm)) {
      if (!range_seen || vcm > summary.v_max) summary.v_max = vcm;
      if (!range_seen || vcm < summary.v_min) summary.v_min = vcm;
      range_seen = true;
    }
    write_output_row(table, abscissa, vcm);
  }
  summary.read_failed = reader.read_failed();
  return summary;
}

}  // namespace eb_com
