// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/win_port_rules.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "link/port_texts.h"

namespace tc {

int ComPortNumber(const std::string& name) {
  if (name.size() < 4 || name.size() > 6) return 0;
  for (size_t i = 0; i < 3; ++i)
    if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) return 0;
  if (name[3] == '0') return 0;  // "COM0", "COM03": not names Windows gives
  int n = 0;
  for (size_t i = 3; i < name.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
    n = n * 10 + (name[i] - '0');
  }
  return n <= 255 ? n : 0;
}

std::string ComDevicePath(const std::string& nameOrPath) {
  if (nameOrPath.rfind("\\\\", 0) == 0) return nameOrPath;
  return "\\\\.\\" + nameOrPath;
}

void SortComPorts(std::vector<PortInfo>& ports) {
  std::stable_sort(ports.begin(), ports.end(), [](const PortInfo& a, const PortInfo& b) {
    const int na = ComPortNumber(a.systemName), nb = ComPortNumber(b.systemName);
    if ((na > 0) != (nb > 0)) return na > 0;
    if (na > 0) return na < nb;
    return NaturalLess(a.systemName, b.systemName);
  });
}

std::vector<PortInfo> BuildComPortTable(std::vector<PortInfo> system,
                                        const std::vector<std::string>& extraPaths) {
  SortComPorts(system);
  std::vector<PortInfo> table(kMaxPorts);
  std::vector<PortInfo> rest;
  for (auto& p : system) {
    const int n = ComPortNumber(p.systemName);
    if (n >= 1 && n <= kMaxPorts && table[size_t(n - 1)].path.empty())
      table[size_t(n - 1)] = std::move(p);
    else
      rest.push_back(std::move(p));
  }
  auto taken = [&](const std::string& path) {
    return std::any_of(table.begin(), table.end(),
                       [&](const PortInfo& t) { return t.path == path; });
  };
  // Ports past COM32 and the ini's extra paths fill the free numbers from
  // the bottom, extra paths first so the ones the user named are not crowded out.
  std::vector<PortInfo> fill;
  for (const auto& path : extraPaths) {
    if (path.empty()) continue;
    const auto slash = path.find_last_of("\\/");
    fill.push_back({slash == std::string::npos ? path : path.substr(slash + 1), path, {}});
  }
  for (auto& p : rest) fill.push_back(std::move(p));
  size_t slot = 0;
  for (auto& p : fill) {
    if (taken(p.path)) continue;
    while (slot < table.size() && !table[slot].path.empty()) ++slot;
    if (slot == table.size()) break;
    table[slot] = std::move(p);
  }
  while (!table.empty() && table.back().path.empty()) table.pop_back();
  return table;
}

namespace {
const TextPair kPortWin32Text{"ошибка Windows", "Windows error"};
// Windows opens COM ports exclusively and says "access denied" when another
// program has the port, far more often than for a real lack of rights.
const TextPair kPortDeniedText{
    "Порт занят другой программой или доступ к нему запрещён; закройте программу, "
    "которая использует порт, и повторите попытку",
    "Another program holds the port, or access to it is denied: close the program "
    "that uses the port and try again"};

std::string Trimmed(std::string s) {
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ' || s.back() == '.'))
    s.pop_back();
  return s;
}
}  // namespace

PortOpenError PortOpenErrorFromWin32(uint32_t code, const std::string& path,
                                     const std::string& systemText) {
  std::string sys = Trimmed(systemText);
  if (sys.empty()) sys = kPortWin32Text() + " " + std::to_string(code);
  const std::string head = path + ": " + sys + ". ";
  switch (code) {
    case win32::kFileNotFound:
    case win32::kPathNotFound:
    case win32::kInvalidName:
    case win32::kDeviceNotConnected:
    case win32::kNotReady:
    case win32::kGenFailure:
      return PortOpenError(PortOpenFailure::NotFound, head + kPortGoneText());
    case win32::kAccessDenied:
      return PortOpenError(PortOpenFailure::Busy, head + kPortDeniedText());
    case win32::kSharingViolation:
    case win32::kBusy:
      return PortOpenError(PortOpenFailure::Busy, head + kPortBusyText());
    default:
      return PortOpenError(PortOpenFailure::Other, path + ": " + sys);
  }
}

CommReadTimeouts ReadTimeoutsForWait(int ms) {
  constexpr uint32_t kMax = std::numeric_limits<uint32_t>::max();
  if (ms <= 0) return {kMax, 0, 0};
  return {kMax, kMax, std::min<uint32_t>(uint32_t(ms), kMax - 1)};
}

}  // namespace tc
