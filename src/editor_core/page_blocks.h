// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The additional systems page ("Допсистемы"): which control units besides
// the engine ECU the device polls. The selection is a set of system codes
// held as bits in block 5; the list the page offers depends on the variant
// and the current protocol.
#include <cstdint>
#include <vector>

#include "editor_core/row_model.h"

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

// The left table of the page: every system of the list with its mark "V";
// a double-click inverts the selection. The list is taken by Rebuild (the
// page was brought to the front), not on every refresh.
class TSystemRows : public TRowModel {
 public:
  explicit TSystemRows(EditorContext& ctx) : ctx_(ctx) {}
  void Rebuild();
  const std::vector<SystemEntry>& List() const { return list_; }

  std::vector<RowColumn> Columns() const override;
  int RowCount() const override { return int(list_.size()); }
  std::string Cell(int row, int column, bool english) const override;
  RowEdit ActivateRow(int row) override;

 private:
  EditorContext& ctx_;
  std::vector<SystemEntry> list_;
};

// The right table: the selected systems of the left table's list, each once;
// a double-click takes the system away.
class TUsedSystemRows : public TRowModel {
 public:
  TUsedSystemRows(EditorContext& ctx, const TSystemRows& all) : ctx_(ctx), all_(all) {}
  std::vector<RowColumn> Columns() const override;
  void Sync() override;
  int RowCount() const override { return int(used_.size()); }
  std::string Cell(int row, int column, bool english) const override;
  RowEdit ActivateRow(int row) override;

 private:
  EditorContext& ctx_;
  const TSystemRows& all_;
  std::vector<SystemEntry> used_;
};

}  // namespace tc
