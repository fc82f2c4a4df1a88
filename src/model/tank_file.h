// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tank settings file (.dvkpo): the 2-point and 7-point calibrations and
// the tare table of blocks 3 and 4, 245 bytes with no header.
#include "model/side_file.h"

namespace tc {

constexpr size_t kTankFileSize = 245;
// Loading the format's bytes runs NormaliseTareCount.
const SideFileFormat& TankFileFormat();

// A stored tare point count above 68 means no points: the count is set to 0,
// as the tank page shows it. True when it was. Runs whenever settings are
// opened for editing (the editor, tripconf-cli set) and after a tank file is
// loaded, so a device never gets such a count back from this program.
bool NormaliseTareCount(TMK& mk);

}  // namespace tc
