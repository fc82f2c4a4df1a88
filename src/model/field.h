// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Addresses of settings fields inside the block copies of TMK: fields, runs
// and tables of fields, bit fields, and records read into plain structs.
#include <array>
#include <cstdint>
#include <span>
#include <type_traits>

namespace tc {

enum class FieldType : uint8_t { s8, u8, s16, u16, s32, u32, f32, text };

// A field is named by its block (1..13), its byte offset from the block's
// first byte in the device, and its type. Text fields also carry a length.
struct FieldRef {
  uint8_t block = 0;
  uint16_t offset = 0;
  FieldType type = FieldType::u8;
  uint16_t length = 0;  // text fields only

  // A default-constructed field names nothing (block 0).
  constexpr bool IsSet() const { return block != 0; }

  constexpr int Width() const {
    switch (type) {
      case FieldType::s8:
      case FieldType::u8:
        return 1;
      case FieldType::s16:
      case FieldType::u16:
        return 2;
      case FieldType::s32:
      case FieldType::u32:
      case FieldType::f32:
        return 4;
      case FieldType::text:
        return length;
    }
    return 1;
  }

  // The numbers an integer field holds; false for floats and texts.
  constexpr bool IntegerRange(int64_t& lo, int64_t& hi) const {
    switch (type) {
      case FieldType::s8:
        lo = -128, hi = 127;
        return true;
      case FieldType::u8:
        lo = 0, hi = 255;
        return true;
      case FieldType::s16:
        lo = -32768, hi = 32767;
        return true;
      case FieldType::u16:
        lo = 0, hi = 65535;
        return true;
      case FieldType::s32:
        lo = -2147483648LL, hi = 2147483647LL;
        return true;
      case FieldType::u32:
        lo = 0, hi = 4294967295LL;
        return true;
      case FieldType::f32:
      case FieldType::text:
        break;
    }
    return false;
  }
};

constexpr FieldRef S8(int b, int o) {
  return {uint8_t(b), uint16_t(o), FieldType::s8, 0};
}
constexpr FieldRef U8(int b, int o) {
  return {uint8_t(b), uint16_t(o), FieldType::u8, 0};
}
constexpr FieldRef S16(int b, int o) {
  return {uint8_t(b), uint16_t(o), FieldType::s16, 0};
}
constexpr FieldRef U16(int b, int o) {
  return {uint8_t(b), uint16_t(o), FieldType::u16, 0};
}
constexpr FieldRef S32(int b, int o) {
  return {uint8_t(b), uint16_t(o), FieldType::s32, 0};
}
constexpr FieldRef U32(int b, int o) {
  return {uint8_t(b), uint16_t(o), FieldType::u32, 0};
}
constexpr FieldRef F32(int b, int o) {
  return {uint8_t(b), uint16_t(o), FieldType::f32, 0};
}
constexpr FieldRef Text(int b, int o, int len) {
  return {uint8_t(b), uint16_t(o), FieldType::text, uint16_t(len)};
}

// `count` fields of one type, `stride` bytes apart, from `first`.
struct FieldArray {
  FieldRef first{};
  int count = 0;
  int stride = 0;

  constexpr FieldRef operator[](int i) const {
    FieldRef f = first;
    f.offset = uint16_t(first.offset + i * stride);
    return f;
  }
  constexpr int Size() const { return count; }
};

// `rows` × `cols` fields of one type: field (r, c) lies at
// first + r * rowStride + c * colStride.
struct FieldGrid {
  FieldRef first{};
  int rows = 0;
  int rowStride = 0;
  int cols = 0;
  int colStride = 0;

  constexpr FieldRef operator()(int r, int c) const {
    FieldRef f = first;
    f.offset = uint16_t(first.offset + r * rowStride + c * colStride);
    return f;
  }
  constexpr FieldArray Row(int r) const { return {(*this)(r, 0), cols, colStride}; }
  // Every cell in one run, for grids whose rows follow each other.
  constexpr FieldArray Flat() const { return {first, rows * cols, colStride}; }
};

// A group of `count` bits of a field, from bit `first` (bit 0 the least
// significant bit of the field's little-endian value) upwards.
struct BitField {
  FieldRef field{};
  uint8_t first = 0;
  uint8_t count = 1;

  // The group's bits in place, and the same number of bits from bit 0.
  constexpr uint64_t LowMask() const {
    return count >= 64 ? ~uint64_t{0} : (uint64_t{1} << count) - 1;
  }
  constexpr uint64_t Mask() const { return LowMask() << first; }
  // The group's value in a field value.
  constexpr uint64_t Extract(uint64_t word) const { return (word >> first) & LowMask(); }
  // The field value with the group replaced by value (cut to the group's
  // width); the other bits stay.
  constexpr uint64_t Insert(uint64_t word, uint64_t value) const {
    return (word & ~Mask()) | ((value & LowMask()) << first);
  }
  // The same bits of another field: a bit field declared on the first field
  // of an array applies to every field of it.
  constexpr BitField On(const FieldRef& f) const { return {f, first, count}; }
};

// --- Records ------------------------------------------------------------------
//
// A record is a run of bytes that one plain struct stands for (a journal
// entry, a fault). Its members are declared once, as (struct member, offset
// from the record's first byte); the field type follows from the member's
// C++ type, and an std::array member stands for that many fields one after
// another. One reader and one writer (model/record_io.h) move a whole record
// between the block copies and its struct.

namespace record_detail {

template <class P>
struct MemberPointer;
template <class R, class M>
struct MemberPointer<M R::*> {
  using Record = R;
  using Type = M;
};

template <class T>
struct Element {
  using Type = T;
  static constexpr int count = 1;
};
template <class T, size_t N>
struct Element<std::array<T, N>> {
  using Type = T;
  static constexpr int count = int(N);
};

template <class T>
constexpr FieldType TypeOf() {
  static_assert(std::is_integral_v<T> && sizeof(T) <= 4, "record members are integers");
  if constexpr (sizeof(T) == 1)
    return std::is_signed_v<T> ? FieldType::s8 : FieldType::u8;
  else if constexpr (sizeof(T) == 2)
    return std::is_signed_v<T> ? FieldType::s16 : FieldType::u16;
  else
    return std::is_signed_v<T> ? FieldType::s32 : FieldType::u32;
}

template <auto P>
using RecordOf = typename MemberPointer<decltype(P)>::Record;
template <auto P>
using ElementOf = Element<typename MemberPointer<decltype(P)>::Type>;

template <auto P>
void Put(RecordOf<P>& r, int i, int64_t v) {
  using T = typename ElementOf<P>::Type;
  if constexpr (ElementOf<P>::count > 1)
    (r.*P)[size_t(i)] = T(v);
  else
    r.*P = T(v);
}

template <auto P>
int64_t Get(const RecordOf<P>& r, int i) {
  if constexpr (ElementOf<P>::count > 1)
    return int64_t((r.*P)[size_t(i)]);
  else
    return int64_t(r.*P);
}

}  // namespace record_detail

// One member of record struct R: where its field lies (block 0, offset from
// the record's first byte), how many fields it spans, and how its value
// moves in and out of the struct.
template <class R>
struct RecordMember {
  FieldRef field{};
  int count = 1;  // an array member: `count` fields, one after another
  void (*put)(R&, int index, int64_t value) = nullptr;
  int64_t (*get)(const R&, int index) = nullptr;

  constexpr int End() const { return field.offset + count * field.Width(); }
};

// The member M of its record struct at `offset` bytes into the record.
template <auto M>
constexpr RecordMember<record_detail::RecordOf<M>> Member(int offset) {
  using E = record_detail::ElementOf<M>;
  return {FieldRef{0, uint16_t(offset), record_detail::TypeOf<typename E::Type>(), 0}, E::count,
          &record_detail::Put<M>, &record_detail::Get<M>};
}

// `count` records of `size` bytes back to back from `first`, each laid out
// as `members`.
template <class R>
struct RecordArray {
  FieldRef first{};  // the first byte of record 0
  int count = 0;
  int size = 0;
  std::span<const RecordMember<R>> members{};
  const char* noun = "record";  // what a range error calls one record

  // The first byte of record r.
  constexpr FieldRef operator[](int r) const {
    return {first.block, uint16_t(first.offset + r * size), FieldType::u8, 0};
  }
  constexpr int Size() const { return count; }
  // Field `index` of member m of record r.
  constexpr FieldRef Field(int r, const RecordMember<R>& m, int index = 0) const {
    FieldRef f = m.field;
    f.block = first.block;
    f.offset = uint16_t(first.offset + r * size + m.field.offset + index * m.field.Width());
    return f;
  }
  // Field `index` of member M of record r, for the code that changes one
  // member in place (a reset clears the day byte and nothing else); an
  // unset field when M is no member of the record.
  template <auto M>
  constexpr FieldRef FieldOf(int r, int index = 0) const {
    for (const RecordMember<R>& m : members)
      if (m.put == &record_detail::Put<M>) return Field(r, m, index);
    return {};
  }
};

}  // namespace tc
