// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A model holding a sample image with its variant selected, for the tests of
// the tank, service and universal-input pages.
#include <stdexcept>
#include <string>
#include <vector>

#include "catalog/variants.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/tmk.h"

namespace tc::test {

struct SampleModel {
  explicit SampleModel(const char* sample) : SampleModel(SampleSetupByName(sample)) {}
  explicit SampleModel(const SampleSetup& setup) : catalog(doc.Variant()), ctx{mk, catalog} {
    mk.ReplaceImage(BuildSampleImage(setup), setup.deviceVersion);
    mk.DecodeSettingsBlocks();
    doc.SelectVariant();
  }
  const SettingDef& Def(const std::string& name) const {
    const SettingDef* d = FindSetting(name);
    if (!d) throw std::runtime_error("no setting " + name);
    return *d;
  }
  std::vector<uint8_t> BlockBytes(int n) const { return {mk.Block(n).begin(), mk.Block(n).end()}; }
  SettingsDocument doc;
  TMK& mk = doc.Model();
  TVariantCatalog& catalog;
  EditorContext ctx;
};

// The message of what `f` throws, or "accepted".
template <typename F>
std::string Outcome(F f) {
  try {
    f();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "accepted";
}

}  // namespace tc::test
