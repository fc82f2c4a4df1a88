// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding and encoding every block of a 32 KiB settings image, and the
// settings-file scrambling of the same image.
#include <benchmark/benchmark.h>

#include "model/sample_image.h"
#include "model/settings_file.h"
#include "model/tmk.h"

static void BM_DecodeEncodeAll32k(benchmark::State& state) {
  tc::TMK mk;
  mk.ReplaceImage(tc::BuildSampleImage(tc::SampleSetupByName("v8003-32k")));
  for (auto _ : state) {
    mk.DecodeSettingsBlocks();
    mk.EncodeSettingsBlocks();
    benchmark::DoNotOptimize(mk.Image().data());
  }
}
BENCHMARK(BM_DecodeEncodeAll32k);

static void BM_SettingsFileRoundTrip32k(benchmark::State& state) {
  const auto image = tc::BuildSampleImage(tc::SampleSetupByName("v8003-32k"));
  for (auto _ : state) {
    auto file = tc::EncodeSettingsFile(0x8003, image);
    auto back = tc::DecodeSettingsFile(file);
    benchmark::DoNotOptimize(back.image.data());
  }
}
BENCHMARK(BM_SettingsFileRoundTrip32k);
