// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sounds page ("Озвуч.сообщения"): the warnings shown as rows, and which
// have a "next" group.
#include "util/text_pair.h"

namespace tc {

struct WarningRow {
  TextPair name;
  bool hasNext;
};
constexpr int kWarningCount = 24;
const WarningRow& Warning(int k);
// The warning at this index whose byte means "water in fuel" with one
// protocol and "engine pump" with hybrid ones, instead of the diesel filter.
constexpr int kSharedWarning = 17;
constexpr int kWaterInFuelProtocol = 0xE1;

}  // namespace tc
