// Warnings on standard error about lines the scan did not read whole: fewer
// than three numbers, more than three (an error column read as velocity 2),
// text after the third number, a line cut into several records, a
// byte-order mark, carriage returns that end lines. The table and the
// transcript are the same with or without them, and so is the exit status;
// they tell the user which lines to look at, by number, and why. At most
// max_shown, then their count; after the transcript one closing line, the
// last thing a terminal shows.
#pragma once

#include <cstdio>
#include <string_view>

#include "observation_scan.hpp"

namespace eb_com {

class RecordWarnings {
 public:
  static constexpr long long max_shown = 10;

  explicit RecordWarnings(std::FILE* stream) noexcept : stream_(stream) {}

  // Each record after its scan, in order. Nearly every record is read whole
  // and costs one branch and the bookkeeping of its line. A byte-order mark
  // or a carriage return inside a line leaves a record short of numbers or
  // with text after the third, so the unusual path sees both.
  void note(std::string_view record, const RecordScan& scan) noexcept {
    if ((scan.fields_set != 3) | scan.text_after_third | continues_line_) [[unlikely]] {
      note_unusual(record, scan);
    } else {
      whole_line_ = line_;
    }
    continues_line_ = record.back() != '\n';
    line_ += !continues_line_;
  }

  // After the last record: the count of the warnings not shown, if any.
  void finish() noexcept;

  // After the transcript: how many lines in all were not read whole, or,
  // for an input without a line, that the table is empty because the input
  // is (not after a read error, which is reported on its own). Nothing for
  // an input read whole.
  void close(bool read_failed) noexcept;

 private:
  void note_unusual(std::string_view record, const RecordScan& scan) noexcept;
  void note_fields_not_read(const RecordScan& scan) noexcept;
  void note_text_after_third(std::string_view record) noexcept;
  // The line that last set a field, 0 for none: lines only grow, so the
  // later of the last record that set all three and the last that set it
  // alone.
  long long set_on_line(int field) const noexcept {
    return whole_line_ > partly_set_on_line_[field] ? whole_line_ : partly_set_on_line_[field];
  }
  // A warning about the current line: "line N: " and the pieces.
  void write(std::string_view a, std::string_view b = {}, std::string_view c = {}, std::string_view d = {},
             std::string_view e = {}) noexcept;

  std::FILE* stream_;
  long long line_ = 1;                    // the input line of the record, from 1
  long long whole_line_ = 0;              // the last line whose record set all three fields
  long long partly_set_on_line_[3] = {};  // the last that set each field but not all three
  bool continues_line_ = false;           // the last record ended without its newline
  long long cut_line_reported_ = 0;
  long long carriage_returns_reported_ = 0;
  long long lines_warned_ = 0;  // lines with at least one warning
  long long last_line_warned_ = 0;
  long long count_ = 0;
};

}  // namespace eb_com
