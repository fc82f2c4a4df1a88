// SPDX-License-Identifier: GPL-3.0-or-later
// A settings read from tripsim pacing the line at 19200 bit/s: how close the
// read comes to the time the protocol itself needs on the line, and how much
// CPU the reading process spends meanwhile.
//   wall/line   wall time / (bytes on the line x 11 bits / 19200 + 2 ms per request)
//   cpu/wall    CPU time of this process / wall time
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>

#include "link/mk_transfer.h"
#include "link/ml_rs.h"
#include "model/tmk.h"

namespace {

namespace fs = std::filesystem;

class QuietObserver : public tc::TransferObserver {
 public:
  void SetLabel(const std::string&) override {}
  void SetGauge(int) override {}
  void SetCancelVisible(bool) override {}
  bool Cancelled() const override { return false; }
  void ShowError(const std::string&) override {}
  void ShowInfo(const std::string&) override {}
};

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void BM_ReadSettingsAt19200(benchmark::State& state) {
  const std::string link =
      (fs::temp_directory_path() / ("tc-bench-tty-" + std::to_string(::getpid()))).string();
  const std::string baud = std::to_string(state.range(0));
  const char* argv[] = {TRIPSIM,      "--link",    link.c_str(), "--baud",
                        baud.c_str(), "--latency", "0",          nullptr};
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
  pid_t sim = -1;
  if (posix_spawn(&sim, TRIPSIM, &fa, nullptr, const_cast<char**>(argv), environ) != 0) {
    state.SkipWithError("cannot start tripsim");
    return;
  }
  posix_spawn_file_actions_destroy(&fa);
  for (int i = 0; i < 400 && !fs::is_symlink(link); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));

  tc::LinkPlatform p = tc::PosixLinkPlatform();
  p.ShowError = nullptr;
  tc::TML_RS rs(p);
  rs.OpenPath(link);
  if (!rs.PortOpen) {
    state.SkipWithError(rs.LastOpenError().c_str());
  } else {
    rs.SetBaudRate(19200);
    rs.SetPortType(2);
    rs.FirstByteTimeout = 100;
    const double byteSeconds = 11.0 / double(state.range(0));
    double wall = 0, cpu = 0, line = 0;
    for (auto _ : state) {
      tc::TMK mk;
      tc::TMKTransfer t(rs);
      QuietObserver obs;
      const auto w0 = std::chrono::steady_clock::now();
      const double c0 = CpuSeconds();
      if (t.ReadDeviceSettings(mk, obs) != tc::TransferResult::Done) {
        state.SkipWithError("read failed");
        break;
      }
      cpu += CpuSeconds() - c0;
      wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - w0).count();
      // The version query (6 + 9 bytes), then one 8-byte request and its
      // 38-byte reply per page; the echo shares the line with the request.
      const double pages = double(t.DeviceMemorySize / 32 - 2);
      line += ((6 + 9) + pages * (8 + 38)) * byteSeconds + (1 + pages) * 0.002;
    }
    state.counters["wall_s"] = wall / double(state.iterations());
    state.counters["line_s"] = line / double(state.iterations());
    state.counters["wall/line"] = wall / line;
    state.counters["cpu/wall"] = cpu / wall;
  }
  rs.ClosePort();
  ::kill(sim, SIGTERM);
  int status = 0;
  ::waitpid(sim, &status, 0);
}

BENCHMARK(BM_ReadSettingsAt19200)
    ->Arg(19200)
    ->Iterations(2)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace
