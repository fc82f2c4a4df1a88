// SPDX-License-Identifier: GPL-3.0-or-later
// tripconf-cli's command line: refusals of bad command lines, in both
// languages, with the exit status scripts rely on, and a --help per command.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "cli_runner.h"
#include "util/files.h"

using tc::testing::RunCli;

namespace {

int Lines(const std::string& s) {
  return int(std::count(s.begin(), s.end(), '\n'));
}

class CliArgs : public tc::testing::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    ASSERT_EQ(RunCli("sample v104-8k --out " + P("s.dvkps")).status, 0);
  }
};

TEST_F(CliArgs, BadCommandLinesAreOneLineInTheChosenLanguageAndExitOne) {
  const std::string f = P("s.dvkps");
  const struct {
    std::string args;
    std::string english;
    std::string russian;
  } cases[] = {
      {"info " + f + " --bogus", "info: unknown option '--bogus' (try --help)",
       "неизвестный параметр '--bogus'"},
      {"unpack " + f + " --out", "unpack: --out needs a value", "--out требует значения"},
      {"unpack " + f, "unpack: option --out is required", "нужен параметр --out"},
      {"info", "info: missing FILE.dvkps", "не указан FILE.dvkps"},
      {"info " + f + " " + f, "info: unexpected argument '" + f + "'",
       "лишний аргумент '" + f + "'"},
      {"get " + f, "get: missing NAME", "не указан NAME"},
      {"catalog --list flags", "catalog: option --device is required", "нужен параметр --device"},
      {"dump " + f + " --block x", "'x' is not a number (--block)", "'x' не число (--block)"},
  };
  for (const auto& c : cases) {
    for (const bool english : {true, false}) {
      // --lang right after the command word, before the fault.
      std::string args = c.args;
      args.insert(args.find(' ') == std::string::npos ? args.size() : args.find(' '),
                  english ? " --lang en" : " --lang ru");
      SCOPED_TRACE(args);
      const auto r = RunCli(args);
      EXPECT_EQ(r.status, 1);
      EXPECT_EQ(Lines(r.out), 1) << r.out;
      EXPECT_NE(r.out.find(english ? c.english : c.russian), std::string::npos) << r.out;
    }
  }
  auto r = RunCli("frobnicate --lang en");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "tripconf-cli: unknown command 'frobnicate' (try --help)\n");
  r = RunCli("info " + f + " --lang de");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("--lang"), std::string::npos) << r.out;
}

TEST_F(CliArgs, FileRefusalsFollowTheLanguageAndKeepTheSystemsReason) {
  tc::WriteFileAtomic(P("short.dvkps"), std::string("x"));
  const struct {
    std::string args, english, russian;
  } cases[] = {
      {"info " + P("none.dvkps"), "Cannot open '" + P("none.dvkps") + "': No such file",
       "Не удалось открыть файл '" + P("none.dvkps") + "': No such file"},
      {"info " + dir_.string(), "it is a folder", "это папка"},
      {"info " + P("short.dvkps"), "This is not a settings file", "Это не файл настроек"},
      {"sample v104-8k --out " + P("no/such/x.dvkps"), "Cannot write", "Не удалось записать файл"},
      {"set " + P("s.dvkps") + " nosuch=1", "unknown setting 'nosuch'",
       "неизвестная настройка 'nosuch'"},
      {"preview " + P("s.dvkps") + " --screen x5 --out " + P("p.png"), "unknown screen 'x5'",
       "неизвестный экран 'x5'"},
  };
  for (const auto& c : cases) {
    for (const bool english : {true, false}) {
      const std::string args = c.args + (english ? " --lang en" : " --lang ru");
      SCOPED_TRACE(args);
      const auto r = RunCli(args);
      EXPECT_EQ(r.status, 1);
      EXPECT_EQ(Lines(r.out), 1) << r.out;
      EXPECT_NE(r.out.find(english ? c.english : c.russian), std::string::npos) << r.out;
    }
  }
}

TEST_F(CliArgs, LocaleChoosesTheLanguageWithoutLang) {
  const std::string cmd = std::string("env LC_ALL= LC_MESSAGES= LANG=ru_RU.UTF-8 ") + TRIPCONF_CLI +
                          " unpack " + P("s.dvkps") + " 2>&1";
  FILE* p = popen(cmd.c_str(), "r");
  ASSERT_NE(p, nullptr);
  char buf[512] = {};
  const size_t n = fread(buf, 1, sizeof buf - 1, p);
  pclose(p);
  EXPECT_NE(std::string(buf, n).find("нужен параметр --out"), std::string::npos) << buf;
}

TEST_F(CliArgs, OptionsTakeEqualsFormsNegativeNumbersAndTheLastRepeat) {
  const std::string f = P("s.dvkps");
  auto r = RunCli("set " + f + " --out=" + P("b.dvkps") + " seTimeCorr=-3");
  ASSERT_EQ(r.status, 0) << r.out;
  r = RunCli("get " + P("b.dvkps") + " seTimeCorr --lang en --lang ru");
  EXPECT_EQ(r.out, "-3\n");
  r = RunCli("osc " + f + " --offset -32 --lang en");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("time offset\t"), std::string::npos) << r.out;
}

TEST(CliHelp, EveryCommandHasAGeneratedHelpNamingItsOptions) {
  const auto list = RunCli("--help");
  ASSERT_EQ(list.status, 0);
  EXPECT_EQ(RunCli("").status, 1);  // no command: the list, and status 1
  const struct {
    const char* command;
    std::vector<const char*> options;
  } commands[] = {
      {"info", {"--lang"}},
      {"unpack", {"--out"}},
      {"pack", {"--version", "--out"}},
      {"dump", {"--block"}},
      {"sample", {"--out", "v104-8k"}},
      {"ports", {"--ini"}},
      {"read", {"--port", "--out", "--wait", "--ini"}},
      {"write", {"--port", "--wait", "--ini"}},
      {"settings", {"--lang"}},
      {"get", {"NAME"}},
      {"set", {"--out"}},
      {"diff", {"A.dvkps", "B.dvkps"}},
      {"preview", {"--screen", "--display", "--scheme", "--type", "--out"}},
      {"catalog", {"--device", "--layout", "--protocol", "--list"}},
      {"journals", {"--table", "--record", "--kind", "--export"}},
      {"osc", {"--offset", "--timebase", "--png"}},
  };
  for (const auto& c : commands) {
    SCOPED_TRACE(c.command);
    EXPECT_NE(list.out.find(std::string("  ") + c.command + " "), std::string::npos);
    const auto r = RunCli(std::string(c.command) + " --help");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find(std::string("Usage: tripconf-cli ") + c.command), std::string::npos)
        << r.out;
    for (const char* o : c.options) EXPECT_NE(r.out.find(o), std::string::npos) << o;
  }
}

}  // namespace
