// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/ini_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "util/files.h"

namespace tc {
namespace {
std::string Trim(const std::string& s) {
  size_t a = 0, b = s.size();
  while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
  while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
  return s.substr(a, b - a);
}
bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}
bool IsSection(const std::string& line, std::string* name) {
  const std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[' || t.back() != ']') return false;
  if (name) *name = Trim(t.substr(1, t.size() - 2));
  return true;
}
}  // namespace

TMIniFile::TMIniFile(std::string path) : path_(std::move(path)) {
  if (!FileExists(path_)) {
    lines_ = {" "};
    try {
      Save();
    } catch (...) {
      // An unwritable folder only means settings are not remembered.
    }
    return;
  }
  std::vector<uint8_t> bytes;
  try {
    bytes = ReadWholeFile(path_, 1 << 20);
  } catch (...) {
    return;
  }
  std::string cur;
  for (uint8_t b : bytes) {
    if (b == '\n') {
      if (!cur.empty() && cur.back() == '\r') cur.pop_back();
      lines_.push_back(cur);
      cur.clear();
    } else {
      cur += static_cast<char>(b);
    }
  }
  if (!cur.empty()) lines_.push_back(cur);
}

int TMIniFile::FindSection(const std::string& section) const {
  std::string name;
  for (size_t i = 0; i < lines_.size(); ++i)
    if (IsSection(lines_[i], &name) && SameName(name, section)) return static_cast<int>(i);
  return -1;
}

int TMIniFile::FindKey(const std::string& section, const std::string& key) const {
  const int s = FindSection(section);
  if (s < 0) return -1;
  for (size_t i = s + 1; i < lines_.size() && !IsSection(lines_[i], nullptr); ++i) {
    const auto eq = lines_[i].find('=');
    if (eq != std::string::npos && SameName(Trim(lines_[i].substr(0, eq)), key))
      return static_cast<int>(i);
  }
  return -1;
}

std::string TMIniFile::ReadString(const std::string& section, const std::string& key,
                                  const std::string& def) const {
  const int i = FindKey(section, key);
  if (i < 0) return def;
  return Trim(lines_[i].substr(lines_[i].find('=') + 1));
}

int TMIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
  const std::string v = ReadString(section, key, "");
  int out = 0;
  const char* end = v.data() + v.size();
  auto [p, ec] = std::from_chars(v.data(), end, out);
  if (v.empty() || ec != std::errc() || p != end) return def;
  return out;
}

bool TMIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TMIniFile::WriteString(const std::string& section, const std::string& key,
                            const std::string& value) {
  const int k = FindKey(section, key);
  if (k >= 0) {
    lines_[k] = key + "=" + value;
    return;
  }
  int s = FindSection(section);
  if (s < 0) {
    lines_.push_back("[" + section + "]");
    lines_.push_back(key + "=" + value);
    return;
  }
  size_t end = s + 1;
  while (end < lines_.size() && !IsSection(lines_[end], nullptr)) ++end;
  while (end > static_cast<size_t>(s + 1) && Trim(lines_[end - 1]).empty()) --end;
  lines_.insert(lines_.begin() + end, key + "=" + value);
}

void TMIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TMIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteInteger(section, key, value ? 1 : 0);
}

void TMIniFile::Save() const {
  std::string text;
  for (const auto& l : lines_) text += l + "\r\n";
  WriteFileAtomic(path_, text);
}

}  // namespace tc
