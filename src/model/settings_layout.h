#pragma once
// The memory map: every named field and array of the settings blocks that
// the program uses, declared once. Pages, journals, the preview, transfers,
// the command line and the samples name fields from here; nothing else in the
// program writes a block number or a byte offset.
#include "model/field.h"

namespace tc::layout {

// --- Block 11: identity and options ------------------------------------------
constexpr FieldRef kOptionWord = U32(11, 0);
// The stored protocol number (index into the variant's protocol list).
constexpr FieldRef kProtocolNumber = U16(11, 4);
// The protocol number in use before the last change, for the device.
constexpr FieldRef kPreviousProtocol = U16(11, 6);
constexpr FieldRef kProtocolDefinition = S8(11, 8);
constexpr FieldRef kLockLevel = U8(11, 11);
// The subtype bytes of slots main, additional 1..3, then additional 4..7.
constexpr FieldArray kSubtypesLow{U8(11, 12), 4, 1};
constexpr FieldArray kSubtypesHigh{U8(11, 52), 4, 1};
constexpr FieldRef SubtypeField(int slot) {
  return slot < 4 ? kSubtypesLow[slot] : kSubtypesHigh[slot - 4];
}

// --- Editor pages ------------------------------------------------------------
// (fields of the settings pages follow, page by page)

// "Источники"
constexpr FieldRef kSpeedSource = S8(6, 17);
constexpr FieldRef kRevolutionsSource = S8(6, 19);
constexpr FieldRef kExpenseSource = S8(6, 18);
constexpr FieldRef kGasSource = S8(6, 14);

// --- Model, journals, preview, samples -----------------------------------------
// (fields used outside the editor follow)

}  // namespace tc::layout
