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
  std::string_view record;
  while (reader.read_record(record)) {
    parse_observation(record, observation, spellings);
    ++summary.observation_count;
    // The row pads the abscissa's text from the echo line rather than
    // formatting the number again.
    const std::string_view abscissa_text = write_echo_line(transcript, observation, spellings);
    const double vcm = centre_of_mass_velocity(observation);
    if (!std::isnan(vcm)) {
      if (!range_seen || vcm > summary.v_max) summary.v_max = vcm;
      if (!range_seen || vcm < summary.v_min) summary.v_min = vcm;
      range_seen = true;
    }
    write_output_row(table, abscissa_text, vcm);
  }
  summary.read_failed = reader.read_failed();
  return summary;
}

}  // namespace eb_com
