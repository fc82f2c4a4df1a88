// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/port_table.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>

namespace tc {
namespace fs = std::filesystem;

namespace {

std::string ReadFirstLine(const fs::path& p) {
  std::ifstream in(p);
  std::string line;
  if (in) std::getline(in, line);
  while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
  return line;
}

// The USB product string of the device behind a tty, if it has one.
std::string UsbProduct(const fs::path& deviceLink) {
  std::error_code ec;
  fs::path p = fs::canonical(deviceLink, ec);
  if (ec) return {};
  for (int up = 0; up < 5 && !p.empty() && p != p.root_path(); ++up, p = p.parent_path()) {
    if (fs::exists(p / "product", ec)) return ReadFirstLine(p / "product");
  }
  return {};
}

}  // namespace

std::vector<PortInfo> ListSystemPorts() {
  std::vector<PortInfo> ports;
  std::error_code ec;
  const fs::path root("/sys/class/tty");
  if (!fs::is_directory(root, ec)) return ports;
  for (const auto& entry : fs::directory_iterator(root, ec)) {
    const fs::path dir = entry.path();
    // Virtual terminals and pseudo-terminals have no device behind them.
    if (!fs::exists(dir / "device", ec)) continue;
    // Legacy UART slots that no chip answers report type 0.
    if (fs::exists(dir / "type", ec) && ReadFirstLine(dir / "type") == "0") continue;
    PortInfo info;
    info.systemName = dir.filename().string();
    info.path = "/dev/" + info.systemName;
    info.description = UsbProduct(dir / "device");
    ports.push_back(std::move(info));
  }
  return ports;
}

std::vector<std::string> SplitExtraPorts(const std::string& value) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= value.size()) {
    size_t end = value.find(';', start);
    if (end == std::string::npos) end = value.size();
    std::string part = value.substr(start, end - start);
    const auto first = part.find_first_not_of(" \t");
    const auto last = part.find_last_not_of(" \t");
    if (first != std::string::npos) out.push_back(part.substr(first, last - first + 1));
    start = end + 1;
  }
  return out;
}

bool NaturalLess(const std::string& a, const std::string& b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const bool da = std::isdigit(static_cast<unsigned char>(a[i]));
    const bool db = std::isdigit(static_cast<unsigned char>(b[j]));
    if (da && db) {
      size_t ei = i, ej = j;
      while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei]))) ++ei;
      while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej]))) ++ej;
      // Compare the numbers by length first (no overflow on long digit runs).
      std::string na = a.substr(i, ei - i), nb = b.substr(j, ej - j);
      na.erase(0, std::min(na.find_first_not_of('0'), na.size()));
      nb.erase(0, std::min(nb.find_first_not_of('0'), nb.size()));
      if (na.size() != nb.size()) return na.size() < nb.size();
      if (na != nb) return na < nb;
      i = ei;
      j = ej;
    } else {
      if (a[i] != b[j]) return a[i] < b[j];
      ++i;
      ++j;
    }
  }
  if ((a.size() - i) != (b.size() - j)) return (a.size() - i) < (b.size() - j);
  return a < b;
}

std::vector<PortInfo> BuildPortTable(std::vector<PortInfo> system,
                                     const std::vector<std::string>& extraPaths) {
  std::vector<PortInfo> table;
  std::set<std::string> seen;
  for (const auto& path : extraPaths) {
    if (!seen.insert(path).second) continue;
    table.push_back({fs::path(path).filename().string(), path, {}});
  }
  std::sort(system.begin(), system.end(), [](const PortInfo& x, const PortInfo& y) {
    return NaturalLess(x.systemName, y.systemName);
  });
  for (auto& p : system) {
    if (!seen.insert(p.path).second) continue;
    table.push_back(std::move(p));
  }
  if (table.size() > size_t(kMaxPorts)) table.resize(kMaxPorts);
  return table;
}

std::string PortDisplayName(int number, const PortInfo& port) {
  const std::string com = "COM" + std::to_string(number);
  // A Windows port is known by its own name; its device path says nothing more.
  std::string s = port.systemName == com ? com : com + " — " + port.path;
  if (!port.description.empty()) s += " (" + port.description + ")";
  return s;
}

bool PortPathExists(const std::string& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

}  // namespace tc
