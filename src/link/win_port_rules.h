// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The parts of the Windows serial channel that need no Windows: how COM
// names are numbered, ordered and opened, how long a wait may block, and how
// a Win32 error code from opening a port reads to the user. Built on every
// platform so the Linux tests cover them too.
#include <cstdint>
#include <string>
#include <vector>

#include "link/byte_channel.h"
#include "link/port_table.h"

namespace tc {

// "COM3" (any case) -> 3; anything else, COM0 or a number past 255 -> 0.
int ComPortNumber(const std::string& name);

// The device path CreateFileW needs: "COM12" -> "\\.\COM12" (ports above 9
// can be opened only this way). A path that already starts with "\\" is
// taken as it is.
std::string ComDevicePath(const std::string& nameOrPath);

// The system's ports in the order Windows users count them: COM3 before
// COM12, names that are not COMn after them in natural order.
void SortComPorts(std::vector<PortInfo>& ports);

// The numbered table on Windows: COMn keeps the number n, so the port
// dialog, the ini and the command line agree with Device Manager. Slots with
// no port are left with an empty path (they probe as missing); extra paths
// from the ini take the lowest free slots; the table ends after its last
// used slot and never passes 32 entries.
std::vector<PortInfo> BuildComPortTable(std::vector<PortInfo> system,
                                        const std::vector<std::string>& extraPaths);

// Win32 error codes met when opening a port (winerror.h values, so the
// mapping can be tested anywhere).
namespace win32 {
constexpr uint32_t kFileNotFound = 2;
constexpr uint32_t kPathNotFound = 3;
constexpr uint32_t kAccessDenied = 5;
constexpr uint32_t kInvalidName = 123;
constexpr uint32_t kSharingViolation = 32;
constexpr uint32_t kBusy = 170;
constexpr uint32_t kDeviceNotConnected = 1167;
constexpr uint32_t kGenFailure = 31;
constexpr uint32_t kNotReady = 21;
}  // namespace win32

// Classifies a failed CreateFileW and wraps the system's own text (as
// FormatMessage gives it, trailing line breaks removed here) in our
// sentence. COM ports are opened exclusively, so Windows reports a port held
// by another program as "access denied": that code reads as busy.
PortOpenError PortOpenErrorFromWin32(uint32_t code, const std::string& path,
                                     const std::string& systemText);

// The read time-outs (milliseconds) that make ReadFile wait for the first
// byte up to ms and then return what has arrived: interval MAXDWORD,
// multiplier MAXDWORD, constant = ms. A wait of 0 or less returns at once
// (interval MAXDWORD, the rest 0); waits are capped below MAXDWORD, which
// the driver would take as "no limit".
struct CommReadTimeouts {
  uint32_t interval = 0;
  uint32_t multiplier = 0;
  uint32_t constant = 0;
};
CommReadTimeouts ReadTimeoutsForWait(int ms);

}  // namespace tc
