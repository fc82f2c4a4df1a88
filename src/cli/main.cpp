// tripconf-cli: the tripconf core for scripts and workshops.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "cli/cli.h"
#include "util/errors.h"
#include "util/text_pair.h"

namespace tc::cli {

Args::Args(std::vector<std::string> argv, const std::set<std::string>& valueOptions) {
  for (size_t i = 0; i < argv.size(); ++i) {
    const std::string& a = argv[i];
    if (a.size() > 2 && a.rfind("--", 0) == 0) {
      const auto eq = a.find('=');
      if (eq != std::string::npos) {
        values_.emplace_back(a.substr(0, eq), a.substr(eq + 1));
      } else if (valueOptions.count(a)) {
        if (i + 1 >= argv.size()) throw TripError("option " + a + " needs a value");
        values_.emplace_back(a, argv[++i]);
      } else {
        flags_.insert(a);
      }
    } else {
      positional_.push_back(a);
    }
  }
}

std::optional<std::string> Args::Option(const std::string& name) const {
  for (auto it = values_.rbegin(); it != values_.rend(); ++it)
    if (it->first == name) return it->second;
  return std::nullopt;
}

std::string Args::Required(const std::string& name) const {
  auto v = Option(name);
  if (!v) throw TripError("option " + name + " is required");
  return *v;
}

std::optional<long> Args::IntOption(const std::string& name) const {
  auto v = Option(name);
  if (!v) return std::nullopt;
  return ParseNumber(*v, name);
}

std::string Args::Single(const char* what) const {
  if (positional_.empty()) throw TripError(std::string("missing ") + what);
  if (positional_.size() > 1) throw TripError("unexpected argument '" + positional_[1] + "'");
  return positional_[0];
}

long ParseNumber(const std::string& text, const std::string& what) {
  try {
    size_t used = 0;
    const bool hex = text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0;
    long v = std::stol(hex ? text.substr(2) : text, &used, hex ? 16 : 10);
    if (used != text.size() - (hex ? 2 : 0)) throw 0;
    return v;
  } catch (...) {
    throw TripError("'" + text + "' is not a number (" + what + ")");
  }
}

std::vector<Command>& Registry() {
  static std::vector<Command> commands;
  return commands;
}

void ApplyLanguageOption(const Args& args) {
  if (auto lang = args.Option("--lang")) {
    if (*lang == "en")
      SetEnglishVersion(true);
    else if (*lang == "ru")
      SetEnglishVersion(false);
    else
      throw TripError("--lang takes en or ru");
    return;
  }
  const char* vars[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
  for (const char* v : vars) {
    const char* val = std::getenv(v);
    if (val && *val) {
      SetEnglishVersion(std::string(val).rfind("ru", 0) != 0);
      return;
    }
  }
  SetEnglishVersion(true);
}

}  // namespace tc::cli

namespace {
void PrintUsage() {
  std::cout << "usage: tripconf-cli COMMAND [OPTIONS]\n\ncommands:\n";
  auto cmds = tc::cli::Registry();
  std::sort(cmds.begin(), cmds.end(),
            [](const auto& a, const auto& b) { return std::string(a.name) < b.name; });
  for (const auto& c : cmds) std::printf("  %-10s %s\n", c.name, c.summary);
  std::cout << "\n'tripconf-cli COMMAND --help' describes one command.\n";
}
}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintUsage();
    return args.empty() ? 1 : 0;
  }
  for (const auto& c : tc::cli::Registry()) {
    if (args[0] != c.name) continue;
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (std::find(rest.begin(), rest.end(), "--help") != rest.end() ||
        std::find(rest.begin(), rest.end(), "-h") != rest.end()) {
      std::cout << c.usage;
      return 0;
    }
    try {
      tc::cli::Args parsed(rest, c.valueOptions);
      return c.run(parsed);
    } catch (const std::exception& e) {
      std::cerr << "tripconf-cli " << c.name << ": " << e.what() << "\n";
      return 1;
    }
  }
  std::cerr << "tripconf-cli: unknown command '" << args[0] << "' (try --help)\n";
  return 1;
}
