// The conversion proper: every record of an input stream to its echo line and
// its table row, and what the summary reports.
#pragma once


#include "buffered_output.hpp"
#include "record_reader.hpp"

namespace eb_com {

struct ConversionSummary {
  long long observation_count = 0;
  // The largest and smallest vcm that is a number; until a record gives one
  // they keep these starting values.
  double v_max = -100;
  double v_min = 100;
  bool read_failed = false;
};

// Converts the reader's input to the end, or to a read error, writing to the
// two buffers without flushing them.
ConversionSummary convert_records(RecordReader& reader, BufferedOutput& table, BufferedOutput& transcript);

}  // namespace eb_com
