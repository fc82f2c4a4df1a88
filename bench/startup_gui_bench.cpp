// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the desktop program to a shown main window.
//
// StartupToShownWindow runs the program's own start (application object,
// single-instance guard, ini, link, main window) in a fresh process each
// iteration and times it from just before the process is created until the
// main window is on screen. MainWindowShow times creating and showing the
// window in a running application. Run on the offscreen platform:
//   QT_QPA_PLATFORM=offscreen ./build/bench/startup_gui_bench
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/application.h"
#include "app/main_form.h"
#include "ui/scripted_services.h"

extern char** environ;

namespace {

int64_t NowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::string g_self;

// The child: the program's start, then report the moment the window shows.
int RunChild(int argc, char** argv) {
  tc::TApplication app(argc, argv);
  return tc::RunProgram(app, [](tc::TMainForm& form) {
    const int64_t shown = NowNs();
    std::printf("%lld %d\n", static_cast<long long>(shown), form.isVisible() ? 1 : 0);
    std::fflush(stdout);
    QCoreApplication::quit();
  });
}

void StartupToShownWindow(benchmark::State& state) {
  // A private runtime folder, so a tripconf running on this desktop does not
  // make the child end as a second copy.
  QTemporaryDir runtime;
  setenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit().constData(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  for (auto _ : state) {
    int out[2];
    if (pipe(out) != 0) {
      state.SkipWithError("pipe failed");
      break;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char arg0[] = "startup_gui_bench";
    char arg1[] = "--child";
    char* args[] = {arg0, arg1, nullptr};
    const int64_t start = NowNs();
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, g_self.c_str(), &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (rc != 0) {
      close(out[0]);
      state.SkipWithError("cannot start the child");
      break;
    }
    char buf[128] = {};
    size_t got = 0;
    ssize_t n;
    while (got < sizeof buf - 1 && (n = read(out[0], buf + got, sizeof buf - 1 - got)) > 0)
      got += size_t(n);
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    long long shown = 0;
    int visible = 0;
    if (std::sscanf(buf, "%lld %d", &shown, &visible) != 2 || !visible) {
      state.SkipWithError("the child did not show its window");
      break;
    }
    state.SetIterationTime(double(shown - start) / 1e9);
  }
}
BENCHMARK(StartupToShownWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void MainWindowShow(benchmark::State& state) {
  tc::ScriptedMessageService messages;
  QTemporaryDir dir;
  tc::LinkPlatform noPorts;
  noPorts.ListPorts = [] { return std::vector<tc::PortInfo>{}; };
  for (auto _ : state) {
    tc::TMainForm form(tc::PathsForProgram(dir.path() + "/tripconf"), noPorts);
    form.show();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(form.isVisible());
    form.close();
  }
}
BENCHMARK(MainWindowShow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--child") == 0) return RunChild(argc, argv);
  char self[4096];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  g_self = n > 0 ? std::string(self, size_t(n)) : std::string(argv[0]);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  tc::TApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
