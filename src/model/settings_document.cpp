// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/settings_document.h"

#include "model/settings_file.h"
#include "model/settings_layout.h"
#include "util/errors.h"

namespace tc {

SettingsDocument::SettingsDocument(bool english) : mk_(english) {
  // The identity of a model that holds no settings yet.
  variant_.SelectVariant(1, 0, 0);
}

void SettingsDocument::SelectVariant() {
  // The identity is checked before the previous selection is given up, so
  // a refused identity leaves the document with the variant it had.
  const TMK::Identity id = mk_.VariantIdentity();
  const auto rebuild = [this] {
    const VariantFlags& flags = variant_.Flags();
    mk_.BuildMeasParList(flags);
    ApplyCaptionVariants(mk_.MeasParList, flags, uint8_t(mk_.GetInt(layout::kAirWaterShow)));
    mk_.BuildFactorySchemes(flags.VariantHybrid);
  };
  try {
    variant_.SelectVariant(id.deviceType, id.protocolNumber, id.subtype);
  } catch (const ListIndexError&) {
    rebuild();
    throw;
  }
  rebuild();
}

std::string SettingsDocument::TrySelectVariant() {
  try {
    SelectVariant();
  } catch (const TripError& e) {
    return e.what();
  }
  return {};
}

void SettingsDocument::DecodeAndSelect() {
  mk_.DecodeSettingsBlocks();
  variantProblem_.clear();
  try {
    SelectVariant();
  } catch (const ListIndexError& e) {
    variantProblem_ = e.what();
  }
}

int JournalFaultCodeKind(SettingsDocument& doc, std::string* problem) {
  try {
    doc.SelectVariant();
  } catch (const TripError& e) {
    if (problem) *problem = e.what();
    return 0;
  }
  const TProtBase* protocol = doc.Variant().CurrentProtocol();
  if (!protocol) {
    if (problem) *problem = "no engine-control protocol is selected";
    return 0;
  }
  return protocol->FaultFormat;
}

std::unique_ptr<SettingsDocument> OpenSettingsDocument(const std::string& path) {
  auto doc = std::make_unique<SettingsDocument>();
  ReadSettingsFile(doc->Model(), path);
  doc->DecodeAndSelect();
  return doc;
}

std::unique_ptr<SettingsDocument> OpenSettingsDocument(std::vector<uint8_t> image,
                                                       uint16_t deviceVersion) {
  CheckSettingsDirectory(image);
  auto doc = std::make_unique<SettingsDocument>();
  doc->Model().ReplaceImage(std::move(image), deviceVersion);
  doc->DecodeAndSelect();
  return doc;
}

}  // namespace tc
