// Opening the settings editor as step 2 does, offscreen: the edit session
// (decode, variant selection, rebuilds, backup), the window with all its
// pages and controls, and the show sequence up to a painted first page.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "editor/settings_dlg.h"
#include "editor_core/edit_session.h"
#include "gui_bench_main.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/tmk.h"
#include "util/text_pair.h"

namespace {

void OpenEditor(benchmark::State& state, const char* sample, bool english) {
  tc::SetEnglishVersion(english);
  const tc::SampleSetup setup = tc::SampleSetupByName(sample);
  tc::SettingsDocument doc;
  tc::TMK& mk = doc.Model();
  mk.ReplaceImage(tc::BuildSampleImage(setup), setup.deviceVersion);
  mk.DecodeSettingsBlocks();
  for (auto _ : state) {
    tc::TSettingsEditSession session(doc);
    tc::TMK_SetParamsDlg dlg(session);
    dlg.show();
    dlg.grab();  // lay out and paint the first page
    dlg.reject();
    session.Cancel();
  }
}

BENCHMARK_CAPTURE(OpenEditor, v104_ru, "v104-8k", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenEditor, ve01_en, "ve01-32k", true)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunGuiBenchmarks(argc, argv);
}
