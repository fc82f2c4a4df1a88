#pragma once
// tripconf-cli: one registry of sub-commands, each in its own file.
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tc::cli {

class Args {
 public:
  // valueOptions: the options that take a value ("--out", ...).
  Args(std::vector<std::string> argv, const std::set<std::string>& valueOptions);
  bool Flag(const std::string& name) const { return flags_.count(name) > 0; }
  std::optional<std::string> Option(const std::string& name) const;
  std::string Required(const std::string& name) const;
  std::optional<long> IntOption(const std::string& name) const;  // decimal or 0x hex
  const std::vector<std::string>& Positional() const { return positional_; }
  // The one positional argument the command needs.
  std::string Single(const char* what) const;

 private:
  std::vector<std::pair<std::string, std::string>> values_;
  std::set<std::string> flags_;
  std::vector<std::string> positional_;
};

// Parses "0x1A", "26"; throws TripError naming the option.
long ParseNumber(const std::string& text, const std::string& what);

struct Command {
  const char* name;
  const char* summary;
  const char* usage;  // full help text
  std::set<std::string> valueOptions;
  int (*run)(const Args&);
};

std::vector<Command>& Registry();

struct Register {
  explicit Register(Command c) { Registry().push_back(std::move(c)); }
};

// Applies --lang en|ru (default: the locale) to the program-wide language.
void ApplyLanguageOption(const Args& args);

}  // namespace tc::cli
