// SPDX-License-Identifier: GPL-3.0-or-later
// The comparison and the carry-over behind the changes window, the count on
// the main window (run after every edit) and the carry-over window.
#include <benchmark/benchmark.h>

#include <memory>

#include "editor_core/carry_over.h"
#include "editor_core/edit_session.h"
#include "model/sample_image.h"
#include "model/settings_document.h"

namespace {

std::unique_ptr<tc::SettingsDocument> Sample(const char* name) {
  const tc::SampleSetup s = tc::SampleSetupByName(name);
  return tc::OpenSettingsDocument(tc::BuildSampleImage(s), s.deviceVersion);
}

void BM_ChangesAccount(benchmark::State& state) {
  auto a = Sample("ve01-32k");
  auto b = Sample("ve01-32k");
  const tc::EditorContext ca{a->Model(), a->Variant()}, cb{b->Model(), b->Variant()};
  for (auto _ : state) benchmark::DoNotOptimize(tc::ChangesAccount(ca, cb, true).Entries());
}
BENCHMARK(BM_ChangesAccount)->Unit(benchmark::kMillisecond);

// An older device's settings onto a newer one, as the carry-over window
// does it twice (the preview and Apply).
void BM_CarryOver(benchmark::State& state) {
  auto source = Sample("v104-8k");
  const tc::EditorContext src{source->Model(), source->Variant()};
  for (auto _ : state) {
    auto target = Sample("ve01-32k");
    tc::TSettingsEditSession session(*target);
    benchmark::DoNotOptimize(tc::CarryOver(src, session.Context(), true).Entries());
    session.Accept();
  }
}
BENCHMARK(BM_CarryOver)->Unit(benchmark::kMillisecond);

}  // namespace
