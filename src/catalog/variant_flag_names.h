// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Names of the variant capability flags, for listings and dumps.
#include <span>
#include <string>
#include <vector>

#include "catalog/variant_flags.h"

namespace tc {

struct VariantFlagInfo {
  const char* name;
  bool VariantFlags::*member;
};

// Every flag, in declaration order.
std::span<const VariantFlagInfo> VariantFlagList();
// Names of the flags that are set, in declaration order.
std::vector<std::string> SetFlagNames(const VariantFlags& flags);
// The member for a flag name, or nullptr.
bool VariantFlags::*FindVariantFlag(const std::string& name);

}  // namespace tc
