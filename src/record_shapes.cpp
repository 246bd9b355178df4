#include "record_shapes.hpp"

#include <bit>

#include "numbers/byte_marks.hpp"

namespace eb_com {
namespace {

static_assert(plain_record_limit % marked_bytes == 0 && plain_record_limit <= 56 &&
              shape_read_past_end >= 2 * marked_bytes);

// The record's bytes of each kind, bit i for byte i; none past its end.
struct RecordMarks {
  std::uint64_t text;  // not white space
  std::uint64_t digits;
  std::uint64_t zeros;
  std::uint64_t points;
  std::uint64_t minus_signs;
};

// Reads two blocks of 16 bytes, or three for a record longer than 32
// characters: at most 32 bytes past the record's end.
RecordMarks record_marks(const char* first, std::size_t length) noexcept {
  std::uint64_t spaces = 0, digits = 0, zeros = 0, points = 0, minus_signs = 0;
  const auto add_block = [&](int block) {
    const char* const p = first + marked_bytes * block;
    const int shift = marked_bytes * block;
    spaces |= std::uint64_t{space_marks(p)} << shift;
    digits |= std::uint64_t{digit_marks(p)} << shift;
    zeros |= std::uint64_t{zero_marks(p)} << shift;
    points |= std::uint64_t{point_marks(p)} << shift;
    minus_signs |= std::uint64_t{minus_marks(p)} << shift;
  };
  add_block(0);
  add_block(1);
  if (length > 2 * marked_bytes) add_block(2);
  const std::uint64_t in_record = (std::uint64_t{1} << length) - 1;
  return {~spaces & in_record, digits & in_record, zeros & in_record, points & in_record, minus_signs & in_record};
}

std::size_t set_of(std::uint64_t spaces_and_length, std::uint64_t points, std::uint64_t minus_signs,
                   std::size_t sets) noexcept {
  // Fibonacci hashing of a sum in which each kind's bits are weighted apart.
  const std::uint64_t mixed = (spaces_and_length + points * 3 + minus_signs * 5) * 0x9E3779B97F4A7C15;
  return static_cast<std::size_t>(mixed >> (64 - std::countr_zero(sets)));
}

}  // namespace

RecordShapes::RecordShapes() noexcept : shapes_{} {
  // A length no record has: no key matches until its shape is stored.
  for (Shape& shape : shapes_) shape.key.spaces_and_length = ~std::uint64_t{0};
}

RecordShapes::Shape RecordShapes::decoded(const Key& key) noexcept {
  static_assert(std::has_single_bit(sets));
  const std::size_t length = key.spaces_and_length >> 56;
  const std::uint64_t in_record = (std::uint64_t{1} << length) - 1;
  const std::uint64_t text = ~key.spaces_and_length & in_record;
  const std::uint64_t minus_signs = key.minus_signs;
  const std::uint64_t points = key.points;
  const std::uint64_t digits = text & ~points & ~minus_signs;
  std::uint64_t starts = text & ~(text << 1);
  std::uint64_t lasts = text & ~(text >> 1);
  Shape shape{key, (starts & ~minus_signs) | (minus_signs << 1), false, {}};
  // Three fields, each an optional minus sign, then digits with at most one
  // point and a digit before it: a minus sign only at a field's start and
  // followed by a digit, a point only after a digit (one a field, below).
  // Clearing the lowest bit three times leaves nothing where there were
  // three.
  const std::uint64_t past_second = (starts & (starts - 1)) & ((starts & (starts - 1)) - 1);
  if (past_second == 0 || (past_second & (past_second - 1)) != 0 || (minus_signs & ~starts) != 0 ||
      ((minus_signs << 1) & ~digits) != 0 || (points & ~(digits << 1)) != 0) {
    return shape;
  }
  for (PlainField& field : shape.fields) {
    // Every shift is below 64: places are below plain_record_limit.
    const auto start = static_cast<unsigned>(std::countr_zero(starts));
    const unsigned field_length = static_cast<unsigned>(std::countr_zero(lasts)) + 1 - start;
    const std::uint64_t field_points = points >> start & ((std::uint64_t{1} << field_length) - 1);
    const auto point = static_cast<unsigned>(std::countr_zero(field_points | std::uint64_t{1} << field_length));
    const unsigned integer_digits = point - static_cast<unsigned>(minus_signs >> start & 1);
    const unsigned decimals = field_length - point - (field_points != 0);
    if ((field_points & (field_points - 1)) != 0 || field_length > self_printing_window ||
        integer_digits > self_printing_detail::max_integer_digits || decimals > self_printing_decimals) {
      return shape;
    }
    const SelfPrintingDecimal decimal{static_cast<std::uint8_t>(field_length), static_cast<std::uint8_t>(point),
                                      static_cast<std::uint8_t>(decimals)};
    field = {static_cast<std::uint8_t>(start), self_printing_reading(decimal, (minus_signs >> start & 1) != 0)};
    starts &= starts - 1;
    lasts &= lasts - 1;
  }
  shape.plain = true;
  return shape;
}

const PlainFields* RecordShapes::plain_fields(const char* first, std::size_t length) noexcept {
  if (length > plain_record_limit) return nullptr;
  const RecordMarks marks = record_marks(first, length);
  // A letter, a sign '+', a comma, a NUL: not plain, whatever the shape.
  if ((marks.text & ~(marks.digits | marks.points | marks.minus_signs)) != 0) return nullptr;
  const std::uint64_t in_record = (std::uint64_t{1} << length) - 1;
  const Key key{(~marks.text & in_record) | std::uint64_t{length} << 56, marks.points, marks.minus_signs};
  Shape* const set = &shapes_[2 * set_of(key.spaces_and_length, key.points, key.minus_signs, sets)];
  // Which way holds it is chosen without a branch: two shapes of one set
  // that come in turn would each mispredict one.
  const bool in_second = set[1].key == key;
  if (!(in_second | (set[0].key == key))) [[unlikely]] {
    set[1] = set[0];
    set[0] = decoded(key);
  }
  const Shape& shape = set[in_second];
  if (!shape.plain || (marks.zeros & shape.integer_starts & (marks.digits >> 1)) != 0) return nullptr;
  return &shape.fields;
}

}  // namespace eb_com
