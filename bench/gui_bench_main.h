// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main of a benchmark of the desktop program: offscreen unless the
// environment names a platform.
#include <benchmark/benchmark.h>

#include <QApplication>

inline int RunGuiBenchmarks(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
