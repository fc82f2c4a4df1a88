// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tool's ini file: "[Section]" headers and "Key=Value" lines. Booleans
// are stored as 0/1, integers in decimal. Unknown lines are kept as they are.
#include <string>
#include <vector>

namespace tc {

class TMIniFile {
 public:
  // Reads the file if it exists; a missing file is created holding one line
  // with a single space, as the tool always did.
  explicit TMIniFile(std::string path);

  int ReadInteger(const std::string& section, const std::string& key, int def) const;
  bool ReadBool(const std::string& section, const std::string& key, bool def) const;
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& def) const;
  void WriteInteger(const std::string& section, const std::string& key, int value);
  void WriteBool(const std::string& section, const std::string& key, bool value);
  void WriteString(const std::string& section, const std::string& key, const std::string& value);

  // Writes the file atomically. Throws FileError.
  void Save() const;
  const std::string& Path() const { return path_; }

 private:
  int FindSection(const std::string& section) const;
  int FindKey(const std::string& section, const std::string& key) const;
  std::string path_;
  std::vector<std::string> lines_;
};

}  // namespace tc
