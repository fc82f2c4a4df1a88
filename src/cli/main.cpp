// SPDX-License-Identifier: GPL-3.0-or-later
// tripconf-cli: the tripconf core for scripts and workshops. The command line
// is CLI11's: every registered command becomes a sub-command with its options
// and a generated --help.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "cli/cli.h"
#include "cli/cli_platform.h"
#include "model/settings_document.h"
#include "util/errors.h"
#include "util/text_pair.h"

#ifndef TRIPCONF_VERSION
#define TRIPCONF_VERSION "0"
#endif

namespace tc::cli {

std::optional<std::string> Args::Option(const std::string& name) const {
  const auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

namespace {
const TextPair kOptionRequired{"нужен параметр", "option"};
const TextPair kMissing{"не указан", "missing"};
const TextPair kUnexpected{"лишний аргумент", "unexpected argument"};
const TextPair kUnknownOption{"неизвестный параметр", "unknown option"};
const TextPair kUnknownCommand{"неизвестная команда", "unknown command"};
const TextPair kTryHelp{"см. --help", "try --help"};
const TextPair kNeedsValue{"требует значения", "needs a value"};
const TextPair kNotANumber{"не число", "is not a number"};
const TextPair kLangValues{"--lang принимает en или ru", "--lang takes en or ru"};
const TextPair kBadCommandLine{"ошибка в командной строке", "bad command line"};

std::string Quoted(const std::string& s) {
  return "'" + s + "'";
}
}  // namespace

std::string Args::Required(const std::string& name) const {
  auto v = Option(name);
  if (!v)
    throw TripError(EnglishVersion() ? "option " + name + " is required"
                                     : kOptionRequired() + " " + name);
  return *v;
}

std::optional<long> Args::IntOption(const std::string& name) const {
  auto v = Option(name);
  if (!v) return std::nullopt;
  return ParseNumber(*v, name);
}

std::string Args::Single(const char* what) const {
  if (positional_.empty()) throw TripError(kMissing() + " " + what);
  if (positional_.size() > 1) throw TripError(kUnexpected() + " " + Quoted(positional_[1]));
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
    throw TripError(Quoted(text) + " " + kNotANumber() + " (" + what + ")");
  }
}

std::vector<Command>& Registry() {
  static std::vector<Command> commands;
  return commands;
}

namespace {

// The language of the locale: Russian for ru*, English otherwise.
bool LocaleIsEnglish() {
  for (const char* v : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* val = std::getenv(v);
    if (val && *val) return std::string(val).rfind("ru", 0) != 0;
  }
  return DesktopLanguageIsEnglish().value_or(true);
}

void ApplyLanguage(const std::optional<std::string>& lang) {
  if (!lang) {
    SetEnglishVersion(LocaleIsEnglish());
  } else if (*lang == "en") {
    SetEnglishVersion(true);
  } else if (*lang == "ru") {
    SetEnglishVersion(false);
  } else {
    SetEnglishVersion(LocaleIsEnglish());
    throw TripError(kLangValues());
  }
}

}  // namespace

void ApplyLanguageOption(const Args& args) {
  ApplyLanguage(args.Option("--lang"));
}

std::unique_ptr<SettingsDocument> OpenDocument(const std::string& path) {
  auto doc = OpenSettingsDocument(path);
  if (!doc->VariantProblem().empty())
    std::cerr << Say("предупреждение: ", "warning: ") << path << ": " << doc->VariantProblem()
              << "\n";
  return doc;
}

namespace {

const char* kLangHelp = "language of the messages and texts: en or ru (default: the locale)";

// One sub-command and where CLI11 leaves what it found.
struct Parsed {
  const Command* command = nullptr;
  CLI::App* app = nullptr;
  std::vector<std::pair<const OptionDef*, CLI::Option*>> options;
  CLI::Option* lang = nullptr;
  std::vector<CLI::Option*> positionals;
  std::vector<std::vector<std::string>> args;  // arguments taking any number
  std::vector<std::string> single;             // arguments taking one
  std::vector<OptionDef> defs;
};

void Define(CLI::App& top, const Command& c, Parsed& p) {
  p.command = &c;
  p.defs = c.options;
  const bool hasLang = std::any_of(p.defs.begin(), p.defs.end(), [](const OptionDef& o) {
    return std::string(o.name) == "--lang";
  });
  if (!hasLang) p.defs.push_back({"--lang", "en|ru", kLangHelp});
  CLI::App* sub = top.add_subcommand(c.name, c.summary);
  p.app = sub;
  sub->allow_extras();  // reported by us, in the user's language
  sub->footer(c.description);
  p.args.resize(c.arguments.size());
  p.single.resize(c.arguments.size());
  for (size_t i = 0; i < c.arguments.size(); ++i) {
    const ArgDef& d = c.arguments[i];
    CLI::Option* o = d.max == 1 ? sub->add_option(d.name, p.single[i], d.help)
                                : sub->add_option(d.name, p.args[i], d.help);
    if (d.max != 1) o->expected(d.min, d.max < 0 ? CLI::detail::expected_max_vector_size : d.max);
    o->type_name("");
    if (d.min > 0) o->required();
    p.positionals.push_back(o);
  }
  for (const OptionDef& d : p.defs) {
    CLI::Option* o = d.value ? sub->add_option(d.name, d.help)->type_name(d.value)
                             : sub->add_flag(d.name, d.help);
    if (d.value) o->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    if (d.required) o->required();
    if (std::string(d.name) == "--lang") p.lang = o;
    p.options.emplace_back(&d, o);
  }
}

// The --lang a command got, if CLI11 reached it before it stopped.
std::optional<std::string> LangGiven(const Parsed& p) {
  if (p.lang && p.lang->count() > 0 && !p.lang->results().empty()) return p.lang->results().back();
  return std::nullopt;
}

// What CLI11 found, checked for what it leaves to us, as one command's Args.
Args Collect(const Parsed& p) {
  Args a;
  for (const auto& [def, opt] : p.options) {
    if (opt->count() == 0) continue;
    if (def->value)
      a.SetOption(def->name, opt->results().back());
    else
      a.SetFlag(def->name);
  }
  for (const std::string& extra : p.app->remaining()) {
    if (extra.size() > 1 && extra[0] == '-')
      throw TripError(kUnknownOption() + " " + Quoted(extra) + " (" + kTryHelp() + ")");
    throw TripError(kUnexpected() + " " + Quoted(extra));
  }
  for (size_t i = 0; i < p.positionals.size(); ++i) {
    if (p.positionals[i]->count() == 0) continue;
    if (p.command->arguments[i].max == 1)
      a.AddPositional(p.single[i]);
    else
      for (const std::string& s : p.args[i]) a.AddPositional(s);
  }
  return a;
}

// CLI11's own complaints, said in the user's language.
std::string Explain(const CLI::ParseError& e) {
  const std::string what = e.what();
  if (e.get_name() == "ArgumentMismatch") {
    const auto colon = what.find(':');
    if (colon != std::string::npos && what.rfind("--", 0) == 0)
      return what.substr(0, colon) + " " + kNeedsValue();
  }
  if (e.get_name() == "RequiredError") {
    const auto at = what.find(" is required");
    if (at != std::string::npos) {
      const std::string name = what.substr(0, at);
      if (name.rfind("--", 0) == 0)
        return EnglishVersion() ? "option " + what : kOptionRequired() + " " + name;
      return EnglishVersion() ? "missing " + name : kMissing() + " " + name;
    }
  }
  if (e.get_name() == "ExtrasError") {
    const auto colon = what.find(": ");
    const std::string args = colon == std::string::npos ? what : what.substr(colon + 2);
    return kUnexpected() + " " + args;
  }
  return EnglishVersion() ? what : kBadCommandLine() + ": " + what;
}

void PrintCommandList(const std::vector<Parsed>& parsed) {
  std::cout << "usage: tripconf-cli COMMAND [OPTIONS]\n\ncommands:\n";
  std::vector<const Command*> cmds;
  for (const auto& p : parsed) cmds.push_back(p.command);
  std::sort(cmds.begin(), cmds.end(),
            [](const auto* a, const auto* b) { return std::string(a->name) < b->name; });
  for (const auto* c : cmds) std::printf("  %-10s %s\n", c->name, c->summary);
  std::cout << "\n'tripconf-cli COMMAND --help' describes one command.\n"
               "'tripconf-cli --version' prints the version.\n";
}

}  // namespace
}  // namespace tc::cli

int main(int argc, char** argv) {
  using namespace tc::cli;
  PrepareConsole();
  tc::SetEnglishVersion(LocaleIsEnglish());

  CLI::App app("tripconf-cli: the tripconf core for scripts and workshops", "tripconf-cli");
  app.set_help_flag();  // the command list below is the top-level help
  auto& registry = Registry();
  std::vector<Parsed> parsed(registry.size());
  for (size_t i = 0; i < registry.size(); ++i) Define(app, registry[i], parsed[i]);
  for (auto& p : parsed) {
    p.app->set_help_flag("-h,--help", "print this help and exit");
  }

  const std::vector<std::string> words(argv + 1, argv + argc);
  if (words.empty() || words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
    PrintCommandList(parsed);
    return words.empty() ? 1 : 0;
  }
  if (words[0] == "--version") {
    std::cout << "tripconf-cli " TRIPCONF_VERSION "\n";
    return 0;
  }
  Parsed* chosen = nullptr;
  for (auto& p : parsed)
    if (words[0] == p.command->name) chosen = &p;
  if (!chosen) {
    std::cerr << "tripconf-cli: " << tc::cli::kUnknownCommand() << " '" << words[0] << "' ("
              << tc::cli::kTryHelp() << ")\n";
    return 1;
  }

  const std::string prefix = std::string("tripconf-cli ") + chosen->command->name + ": ";
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::cout << chosen->app->help("tripconf-cli");
    return 0;
  } catch (const CLI::ParseError& e) {
    try {
      ApplyLanguage(LangGiven(*chosen));
    } catch (const tc::TripError&) {
    }
    std::cerr << prefix << Explain(e) << "\n";
    return 1;
  }
  try {
    ApplyLanguage(LangGiven(*chosen));
    const Args a = Collect(*chosen);
    return chosen->command->run(a);
  } catch (const std::exception& e) {
    std::cerr << prefix << e.what() << "\n";
    return 1;
  }
}
