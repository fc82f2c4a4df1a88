// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The forms of the named settings meant for scripts: JSON for settings, get
// and diff, a NAME=VALUE dump that set --from replays. The shape of the JSON
// is documented in the README ("Settings as data"); a change to it raises
// kSettingsJsonVersion.
#include <string>
#include <vector>

#include "cli/cli.h"

namespace tc::cli {

constexpr int kSettingsJsonVersion = 1;

int RunSettingsJson(const Args& a);
int RunSettingsAsSet(const Args& a);
int RunGetJson(const Args& a);
int RunDiffJson(const Args& a);

// The NAME=VALUE lines of a list file, in order. Blank lines and lines that
// start with '#' are skipped; a line without '=' is refused with its line
// number, and so is a file that cannot be read.
std::vector<std::string> ReadSetList(const std::string& path);

}  // namespace tc::cli
