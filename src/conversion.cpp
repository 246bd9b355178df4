#include "conversion.hpp"

#include <cmath>
#include <string_view>

#include "observation.hpp"

namespace eb_com {

ConversionSummary convert_records(std::FILE* input, BufferedOutput& table, BufferedOutput& transcript) {
  ConversionSummary summary;
  bool range_seen = false;
  RecordReader reader(input);
  Observation observation;
  FieldSpellings spellings;
  std::string_view record;
  while (reader.read_record(record)) {
    parse_observation(record, observation, spellings);
    ++summary.observation_count;
    const double vcm = centre_of_mass_velocity(observation);
    if (!std::isnan(vcm)) {
      if (!range_seen || vcm > summary.v_max) summary.v_max = vcm;
      if (!range_seen || vcm < summary.v_min) summary.v_min = vcm;
      range_seen = true;
    }
    write_record_lines(transcript, table, observation, spellings, vcm);
  }
  summary.read_failed = reader.read_failed();
  return summary;
}

}  // namespace eb_com
