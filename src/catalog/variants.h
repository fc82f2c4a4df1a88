// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A variant selection: the capability flags of one device, the protocols
// that variant offers, the current protocol and the device's menu items.
// Each settings document holds its own; SelectVariant rebuilds it in place,
// so pointers to protocol entries and menu items are valid only until that
// selection's next SelectVariant.
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "catalog/menu_items.h"
#include "catalog/protocol.h"
#include "catalog/variant_flags.h"
#include "util/errors.h"

namespace tc {

// A position beyond the end of a list (here: a stored protocol number that
// the variant does not offer).
class ListIndexError : public TripError {
 public:
  using TripError::TripError;
};

using ProtocolList = std::vector<std::unique_ptr<TProtBase>>;

// What the variant table says about one device identity.
struct VariantInfo {
  VariantFlags flags;
  std::string project;          // empty when the identity has no row
  std::vector<uint8_t> offers;  // protocol codes, in list order
};

// Looks (deviceType, subtype) up; an identity without a row gives only the
// flags its type shares with all its subtypes, and no protocol.
VariantInfo LookupVariant(uint16_t deviceType, uint8_t subtype);

// Builds the protocol entries whose code is in `offers`, in list order, as
// the variant with `flags` sees them.
ProtocolList BuildProtocolList(const VariantFlags& flags, std::span<const uint8_t> offers);

class TVariantCatalog {
 public:
  const VariantFlags& Flags() const { return flags_; }
  const ProtocolList& Protocols() const { return protocols_; }
  // Nullptr until a selection has picked one (or after one failed to).
  const TProtBase* CurrentProtocol() const;
  int CurrentProtocolNumber() const { return current_; }
  const std::string& ProjectName() const { return project_; }
  uint16_t DeviceType() const { return deviceType_; }
  uint8_t Subtype() const { return subtype_; }

  // Clears every flag, sets those of (deviceType, subtype), rebuilds the
  // protocol list and the menu items and makes entry `protocolNumber` the
  // current protocol.
  // A number beyond the list throws ListIndexError; the flags and the list
  // then stay as built and there is no current protocol.
  void SelectVariant(uint16_t deviceType, uint8_t protocolNumber, uint8_t subtype);
  // Makes entry `protocolNumber` of the list built last the current one
  // (after the user picks another protocol); same error as above.
  void SelectProtocol(int protocolNumber);
  // First entry with this code, or nullptr.
  const TProtBase* FindProtocol(uint8_t code) const;

  // The device's menu items as the selected variant has them; rebuilt by
  // every selection, so they always follow the flags.
  const TMenuItemCatalog& MenuItems() const { return menuItems_; }

 private:
  VariantFlags flags_;
  ProtocolList protocols_;
  TMenuItemCatalog menuItems_;
  int current_ = -1;
  std::string project_;
  uint16_t deviceType_ = 0;
  uint8_t subtype_ = 0;
};

}  // namespace tc
