// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A PNG writer on zlib alone, for builds that have no libpng (the Windows
// cross build): 8-bit RGB, each row filtered with "Up" or none, whichever
// is smaller, one IDAT chunk.
#include <cstdint>
#include <string>
#include <vector>

namespace tc {

// The PNG file of width x height pixels of packed r, g, b bytes. Returns
// false with the reason in `why` when zlib refuses (out of memory).
bool EncodePngWithZlib(uint32_t width, uint32_t height, const uint8_t* rgb,
                       std::vector<uint8_t>& out, std::string& why);

}  // namespace tc
