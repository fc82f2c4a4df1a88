#pragma once
// Addresses of settings fields inside the block copies of TMK.
#include <cstdint>

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

}  // namespace tc
