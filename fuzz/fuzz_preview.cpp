// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as block 10 (cells, colour schemes) and block 13 (info panel),
// for any variant: every screen, every display, both schemes and both forms
// must draw inside the surface without reading past a table.
#include <cstdint>

#include "catalog/variants.h"
#include "fuzz_input.h"
#include "model/preview.h"
#include "model/settings_document.h"
#include "model/tmk.h"
#include "util/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static tc::TMK mk;
  static tc::TVariantCatalog variant;
  tc::fuzz::Input in(data, size);
  // The variant: device version, protocol number, layout version.
  const uint16_t device = in.Word();
  const uint8_t protocol = in.Byte(), layout = in.Byte(), hybridMark = in.Byte();
  try {
    variant.SelectVariant(device, protocol, layout);
  } catch (const tc::TripError&) {
  }
  const tc::VariantFlags flags = variant.Flags();
  tc::TMeasParList params = tc::BuildMeasParList(flags);
  tc::ApplyCaptionVariants(params, flags, hybridMark);
  // Blocks first, the drawing choices after them, so the seeds' blocks
  // keep their place when the fuzzer grows an input.
  for (int block : {10, 13}) {
    auto b = mk.Block(block);
    const auto bytes = in.Bytes(b.size());
    std::copy(bytes.begin(), bytes.end(), b.begin());
  }
  tc::PreviewInput pin(mk, params);
  pin.infoItems = tc::BuildInfoPanelItems(flags, hybridMark & 1);
  // One screen kind per input, with all its displays; the rest of the
  // choices come from the input too, so runs reach every combination.
  const uint8_t choice = in.Byte();
  const auto screen = static_cast<tc::PreviewScreen>(choice % 10);
  pin.scheme = (choice >> 4) & 1;
  pin.secondForm = (choice >> 5) & 1;
  pin.english = (choice >> 6) & 1;
  tc::PreviewSurface surface(tc::PreviewWidth(screen), tc::kScreenHeight);
  for (int d = 0; d < tc::PreviewDisplayCount(screen); ++d) {
    try {
      tc::PaintPreview(surface, screen, pin, d);
    } catch (const tc::TripError&) {
    }
  }
  return 0;
}
