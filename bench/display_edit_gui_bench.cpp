// SPDX-License-Identifier: GPL-3.0-or-later
// One edit on a display page as the user makes it, offscreen: the store, the
// editor's reload cycle (every control and part) and the repaint of every
// preview in view. A layout cell choice on "Дисплеи х4" (three previews) and
// a colour change on the digital displays' colour page (two previews).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTabWidget>

#include "editor/preview_part.h"
#include "editor/settings_binder.h"
#include "editor/settings_dlg.h"
#include "editor_core/edit_session.h"
#include "editor_core/page_colors.h"
#include "editor_core/page_layouts.h"
#include "gui_bench_main.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/tmk.h"

namespace {

struct OpenEditor {
  explicit OpenEditor(const char* sample) {
    const tc::SampleSetup setup = tc::SampleSetupByName(sample);
    mk.ReplaceImage(tc::BuildSampleImage(setup), setup.deviceVersion);
    mk.DecodeSettingsBlocks();
    session = std::make_unique<tc::TSettingsEditSession>(doc);
    dlg = std::make_unique<tc::TMK_SetParamsDlg>(*session);
    dlg->show();
  }
  // Brings a page and its page controls to the front; its previews in view.
  std::vector<tc::TPreviewView*> Show(const char* name) {
    QWidget* w = dlg->Page(name);
    for (QWidget* c = w; c && c != dlg.get(); c = c->parentWidget())
      if (auto* tabs = qobject_cast<QTabWidget*>(c->parentWidget()->parentWidget()))
        tabs->setCurrentWidget(c);
    dlg->grab();
    std::vector<tc::TPreviewView*> views;
    for (auto* v : w->findChildren<tc::TPreviewView*>()) views.push_back(v);
    return views;
  }
  static void Repaint(const std::vector<tc::TPreviewView*>& views) {
    for (auto* v : views) v->repaint();
  }
  tc::SettingsDocument doc;
  tc::TMK& mk = doc.Model();
  std::unique_ptr<tc::TSettingsEditSession> session;
  std::unique_ptr<tc::TMK_SetParamsDlg> dlg;
};

void LayoutChoice(benchmark::State& state) {
  OpenEditor e("v104-8k");
  const auto views = e.Show("tsDisplays4a");
  tc::EditorContext& ctx = e.session->Context();
  const auto menu = tc::CellMenu(ctx, tc::PreviewScreen::X4, 1);
  size_t i = 0;
  for (auto _ : state) {
    tc::StoreCellChoice(ctx, tc::PreviewScreen::X4, 0, 1, menu[i++ % menu.size()].code);
    e.dlg->Binder().Reload();
    OpenEditor::Repaint(views);
  }
}

void ColourChange(benchmark::State& state) {
  OpenEditor e("v8003-32k");
  const auto views = e.Show("tsColorX4X9");
  tc::EditorContext& ctx = e.session->Context();
  int r = 0;
  for (auto _ : state) {
    tc::SetPaletteColour(ctx, tc::EditedScheme(ctx), 0, {r++ % 32, 10, 10});
    e.dlg->Binder().Reload();
    OpenEditor::Repaint(views);
  }
}

// One preview drawn anew, as a paint of a stale view does it.
void RedrawOnePreview(benchmark::State& state) {
  OpenEditor e("v104-8k");
  const auto views = e.Show("tsDisplays9");
  for (auto _ : state) {
    views[0]->MarkStale();
    benchmark::DoNotOptimize(views[0]->Image());
  }
}

BENCHMARK(LayoutChoice)->Unit(benchmark::kMillisecond);
BENCHMARK(ColourChange)->Unit(benchmark::kMillisecond);
BENCHMARK(RedrawOnePreview)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return RunGuiBenchmarks(argc, argv);
}
