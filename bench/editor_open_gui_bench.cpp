// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the settings editor as step 2 does, offscreen: the edit session
// (decode, variant selection, rebuilds, backup), the window with its pages,
// and the show sequence up to a painted first page. Then the first show of
// a page: the display page (the colour schemes with their previews and
// tables) and the display layout pages with three previews each, each
// switched to once in a window that has just opened.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTabWidget>

#include "editor/settings_dlg.h"
#include "editor_core/edit_session.h"
#include "gui_bench_main.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/tmk.h"
#include "util/text_pair.h"

namespace {

void LoadSample(tc::TMK& mk, const char* sample) {
  const tc::SampleSetup setup = tc::SampleSetupByName(sample);
  mk.ReplaceImage(tc::BuildSampleImage(setup), setup.deviceVersion);
  mk.DecodeSettingsBlocks();
}

void OpenEditor(benchmark::State& state, const char* sample, bool english) {
  tc::SetEnglishVersion(english);
  tc::SettingsDocument doc;
  tc::TMK& mk = doc.Model();
  LoadSample(mk, sample);
  for (auto _ : state) {
    tc::TSettingsEditSession session(doc);
    tc::TMK_SetParamsDlg dlg(session);
    dlg.show();
    dlg.grab();  // lay out and paint the first page
    dlg.reject();
    session.Cancel();
  }
}

// Only the switch to the page and its painting are timed. `inner` names a
// page of the display page's own page control, or nothing for the display
// page itself; the display page is visited (untimed) before its inner pages.
void FirstShow(benchmark::State& state, const char* sample, const char* inner) {
  tc::SetEnglishVersion(false);
  tc::SettingsDocument doc;
  tc::TMK& mk = doc.Model();
  LoadSample(mk, sample);
  for (auto _ : state) {
    state.PauseTiming();
    {
      tc::TSettingsEditSession session(doc);
      tc::TMK_SetParamsDlg dlg(session);
      dlg.show();
      dlg.grab();
      QWidget* display = dlg.findChild<QWidget*>("tsDisp");
      auto* displayPages = dlg.findChild<QTabWidget*>("pcDisp");
      if (inner) {
        dlg.PageControl()->setCurrentWidget(display);
        dlg.grab();
      }
      QWidget* page = inner ? dlg.findChild<QWidget*>(inner) : nullptr;
      state.ResumeTiming();
      if (inner)
        displayPages->setCurrentWidget(page);
      else
        dlg.PageControl()->setCurrentWidget(display);
      dlg.grab();
      state.PauseTiming();
      dlg.reject();
      session.Cancel();
    }
    state.ResumeTiming();
  }
}

BENCHMARK_CAPTURE(OpenEditor, v104_ru, "v104-8k", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenEditor, ve01_en, "ve01-32k", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FirstShow, display_colours_v104, "v104-8k", nullptr)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FirstShow, x4_v104, "v104-8k", "tsDisplays4")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FirstShow, x9_v104, "v104-8k", "tsDisplays9")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FirstShow, graph_v104, "v104-8k", "tsGraphDisplays")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FirstShow, arrow_v104, "v104-8k", "tsArrowDisplays")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FirstShow, x4_ve01, "ve01-32k", "tsDisplays4")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return RunGuiBenchmarks(argc, argv);
}
