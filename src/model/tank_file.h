// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tank settings file (.dvkpo): the 2-point and 7-point calibrations and
// the tare table of blocks 3 and 4, 245 bytes with no header.
#include "model/side_file.h"

namespace tc {

constexpr size_t kTankFileSize = 245;
const SideFileFormat& TankFileFormat();

}  // namespace tc
