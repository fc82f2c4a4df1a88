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

 private:
  SettingsDocument& doc_;
  EditorContext ctx_;
  std::array<std::vector<uint8_t>, kEditedBlocks.size()> backup_;
  bool finished_ = false;
};

}  // namespace tc
