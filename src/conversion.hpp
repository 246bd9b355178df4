// The conversion proper: every record of an input stream to its echo line and
// its table row, and what the summary reports.
#pragma once

#include "buffered_output.hpp"
#include "record_reader.hpp"
#include "record_warnings.hpp"

namespace eb_com {

// What the summary shows as the largest and smallest vcm until a record
// gives one that is a number.
inline constexpr double v_max_start = -100;
inline constexpr double v_min_start = 100;

struct ConversionSummary {
  long long observation_count = 0;
  double v_max = v_max_start;
  double v_min = v_min_start;
  int read_error = 0;  // the errno of a read that failed, or 0
};

// Converts the reader's input to the end, or to a read error, writing to the
// two buffers without flushing them, and telling warnings of every record.
ConversionSummary convert_records(RecordReader& reader, BufferedOutput& table, BufferedOutput& transcript,
                                  RecordWarnings& warnings);

// The transcript's last lines: the count, V max and V min.
void write_summary(BufferedOutput& transcript, const ConversionSummary& summary) noexcept;

}  // namespace eb_com
