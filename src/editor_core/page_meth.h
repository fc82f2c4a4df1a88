// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of the signal sources page ("Источники") that other pages and
// the tests use: the protocol in use, its subtype slots, the lists that
// depend on the variant or protocol, and the injector controls.
#include <array>
#include <vector>

#include "editor_core/setting_def.h"
#include "model/settings_layout.h"

namespace tc {

class Visibility;

using layout::kPreviousProtocol;
using layout::kProtocolDefinition;
using layout::kProtocolNumber;

// The protocol in use changed from `previous` to the stored number. With
// resetSubtypes the previous number is kept in block 11 bytes 6..7 and the
// eight subtype bytes are cleared; in any case the stored entry of the
// protocol list becomes the current protocol.
void ProtocolChanged(EditorContext& ctx, bool resetSubtypes, int previous);

// One subtype slot of the current protocol: its caption (empty: unused) and
// its choices.
struct SubtypeSlot {
  TextPair caption{"", ""};
  std::vector<TextPair> items;
  bool Used() const { return caption.ru[0] != '\0'; }
};
SubtypeSlot ProtocolSubtypeSlot(const EditorContext& ctx, int slot);

// Items of the choices whose list depends on the variant or protocol.
std::vector<SettingItem> ProtocolDefinitionItems(const EditorContext& ctx, const SettingDef& = {});
std::vector<SettingItem> ProtocolItems(const EditorContext& ctx, const SettingDef& = {});
std::vector<SettingItem> SpeedSourceItems(const EditorContext& ctx, const SettingDef& = {});
std::vector<SettingItem> LockLevelItems(const EditorContext& ctx, const SettingDef& = {});
std::vector<SettingItem> TankMethodItems(const EditorContext& ctx, const SettingDef& = {});

// With a physical ignition lock, variants whose last speed source needs a
// virtual lock get the speed source moved back to the first item.
void ApplyVirtualLockRule(EditorContext& ctx);

// The polarity and tachometer groups: shown while engine speed, petrol or
// gas consumption is taken from the injector.
void UpdateInjectorControls(const EditorContext& ctx, Visibility& v);

}  // namespace tc
