#include "observation_scan.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "decimal_scan.hpp"
#include "record_reader.hpp"

namespace eb_com {
namespace {

static_assert(record_padding >= self_printing_window);

// White space as the scanf family sees it in the POSIX locale.
bool is_space(char c) noexcept { return c == ' ' || (c >= '\t' && c <= '\r'); }

const char* skip_space(const char* p, const char* last) noexcept {
  while (p != last && is_space(*p)) ++p;
  return p;
}

// A number sscanf reads ends at white space, at a NUL or at the record's end.
bool ends_number(const char* p, const char* last) noexcept { return p == last || *p == '\0' || is_space(*p); }

// The rare record, with any other shape of number or text among its fields.
int scan_with_sscanf(std::string_view record, Observation& observation, FieldSpellings& spellings) noexcept {
  spellings = {};
  // sscanf needs a terminated string.
  char text[max_record_length + 1];
  std::memcpy(text, record.data(), record.size());
  text[record.size()] = '\0';
  return std::max(0, std::sscanf(text, " %lf %lf %lf ", &observation.abscissa, &observation.velocity1,
                                 &observation.velocity2));
}

}  // namespace

int parse_observation(std::string_view record, Observation& observation, FieldSpellings& spellings) noexcept {
  record = record.substr(0, max_record_length);
  const char* const last = record.data() + record.size();

  // Every field a plain decimal ending where sscanf would end it, or the
  // record goes to sscanf; a value stored before that is one sscanf stores
  // again. Most fields are decimals that print as themselves, read without a
  // general conversion, and the abscissa among them with none at all.
  double* const values[] = {nullptr, &observation.velocity1, &observation.velocity2};
  FieldSpelling* const spelled[] = {&spellings.abscissa, &spellings.velocity1, &spellings.velocity2};
  const char* p = record.data();
  for (int field = 0; field < 3; ++field) {
    p = skip_space(p, last);
    if (p == last || *p == '\0') {
      for (int unreached = field; unreached < 3; ++unreached) *spelled[unreached] = {};
      return field;
    }
    const SelfPrintingDecimal self_printing = find_self_printing_decimal(p, last);
    const char* end = p + self_printing.length;
    if (self_printing.length != 0 && ends_number(end, last)) {
      if (field != 0) *values[field] = self_printing_value(p, self_printing);
      // Member by member: a whole struct built on the stack first and copied
      // in wide loads would wait for its narrow parts to be written.
      FieldSpelling& spelling = *spelled[field];
      spelling.text = p;
      spelling.length = self_printing.length;
      spelling.self_printing = self_printing;
    } else {
      end = scan_plain_decimal(p, last, field == 0 ? observation.abscissa : *values[field]);
      if (end == nullptr || !ends_number(end, last)) return scan_with_sscanf(record, observation, spellings);
      *spelled[field] = {p, static_cast<std::uint32_t>(end - p), {}};
    }
    p = end;
  }
  return 3;
}

}  // namespace eb_com
