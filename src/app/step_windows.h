// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The windows that the main window's steps 2, 2a and 2b open. Each is a
// modal window created for one use.
#include "editor/edit_settings.h"
#include "viewers/view_windows.h"
