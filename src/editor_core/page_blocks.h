#pragma once
// The additional systems page ("Допсистемы"): which control units besides
// the engine ECU the device polls. The selection is a set of system codes
// held as bits in block 5; the list the page offers depends on the variant
// and the current protocol.
#include <cstdint>
#include <vector>

namespace tc {

class TMK;
class TProtBase;
struct EditorContext;
struct VariantFlags;

struct SystemEntry {
  uint8_t code;
  const char* name;  // the same in both languages
};

// The list in its fixed order. A code may be listed twice (the GS450H unit).
std::vector<SystemEntry> BuildSystemList(const VariantFlags& flags, const TProtBase* protocol);
std::vector<SystemEntry> SystemList(const EditorContext& ctx);

bool SystemSelected(const TMK& mk, int code);
void SelectSystem(TMK& mk, int code, bool selected);
void ToggleSystem(TMK& mk, int code);
// The selected entries of the list in list order, each system once.
std::vector<SystemEntry> UsedSystems(const TMK& mk, const std::vector<SystemEntry>& list);

// The items of "Показывать".
enum BlocksShow : int { kBlocksShowAll = 0, kBlocksShowProtocol = 1, kBlocksShowConnected = 2 };
// The selection a "Показывать" item makes: every system of the list, or
// exactly the protocol's own ones among them, or (connected) no change.
// Bits of codes that are not in the list are kept.
void ApplyBlocksShow(TMK& mk, const std::vector<SystemEntry>& list, const TProtBase* protocol,
                     int item);

}  // namespace tc
