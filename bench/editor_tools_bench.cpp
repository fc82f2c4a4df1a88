// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's tools per keystroke and per store: a search over every
// setting (the list is refreshed on each key typed) and the undo
// checkpoint that follows every store.
#include <benchmark/benchmark.h>

#include "editor_core/edit_session.h"
#include "editor_core/setting_search.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "model/sample_image.h"
#include "model/settings_document.h"

namespace {

std::unique_ptr<tc::SettingsDocument> Open32k() {
  const tc::SampleSetup setup = tc::SampleSetupByName("ve01-32k");
  return tc::OpenSettingsDocument(tc::BuildSampleImage(setup), setup.deviceVersion);
}

void BM_SearchOneKeystroke(benchmark::State& state) {
  auto doc = Open32k();
  tc::EditorContext ctx{doc->Model(), doc->Variant()};
  // What the editor does per key: the visibility, then the search.
  for (auto _ : state) {
    const tc::Visibility v = tc::ControlVisibility(ctx);
    benchmark::DoNotOptimize(tc::SearchSettings(ctx, v, "скорость"));
  }
}
BENCHMARK(BM_SearchOneKeystroke)->Unit(benchmark::kMicrosecond);

void BM_StoreAndCheckpoint(benchmark::State& state) {
  auto doc = Open32k();
  tc::TSettingsEditSession session(*doc);
  const tc::SettingDef& d = *tc::FindSetting("seVelocityLimit");
  int v = 100;
  for (auto _ : state) {
    v = v == 100 ? 110 : 100;
    tc::SetFromText(session.Context(), d, std::to_string(v));
    benchmark::DoNotOptimize(session.Checkpoint());
  }
}
BENCHMARK(BM_StoreAndCheckpoint)->Unit(benchmark::kMicrosecond);

}  // namespace
