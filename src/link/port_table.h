// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The numbered port table: which serial devices exist and the numbers 1..32
// under which the ini file and the port dialog know them.
#include <string>
#include <vector>

namespace tc {

constexpr int kMaxPorts = 32;

struct PortInfo {
  std::string systemName;   // "ttyUSB0"
  std::string path;         // "/dev/ttyUSB0"
  std::string description;  // "FT232R USB UART", may be empty
};

// Serial devices the system reports (Linux: /sys/class/tty entries backed by
// hardware; phantom legacy UARTs are left out). Unsorted.
std::vector<PortInfo> ListSystemPorts();

// Splits the ini's ExtraPorts value ("/tmp/a;/tmp/b"), dropping blanks.
std::vector<std::string> SplitExtraPorts(const std::string& value);

// Orders names the way people count: ttyS2 before ttyS10.
bool NaturalLess(const std::string& a, const std::string& b);

// The table in number order: the extra paths first, in the order given, so
// the numbers the user configured stay put; then the system's devices sorted
// by system name. Duplicates are dropped and the table ends at 32 entries.
std::vector<PortInfo> BuildPortTable(std::vector<PortInfo> system,
                                     const std::vector<std::string>& extraPaths);

// "COM3 — /dev/ttyUSB0 (FT232R USB UART)"; a Windows port numbered by its
// own name shows just that: "COM3 (\Device\Serial0)".
std::string PortDisplayName(int number, const PortInfo& port);

// True when something exists at the path (a device node, or a symlink to one).
bool PortPathExists(const std::string& path);

}  // namespace tc
