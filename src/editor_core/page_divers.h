// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The display options page ("Разное"): its display-selection groups, one
// check box per display, named cbShowDisp_<key>_<index>.
#include <vector>

#include "model/field.h"
#include "util/text_pair.h"

namespace tc {

struct DisplayGroup {
  const char* key;
  TextPair caption;
  int count;
  int perColumn;                // 0: one row; else columns of this many ("#1".."#8")
  std::vector<TextPair> names;  // captions of the check boxes, else "#n"
};
const std::vector<DisplayGroup>& DisplayGroups();
// The mask field of display `display` (from 0) of a group, and its bit there.
FieldRef DisplayMaskField(const DisplayGroup& g, int display, int* bit);

}  // namespace tc
