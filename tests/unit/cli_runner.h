// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs tripconf-cli as a user does and collects what it prints.
#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/wait.h>
#endif

#include <array>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

namespace tc::testing {

struct CliResult {
  int status;
  std::string out;
};

// withErrors: stderr is collected along with stdout.
inline CliResult RunCli(const std::string& args, bool withErrors = true) {
#if defined(_WIN32)
  // cmd.exe wants backslashes; a cross build run under Wine names the
  // program by its Linux path, which Wine shows as drive Z:.
  std::string program = TRIPCONF_CLI;
  for (char& c : program)
    if (c == '/') c = '\\';
  if (program.rfind("\\", 0) == 0) program = "Z:" + program;
  const std::string cmd =
      "\"\"" + program + "\" " + args + (withErrors ? " 2>&1" : " 2>NUL") + "\"";
  FILE* p = _popen(cmd.c_str(), "r");  // text mode: the CR of each CRLF goes
#else
  const std::string cmd =
      std::string(TRIPCONF_CLI) + " " + args + (withErrors ? " 2>&1" : " 2>/dev/null");
  FILE* p = popen(cmd.c_str(), "r");
#endif
  CliResult r{-1, ""};
  if (!p) return r;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
#if defined(_WIN32)
  r.status = _pclose(p);
#else
  const int st = pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
#endif
  return r;
}

// A fresh folder per test, removed afterwards. The random part keeps two
// runs of the suite at the same time (a sanitizer build beside a normal one)
// out of each other's files.
class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::random_device random;
    dir_ = std::filesystem::temp_directory_path() /
           (std::string("tripconf-") + info->test_suite_name() + "-" + info->name() + "-" +
            std::to_string(random()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string P(const std::string& name) const { return (dir_ / name).string(); }
  std::filesystem::path dir_;
};

}  // namespace tc::testing
