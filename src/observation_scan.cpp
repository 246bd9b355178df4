#include "observation_scan.hpp"

#include <cstdio>
#include <cstring>

#include "decimal_scan.hpp"
#include "record_reader.hpp"

namespace eb_com {
namespace {

// White space as the scanf family sees it in the POSIX locale.
bool is_space(char c) noexcept { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The common case, done without sscanf: every field is a plain decimal number
// ending at white space or at the end of the scan. Fills fields[0..count) and
// their spellings and returns true, or returns false (storing nothing that
// matters) for a record that only sscanf itself may judge.
bool scan_plain_fields(std::string_view record, double (&fields)[3], std::string_view (&spellings)[3],
                       int& count) noexcept {
  const char* p = record.data();
  const char* const last = p + record.size();
  count = 0;
  for (double& field : fields) {
    while (p != last && is_space(*p)) ++p;
    if (p == last || *p == '\0') return true;
    const char* end = scan_plain_decimal(p, last, field);
    if (end == nullptr || (end != last && *end != '\0' && !is_space(*end))) return false;
    spellings[count] = std::string_view(p, static_cast<std::size_t>(end - p));
    p = end;
    ++count;
  }
  return true;
}

}  // namespace

void parse_observation(std::string_view record, Observation& observation, FieldSpellings& spellings) noexcept {
  record = record.substr(0, max_record_length);
  double fields[3];
  std::string_view field_spellings[3];
  int count = 0;
  spellings = {};
  if (scan_plain_fields(record, fields, field_spellings, count)) {
    double* const targets[] = {&observation.abscissa, &observation.velocity1, &observation.velocity2};
    std::string_view* const spelled[] = {&spellings.abscissa, &spellings.velocity1, &spellings.velocity2};
    for (int i = 0; i < count; ++i) {
      *targets[i] = fields[i];
      *spelled[i] = field_spellings[i];
    }
    return;
  }
  // sscanf needs a terminated string; only the rare record comes here.
  char text[max_record_length + 1];
  std::memcpy(text, record.data(), record.size());
  text[record.size()] = '\0';
  std::sscanf(text, " %lf %lf %lf ", &observation.abscissa, &observation.velocity1, &observation.velocity2);
}

}  // namespace eb_com
