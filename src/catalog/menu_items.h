// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The entries of the trip computer's own menu. The device settings refer to
// an entry by a 16-bit code; the codes are handed out by a running counter
// in a fixed order, so which entries a variant has moves the codes of the
// entries after them. Look entries up again after every rebuild.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/variant_flags.h"

namespace tc {

struct TMKMenuItem {
  std::string CaptionRu;
  std::string CaptionEn;
  std::string Ident;  // "FullTankMenu", ...
  uint16_t Code = 0;
  // 0: general; 1: trip resets, trip and refuelling journals;
  // 2: taximeter; 3: parking sensors.
  uint8_t Group = 0;

  const std::string& Caption(bool english) const { return english ? CaptionEn : CaptionRu; }
  // Caption in the program's active language.
  const std::string& Caption() const;
};

class TMenuItemCatalog {
 public:
  TMenuItemCatalog() = default;
  explicit TMenuItemCatalog(std::vector<TMKMenuItem> items) : items_(std::move(items)) {}

  const std::vector<TMKMenuItem>& Items() const { return items_; }
  std::size_t size() const { return items_.size(); }
  bool empty() const { return items_.empty(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

  // First entry whose identifier equals ident exactly, or nullptr.
  const TMKMenuItem* FindMenuItemByIdent(std::string_view ident) const;
  // First entry with the given code, or nullptr.
  const TMKMenuItem* FindMenuItemByCode(uint16_t code) const;

 private:
  std::vector<TMKMenuItem> items_;
};

// Builds the catalogue for a variant, in code order.
TMenuItemCatalog BuildMenuItems(const VariantFlags& flags);

inline const TMKMenuItem* FindMenuItemByIdent(const TMenuItemCatalog& catalog,
                                              std::string_view ident) {
  return catalog.FindMenuItemByIdent(ident);
}
inline const TMKMenuItem* FindMenuItemByCode(const TMenuItemCatalog& catalog, uint16_t code) {
  return catalog.FindMenuItemByCode(code);
}

}  // namespace tc
