// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A settings document: one device model together with its own variant
// selection (capability flags, protocol list and current protocol, menu
// items, measured-parameter captions). Nothing about a device is
// program-wide, so two documents of different variants can be looked at
// side by side; only the user's language is shared.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "catalog/variants.h"
#include "model/tmk.h"

namespace tc {

class SettingsDocument {
 public:
  // A model with its construction defaults (english: the language of block
  // 5's default texts) and the variant selection of a model that holds no
  // settings yet.
  explicit SettingsDocument(bool english = false);
  SettingsDocument(const SettingsDocument&) = delete;
  SettingsDocument& operator=(const SettingsDocument&) = delete;

  TMK& Model() { return mk_; }
  const TMK& Model() const { return mk_; }
  TVariantCatalog& Variant() { return variant_; }
  const TVariantCatalog& Variant() const { return variant_; }
  const VariantFlags& Flags() const { return variant_.Flags(); }

  // Selects the variant for the identity the model holds (DeviceVersion,
  // the protocol number in block 11 and LayoutVersion) and rebuilds what
  // depends on it: the measured parameters with the variant's captions and
  // the factory colour schemes. A protocol number or layout version above
  // 255 throws RangeError and keeps the previous selection; a protocol
  // number the variant does not offer throws ListIndexError (the flags,
  // the protocol list and what depends on them are selected even then).
  void SelectVariant();
  // The same, keeping the reason instead of throwing: "" when the variant
  // and its protocol were selected.
  std::string TrySelectVariant();

  // The last steps of opening, also after the image was replaced (a read
  // from the device, a file loaded into the document): decodes the blocks
  // and selects the variant, keeping a protocol the variant does not offer
  // as VariantProblem(). RangeError and a block that cannot be decoded
  // still throw.
  void DecodeAndSelect();
  // Why the variant could not be fully selected when the document was
  // opened or decoded last ("" when it could): the settings are still worth showing, only
  // what depends on the protocol is missing.
  const std::string& VariantProblem() const { return variantProblem_; }

 private:
  TMK mk_;
  TVariantCatalog variant_;
  std::string variantProblem_;
};

// The code kind of the engine-control protocol for the settings the
// document holds. The variant is selected again first, so settings loaded
// since the last selection are not listed in another protocol's format.
// When the identity cannot be selected (a protocol the variant does not
// offer, a number above 255) the OBD-II letter form 0 is used and
// `problem`, if given, receives the reason.
int JournalFaultCodeKind(SettingsDocument& doc, std::string* problem = nullptr);

// Opens a settings file: reads and checks it (a file that is not a settings
// file of this device is refused with FileError), decodes the blocks and
// selects the variant. A protocol the variant does not offer is kept in
// VariantProblem(); a protocol number above 255 throws RangeError.
std::unique_ptr<SettingsDocument> OpenSettingsDocument(const std::string& path);
// The same for an image read from a device (or made in memory), with the
// device's version word; the image passes the same checks as a file's.
std::unique_ptr<SettingsDocument> OpenSettingsDocument(std::vector<uint8_t> image,
                                                       uint16_t deviceVersion);

}  // namespace tc
