// SPDX-License-Identifier: GPL-3.0-or-later
// Redrawing one preview screen, as the settings editor does on every change.
#include <benchmark/benchmark.h>

#include "catalog/meas_par.h"
#include "model/preview.h"
#include "model/tmk.h"

namespace {

void BM_PreviewScreen(benchmark::State& state) {
  const auto screen = tc::PreviewScreen(state.range(0));
  tc::TMK mk;
  const tc::TMeasParList params = tc::BuildMeasParList(tc::VariantFlags{});
  tc::PreviewInput in(mk, params);
  in.infoItems = tc::BuildInfoPanelItems(tc::VariantFlags{}, false);
  tc::PreviewSurface surface(tc::PreviewWidth(screen), tc::kScreenHeight);
  for (auto _ : state) {
    tc::PaintPreview(surface, screen, in, 0);
    benchmark::DoNotOptimize(surface.Rgb().data());
  }
  state.SetLabel(tc::PreviewScreenName(screen));
}
BENCHMARK(BM_PreviewScreen)->DenseRange(0, 9)->Unit(benchmark::kMicrosecond);

}  // namespace
