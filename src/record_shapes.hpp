// The shapes of plain records: where a record's three fields are and how each
// is spelled, worked out once for each shape and remembered. A table's
// records come in few shapes (its columns' widths and the velocities' signs
// and digits), so nearly all are recognised by their shape alone instead of
// being scanned field by field.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "numbers/self_printing_decimal.hpp"

namespace eb_com {

// A plain record is at most this many characters of white space and three
// decimals that print as themselves, and nothing else.
inline constexpr std::size_t plain_record_limit = 48;

// plain_fields reads whole blocks of 16 bytes from the record's start, up
// to this many past its end.
inline constexpr std::size_t shape_read_past_end = 32;

struct PlainField {
  std::uint8_t start = 0;  // its place in the record
  SelfPrintingReading reading;
};
using PlainFields = std::array<PlainField, 3>;

class RecordShapes {
 public:
  RecordShapes() noexcept;

  // The fields of the record [first, first + length) where it is plain, or
  // nullptr for any other record.
  const PlainFields* plain_fields(const char* first, std::size_t length) noexcept;

 private:
  // What a shape is known by, once every byte of a record is known to be
  // white space, a digit, a point or a minus sign: where the white space,
  // the points and the minus signs are, and its length (above the white
  // space's bits, which end at bit plain_record_limit); the digits are the
  // rest.
  struct Key {
    std::uint64_t spaces_and_length;
    std::uint64_t points;
    std::uint64_t minus_signs;

    bool operator==(const Key&) const noexcept = default;
  };
  struct Shape {
    Key key;
    // Where each field's integer part starts: a zero there followed by a
    // digit ("01.5") does not print as itself, whatever the shape.
    std::uint64_t integer_starts;
    bool plain;
    PlainFields fields;
  };

  static Shape decoded(const Key& key) noexcept;

  // Two ways a set: a shape that finds both taken pushes out the one
  // stored longer ago, worked out again when it comes back. On the bench's
  // table (CONTRIBUTING.md, Performance) a shape is worked out for 1 record
  // in 180; with one way a set of twice as many, for 1 in 11.
  static constexpr std::size_t sets = 128;
  Shape shapes_[2 * sets];
};

}  // namespace eb_com
