// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/variants.h"

#include <algorithm>

#include "catalog/catalog_tables.h"

namespace tc {

namespace {

bool Offers(std::span<const uint8_t> offers, uint8_t code) {
  return std::find(offers.begin(), offers.end(), code) != offers.end();
}

std::unique_ptr<TProtBase> BuildEntry(const ProtocolRow& row, const VariantFlags& flags,
                                      std::span<const uint8_t> offers) {
  TextPair name = row.name;
  switch (row.rule) {
    case NameRule::kPlain:
      break;
    case NameRule::kBoschOrTiggo:
      name = Offers(offers, 220) ? TextPair{"Bosch", "Bosch"} : TextPair{"Tiggo", "Tiggo"};
      break;
    case NameRule::kMarlinOrDelphi:
      name =
          flags.VariantPowerReserve ? TextPair{"Marlin", "Marlin"} : TextPair{"Delphi", "Delphi"};
      break;
  }
  const auto& blocks =
      flags.VariantCan && !row.canOnlyBlocks.empty() ? row.canOnlyBlocks : row.blocks;
  auto entry =
      std::make_unique<TProtBase>(name, row.params, blocks, row.faultFormat, row.code, flags);
  entry->SetCapabilities(row.capabilities);
  entry->EcuLevelSensors = row.ecuLevelSensors;
  const auto& sets = SlotSets();
  for (int s : row.slotSets) {
    const SlotSet& set = sets.at(size_t(s - 1));
    entry->SetSlot(set.slot, set.caption, set.items);
  }
  return entry;
}

std::string IndexErrorText(int number, size_t count) {
  std::string text = "List index out of bounds (" + std::to_string(number) + "): ";
  if (count == 0) return text + "this device variant offers no engine-control protocol";
  return text + "the stored protocol number " + std::to_string(number) + " is not among the " +
         std::to_string(count) + " protocols this device variant offers (0.." +
         std::to_string(count - 1) + ")";
}

}  // namespace

VariantInfo LookupVariant(uint16_t deviceType, uint8_t subtype) {
  VariantInfo info;
  // A row lists every flag of its variant, the type's common ones included
  // (one row, 0xA01/10, is a product that drops two of them); a subtype
  // without a row still has the flags its type shares.
  if (const VariantRow* row = FindVariantRow(deviceType, subtype)) {
    for (auto f : row->flags) info.flags.*f = true;
    info.project = row->project;
    info.offers = row->offers;
  } else {
    for (auto f : CommonFlagsOfType(deviceType)) info.flags.*f = true;
  }
  return info;
}

ProtocolList BuildProtocolList(const VariantFlags& flags, std::span<const uint8_t> offers) {
  ProtocolList list;
  for (const ProtocolRow& row : ProtocolRows())
    if (Offers(offers, row.code)) list.push_back(BuildEntry(row, flags, offers));
  return list;
}

const TProtBase* TVariantCatalog::CurrentProtocol() const {
  return current_ < 0 ? nullptr : protocols_[size_t(current_)].get();
}

void TVariantCatalog::SelectVariant(uint16_t deviceType, uint8_t protocolNumber, uint8_t subtype) {
  flags_ = VariantFlags{};
  protocols_.clear();
  menuItems_ = TMenuItemCatalog{};
  current_ = -1;
  project_.clear();
  deviceType_ = deviceType;
  subtype_ = subtype;

  VariantInfo info = LookupVariant(deviceType, subtype);
  flags_ = info.flags;
  project_ = std::move(info.project);
  protocols_ = BuildProtocolList(flags_, info.offers);
  menuItems_ = BuildMenuItems(flags_);
  SelectProtocol(protocolNumber);
}

void TVariantCatalog::SelectProtocol(int protocolNumber) {
  if (protocolNumber < 0 || size_t(protocolNumber) >= protocols_.size()) {
    current_ = -1;
    throw ListIndexError(IndexErrorText(protocolNumber, protocols_.size()));
  }
  current_ = protocolNumber;
}

const TProtBase* TVariantCatalog::FindProtocol(uint8_t code) const {
  for (const auto& p : protocols_)
    if (p->Code == code) return p.get();
  return nullptr;
}

}  // namespace tc
