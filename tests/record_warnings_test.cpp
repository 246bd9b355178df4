#include "record_warnings.hpp"

#include <gtest/gtest.h>

#include <string>

#include "string_streams.hpp"

namespace {

using eb_com::RecordScan;

// The warnings of records given with what their scan found.
std::string warnings_of(std::initializer_list<std::pair<std::string, RecordScan>> records) {
  support::StringOutput errors;
  eb_com::RecordWarnings warnings(errors.stream());
  for (const auto& [record, scan] : records) warnings.note(record, scan);
  warnings.finish();
  return errors.text();
}

TEST(RecordWarnings, NameTheLineAndWhereEachFieldNotReadCameFrom) {
  EXPECT_EQ(warnings_of({{"1 2 3\n", {3, false}}, {"4 5 6\r\n", {3, false}}}), "");
  EXPECT_EQ(warnings_of({{"\n", {0, false}}}),
            "eb-com: line 1: 0 of 3 numbers read; the abscissa, velocity 1 and velocity 2 still unset (nan)\n");
  // Each field keeps the line that last set it.
  EXPECT_EQ(warnings_of({{"1 2\n", {2, false}}, {"4 5 6\n", {3, false}}, {"7 8\n", {2, false}}, {"x\n", {0, false}}}),
            "eb-com: line 1: 2 of 3 numbers read; velocity 2 still unset (nan)\n"
            "eb-com: line 3: 2 of 3 numbers read; velocity 2 kept from line 2\n"
            "eb-com: line 4: 0 of 3 numbers read; the abscissa and velocity 1 kept from line 3; velocity 2 kept "
            "from line 2\n");
  EXPECT_EQ(warnings_of({{"1 2 3\n", {3, false}}, {"1 2 3 4\n", {3, true}}}),
            "eb-com: line 2: text after the third number ignored\n");
}

// A line cut into records keeps its number, and is named once; a last line
// without its newline is not cut.
TEST(RecordWarnings, ACutLineKeepsItsNumber) {
  const std::string piece(499, ' ');
  EXPECT_EQ(warnings_of({{"1 2 3\n", {3, false}},
                         {piece, {0, false}},
                         {piece, {0, false}},
                         {"4 5 6\n", {3, false}},
                         {"7 8 9", {3, false}}}),
            "eb-com: line 2: 0 of 3 numbers read; the abscissa, velocity 1 and velocity 2 kept from line 1\n"
            "eb-com: line 2: longer than 499 characters, read as several records\n"
            "eb-com: line 2: 0 of 3 numbers read; the abscissa, velocity 1 and velocity 2 kept from line 1\n");
}

TEST(RecordWarnings, TenShownThenTheirCount) {
  support::StringOutput errors;
  eb_com::RecordWarnings warnings(errors.stream());
  for (int i = 0; i < 12; ++i) warnings.note("\n", {0, false});
  warnings.finish();
  const std::string text = errors.text();
  EXPECT_NE(text.find("eb-com: line 10: 0 of 3"), std::string::npos);
  EXPECT_EQ(text.find("eb-com: line 11:"), std::string::npos);
  EXPECT_TRUE(text.ends_with("\neb-com: 2 more warnings not shown\n"));
  EXPECT_EQ(warnings.count(), 12);
}

}  // namespace
