// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Taking typed pieces off the front of a fuzz input; past the end everything
// reads as zero, so every input drives the code somewhere.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tc::fuzz {

class Input {
 public:
  Input(const uint8_t* data, size_t size) : p_(data), n_(size) {}
  bool Empty() const { return pos_ >= n_; }
  size_t Left() const { return n_ - std::min(pos_, n_); }
  uint8_t Byte() { return pos_ < n_ ? p_[pos_++] : 0; }
  uint16_t Word() { return uint16_t(Byte() | (Byte() << 8)); }
  std::vector<uint8_t> Bytes(size_t count) {
    count = std::min(count, Left());
    std::vector<uint8_t> out(p_ + pos_, p_ + pos_ + count);
    pos_ += count;
    return out;
  }
  std::vector<uint8_t> Rest() { return Bytes(Left()); }
  // Up to the next zero byte (taken) or the end.
  std::string Text() {
    std::string s;
    while (pos_ < n_ && p_[pos_] != 0) s += char(p_[pos_++]);
    if (pos_ < n_) ++pos_;
    return s;
  }

 private:
  const uint8_t* p_;
  size_t n_, pos_ = 0;
};

}  // namespace tc::fuzz
