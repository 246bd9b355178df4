#include "record_warnings.hpp"

#include <gtest/gtest.h>

#include <string>

#include "string_streams.hpp"

namespace {

using eb_com::RecordScan;

// The warnings of records given with what their scan found, without the
// closing line unless asked for.
std::string warnings_of(std::initializer_list<std::pair<std::string, RecordScan>> records, bool closed = false) {
  support::StringOutput errors;
  eb_com::RecordWarnings warnings(errors.stream());
  for (const auto& [record, scan] : records) warnings.note(record, scan);
  warnings.finish();
  if (closed) warnings.close(false);
  return errors.text();
}

// Each field not read is named with the line that last set it. (The
// tool's tests show the rest end to end: a line cut into records keeping its
// number, ten warnings and then their count.)
TEST(RecordWarnings, NameTheLineAndWhereEachFieldNotReadCameFrom) {
  EXPECT_EQ(warnings_of({{"1 2\n", {2, false}}, {"4 5 6\n", {3, false}}, {"7 8\n", {2, false}}, {"x\n", {0, false}}}),
            "eb-com: line 1: 2 of 3 numbers read; velocity 2 still unset (nan)\n"
            "eb-com: line 3: 2 of 3 numbers read; velocity 2 kept from line 2\n"
            "eb-com: line 4: 0 of 3 numbers read; the abscissa and velocity 1 kept from line 3; velocity 2 kept "
            "from line 2\n");
}

// What a user's file holds that the scan cannot tell from observations: the
// warning names the cause, not only the numbers missed.
TEST(RecordWarnings, NameWhatWentWrong) {
  // A fourth number: an error column, whose third number became velocity 2.
  EXPECT_EQ(warnings_of({{"2458000.12345  -45.678  0.512  30.221  0.734\n", {3, true}}}),
            "eb-com: line 1: 5 numbers where 3 are read: the third, 0.512, is read as velocity 2 and the rest "
            "ignored (remove any columns of errors)\n");
  EXPECT_EQ(warnings_of({{"1 2 3 # a comment\n", {3, true}}, {"1 2 3 4,5\n", {3, true}}}),
            "eb-com: line 1: text after the third number ignored\n"
            "eb-com: line 2: 4 numbers where 3 are read: the third, 3, is read as velocity 2 and the rest ignored "
            "(remove any columns of errors)\n");
  // A byte-order mark, at the start of the file only.
  EXPECT_EQ(warnings_of({{"\xEF\xBB\xBF"
                          "1 2 3\n",
                          {0, false}},
                         {"\xEF\xBB\xBF"
                          "1 2 3\n",
                          {0, false}}}),
            "eb-com: line 1: the file begins with a UTF-8 byte-order mark, which is not a number (save the file as "
            "UTF-8 without one, or as plain text)\n"
            "eb-com: line 1: 0 of 3 numbers read; the abscissa, velocity 1 and velocity 2 still unset (nan)\n"
            "eb-com: line 2: 0 of 3 numbers read; the abscissa, velocity 1 and velocity 2 still unset (nan)\n");
  // Carriage returns that end lines, named once for the line they make;
  // before a newline they are white space.
  std::string piece;
  while (piece.size() < 499) piece += "1 2 3\r";
  piece.resize(499);
  EXPECT_EQ(warnings_of({{"1 2 3\r\n", {3, false}}, {piece, {3, true}}, {piece + "\n", {3, true}}}),
            "eb-com: line 2: ends its lines with carriage returns alone (a file with old Mac line ends), so they are "
            "read as one line (convert the line ends to newlines)\n"
            "eb-com: line 2: longer than 499 characters, read as several records\n");
}

// After the transcript, the count of lines not read whole, or why the table
// is empty; nothing for a clean file.
TEST(RecordWarnings, CloseWithTheLinesNotReadWholeOrAnEmptyInput) {
  EXPECT_TRUE(
      warnings_of({{"1 2 3\n", {3, false}}, {"x\n", {0, false}}, {"\n", {0, false}}, {"7 8 9", {3, false}}}, true)
          .ends_with("kept from line 1\n"
                     "eb-com: 2 of 4 lines of ZYKWo_HJX12_RV12.txt not read whole (see the warnings above)\n"));
  EXPECT_EQ(warnings_of({{"1 2 3\n", {3, false}}}, true), "");
  EXPECT_EQ(warnings_of({}, true), "eb-com: ZYKWo_HJX12_RV12.txt is empty, so the table is empty too\n");
  support::StringOutput errors;
  eb_com::RecordWarnings(errors.stream()).close(true);
  EXPECT_EQ(errors.text(), "");
}

}  // namespace
