// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The picture set of the screen previews: dial, needle, scale strips and
// icons. Each picture is a one-bit mask (set = non-black pixel) that the
// preview stamps in the current foreground colour. The masks are generated
// data (src/model/pictures/, made by tools/gen_preview_pictures.py).
#include <cstdint>
#include <string_view>

namespace tc {

enum class PictureId : uint8_t {
  ScaleL,
  ScaleR,
  Circle99,
  Circle9,
  Arrow,
  GasStation,
  Acc,
  BoatMotor,
  BoatScaleT,
  BoatT,
  BoatScaleC,
  BoatC,
  CheckEngine,
  Electro,
};
constexpr int kPictureCount = 14;

struct Picture {
  const char* name;
  int width;
  int height;
  // height rows of (width + 7) / 8 bytes, most significant bit leftmost.
  const uint8_t* bits;

  int BytesPerRow() const { return (width + 7) / 8; }
  bool IsSet(int x, int y) const { return (bits[y * BytesPerRow() + x / 8] >> (7 - x % 8)) & 1; }
};

const Picture& GetPicture(PictureId id);
// The picture of that name, or nullptr.
const Picture* FindPicture(std::string_view name);

}  // namespace tc
