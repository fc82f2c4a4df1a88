// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Starting tripsim and tripconf-cli as separate processes for the
// end-to-end tests.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace tc::e2e {

namespace fs = std::filesystem;

inline std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline std::vector<uint8_t> SlurpBytes(const fs::path& p) {
  const std::string s = Slurp(p);
  return std::vector<uint8_t>(s.begin(), s.end());
}

struct TempDir {
  fs::path path;
  TempDir() {
    std::string tmpl = (fs::temp_directory_path() / "tc-e2e-XXXXXX").string();
    path = ::mkdtemp(tmpl.data());
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

// Spawns argv with stdout and stderr going to files; extraEnv entries are
// "NAME=value" and replace inherited ones.
inline pid_t Spawn(const std::vector<std::string>& argv, const fs::path& out, const fs::path& err,
                   const std::vector<std::string>& extraEnv = {}) {
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_addopen(&fa, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&fa, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&fa, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string s = *e;
    bool replaced = false;
    for (const auto& x : extraEnv)
      if (s.substr(0, s.find('=') + 1) == x.substr(0, x.find('=') + 1)) replaced = true;
    if (!replaced) env.push_back(s);
  }
  env.insert(env.end(), extraEnv.begin(), extraEnv.end());
  std::vector<char*> a, e;
  for (const auto& s : argv) a.push_back(const_cast<char*>(s.c_str()));
  a.push_back(nullptr);
  for (const auto& s : env) e.push_back(const_cast<char*>(s.c_str()));
  e.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0].c_str(), &fa, nullptr, a.data(), e.data()) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&fa);
  return pid;
}

inline int WaitExit(pid_t pid, int timeoutMs = 60000) {
  for (int waited = 0;; waited += 5) {
    int status = 0;
    const pid_t r = ::waitpid(pid, &status, WNOHANG);
    if (r == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (r < 0) return -1;
    if (waited >= timeoutMs) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return -2;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

// tripsim on a pty, reachable through a symlink in the test's folder.
class Sim {
 public:
  Sim(const fs::path& dir, std::vector<std::string> args) : dir_(dir) {
    link_ = dir / "tty";
    dump_ = dir / "dump.bin";
    std::vector<std::string> argv = {
        TRIPSIM, "--link", link_.string(), "--dump", dump_.string(), "--latency", "0"};
    argv.insert(argv.end(), args.begin(), args.end());
    pid_ = Spawn(argv, dir / "sim.out", dir / "sim.err");
    for (int i = 0; i < 500 && pid_ > 0; ++i) {
      std::error_code ec;
      if (fs::is_symlink(link_, ec)) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  ~Sim() { Stop(); }
  bool Running() const { return pid_ > 0 && fs::is_symlink(link_); }
  std::string Port() const { return link_.string(); }
  // Ends the simulator (it writes its dump) and returns its exit code.
  int Stop() {
    if (pid_ <= 0) return code_;
    ::kill(pid_, SIGTERM);
    code_ = WaitExit(pid_, 10000);
    pid_ = -1;
    return code_;
  }
  std::vector<uint8_t> Dump() {
    Stop();
    return SlurpBytes(dump_);
  }
  std::string Log() const { return Slurp(dir_ / "sim.err"); }
  pid_t Pid() const { return pid_; }

 private:
  fs::path dir_, link_, dump_;
  pid_t pid_ = -1;
  int code_ = -1;
};

struct CliResult {
  int code = -1;
  std::string out, err;
};

// Runs tripconf-cli with HOME and XDG_DATA_HOME inside dir; `during` runs
// while it works (to interrupt it).
inline CliResult RunCli(const fs::path& dir, std::vector<std::string> args,
                        const std::function<void(pid_t)>& during = {}) {
  args.insert(args.begin(), TRIPCONF_CLI);
  const std::vector<std::string> env = {"HOME=" + (dir / "home").string(),
                                        "XDG_DATA_HOME=" + (dir / "data").string(), "LANG=C.UTF-8",
                                        "LC_ALL=", "LC_MESSAGES="};
  const pid_t pid = Spawn(args, dir / "cli.out", dir / "cli.err", env);
  CliResult r;
  if (pid <= 0) return r;
  if (during) during(pid);
  r.code = WaitExit(pid);
  r.out = Slurp(dir / "cli.out");
  r.err = Slurp(dir / "cli.err");
  return r;
}

}  // namespace tc::e2e
