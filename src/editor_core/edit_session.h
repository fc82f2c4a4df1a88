// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One use of the settings editor on the device model: the opening sequence,
// the backup, and what OK and Cancel do to the blocks. The editor window and
// tripconf-cli's "set" both edit through a session, so both leave the model
// in the same state.
#include <array>
#include <cstdint>
#include <vector>

#include "editor_core/setting_def.h"

namespace tc {

// The blocks the editor changes, and so the blocks it encodes on OK and puts
// back on Cancel.
constexpr std::array<int, 12> kEditedBlocks = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13};

class SettingsDocument;

class TSettingsEditSession {
 public:
  // Decodes the edited blocks, selects the document's variant for its
  // settings (RangeError for a protocol number or layout version above 255,
  // ListIndexError for a protocol the variant does not offer), which also
  // rebuilds what depends on the variant, and keeps the backup; then runs
  // the loading rules that store (a tare point count above 68 becomes 0). An error
  // leaves the block copies as the image has them and keeps nothing.
  explicit TSettingsEditSession(SettingsDocument& doc);
  // A session neither accepted nor cancelled (an error ended the editing)
  // puts the blocks back.
  ~TSettingsEditSession();
  TSettingsEditSession(const TSettingsEditSession&) = delete;
  TSettingsEditSession& operator=(const TSettingsEditSession&) = delete;

  EditorContext& Context() { return ctx_; }
  TMK& Model() { return ctx_.mk; }
  SettingsDocument& Document() { return doc_; }

  // Encodes the edited blocks into the settings image.
  void Accept();
  // Puts every edited block back as it was when the session opened and
  // reselects the protocol those settings name.
  void Cancel();
  bool Finished() const { return finished_; }

  // --- Undo and redo ----------------------------------------------------------
  // One step is everything a store changed in the edited blocks, the page
  // rules' changes included (the trim pair, shared bytes, the hot-menu
  // packing, a tare-table store, a scheme reset). The editor calls Checkpoint
  // after each store; bytes changed since the last checkpoint become one
  // step, and a new step drops what could be redone. The opening state is the
  // first checkpoint, so undo never goes past it.
  // True when something changed since the last checkpoint.
  bool Checkpoint();
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // Puts the bytes of the last step back as they were (after recording any
  // change not yet checkpointed) and reselects the protocol the blocks then
  // name. False when there is nothing to undo.
  bool Undo();
  // Applies again the last step undone; false when there is none.
  bool Redo();

 private:
  // The bytes one store changed: where, what they held, what they hold.
  struct ByteChange {
    uint16_t block;  // index into kEditedBlocks
    uint32_t offset;
    uint8_t before;
    uint8_t after;
  };
  using Step = std::vector<ByteChange>;
  void Apply(const Step& step, bool forward);

  SettingsDocument& doc_;
  EditorContext ctx_;
  std::array<std::vector<uint8_t>, kEditedBlocks.size()> backup_;
  bool finished_ = false;
  // The edited blocks as of the last checkpoint.
  std::array<std::vector<uint8_t>, kEditedBlocks.size()> checkpoint_;
  std::vector<Step> undo_;
  std::vector<Step> redo_;
};

}  // namespace tc
