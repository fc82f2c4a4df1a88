// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// tripconf-cli: one registry of sub-commands, each in its own file. Each
// command declares its arguments and options; main.cpp builds the command
// line (CLI11) and its --help from them.
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "util/text_pair.h"

namespace tc {
class SettingsDocument;
}

namespace tc::cli {

// A message of the command line in the program's language.
inline std::string Say(const char* ru, const char* en) {
  return EnglishVersion() ? en : ru;
}

// What the command line gave one command.
class Args {
 public:
  bool Flag(const std::string& name) const { return flags_.count(name) > 0; }
  std::optional<std::string> Option(const std::string& name) const;
  std::string Required(const std::string& name) const;
  std::optional<long> IntOption(const std::string& name) const;  // decimal or 0x hex
  const std::vector<std::string>& Positional() const { return positional_; }
  // The one positional argument the command needs.
  std::string Single(const char* what) const;

  void SetOption(const std::string& name, std::string value) { values_[name] = std::move(value); }
  void SetFlag(const std::string& name) { flags_.insert(name); }
  void AddPositional(std::string value) { positional_.push_back(std::move(value)); }

 private:
  std::map<std::string, std::string> values_;
  std::set<std::string> flags_;
  std::vector<std::string> positional_;
};

// Parses "0x1A", "26"; throws TripError naming the option.
long ParseNumber(const std::string& text, const std::string& what);

struct OptionDef {
  const char* name;   // "--out"
  const char* value;  // how --help names the value ("FILE.dvkps"); nullptr: a flag
  const char* help;
  bool required = false;
};

// A positional argument: how --help names it ("FILE.dvkps"), what it is, and
// how many there must and may be (max -1: any number).
struct ArgDef {
  const char* name;
  const char* help;
  int min = 1;
  int max = 1;
};

struct Command {
  const char* name;
  const char* summary;
  std::vector<ArgDef> arguments;
  std::vector<OptionDef> options;  // --lang and --help are added to every command
  std::string description;         // shown after the options
  int (*run)(const Args&);
};

std::vector<Command>& Registry();

struct Register {
  explicit Register(Command c) { Registry().push_back(std::move(c)); }
};

// Opens a settings file as a document; a protocol number the variant does
// not offer is told on stderr as a warning (the settings are still shown).
std::unique_ptr<SettingsDocument> OpenDocument(const std::string& path);

// Applies --lang en|ru (default: the locale) to the program-wide language.
void ApplyLanguageOption(const Args& args);

}  // namespace tc::cli
