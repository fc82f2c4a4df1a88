// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor_core/edit_session.h"

#include <algorithm>

#include "catalog/variants.h"
#include "editor_core/page_meth.h"
#include "model/settings_document.h"
#include "model/tank_file.h"
#include "model/tmk.h"
#include "util/errors.h"

namespace tc {

namespace {
// Devices of older layouts have no block 13 in their directory; their
// block 13 copy keeps its defaults and never goes into the image.
bool InImage(const TMK& mk, int block) {
  if (block != 13) return true;
  return mk.Entry(DirectoryEntryOfBlock(block)).DescribesBlock();
}
}  // namespace

TSettingsEditSession::TSettingsEditSession(SettingsDocument& doc)
    : doc_(doc), ctx_{doc.Model(), doc.Variant()} {
  TMK& mk = doc.Model();
  for (int n : kEditedBlocks)
    if (InImage(mk, n)) mk.DecodeBlock(n);
  doc.SelectVariant();
  for (size_t i = 0; i < kEditedBlocks.size(); ++i) {
    const auto b = mk.Block(kEditedBlocks[i]);
    backup_[i].assign(b.begin(), b.end());
  }
  // The tank page's loading rule: a tare point count the table cannot hold
  // means no points, and the model holds it so from the start (Cancel puts
  // the stored count back).
  NormaliseTareCount(mk);
  // The rules' loading corrections belong to the opening state: undo stops
  // there, Cancel goes back to the bytes as stored.
  for (size_t i = 0; i < kEditedBlocks.size(); ++i) {
    const auto b = mk.Block(kEditedBlocks[i]);
    checkpoint_[i].assign(b.begin(), b.end());
  }
}

TSettingsEditSession::~TSettingsEditSession() {
  if (finished_) return;
  try {
    Cancel();
  } catch (...) {
    // Putting bytes back cannot fail; reselecting the protocol may, and
    // the next opening selects it again anyway.
  }
}

void TSettingsEditSession::Accept() {
  for (int n : kEditedBlocks)
    if (InImage(ctx_.mk, n)) ctx_.mk.EncodeBlock(n);
  finished_ = true;
}

void TSettingsEditSession::Cancel() {
  finished_ = true;
  for (size_t i = 0; i < kEditedBlocks.size(); ++i) {
    const auto b = ctx_.mk.Block(kEditedBlocks[i]);
    std::copy(backup_[i].begin(), backup_[i].end(), b.begin());
  }
  // The protocol may have been changed during the editing.
  ctx_.catalog.SelectProtocol(int(ctx_.mk.GetInt(kProtocolNumber)));
}

bool TSettingsEditSession::Checkpoint() {
  Step step;
  for (size_t i = 0; i < kEditedBlocks.size(); ++i) {
    const auto b = ctx_.mk.Block(kEditedBlocks[i]);
    std::vector<uint8_t>& last = checkpoint_[i];
    // Block sizes never change during a session; compare what both have.
    const size_t n = std::min(last.size(), b.size());
    for (size_t k = 0; k < n; ++k)
      if (b[k] != last[k]) {
        step.push_back({uint16_t(i), uint32_t(k), last[k], b[k]});
        last[k] = b[k];
      }
  }
  if (step.empty()) return false;
  undo_.push_back(std::move(step));
  redo_.clear();
  return true;
}

void TSettingsEditSession::Apply(const Step& step, bool forward) {
  for (const ByteChange& c : step) {
    const uint8_t v = forward ? c.after : c.before;
    ctx_.mk.Block(kEditedBlocks[c.block])[c.offset] = v;
    checkpoint_[c.block][c.offset] = v;
  }
  // The step may have changed the protocol number.
  ctx_.catalog.SelectProtocol(int(ctx_.mk.GetInt(kProtocolNumber)));
}

bool TSettingsEditSession::Undo() {
  Checkpoint();
  if (undo_.empty()) return false;
  Apply(undo_.back(), false);
  redo_.push_back(std::move(undo_.back()));
  undo_.pop_back();
  return true;
}

bool TSettingsEditSession::Redo() {
  // An edit made since the last undo ends what can be redone.
  Checkpoint();
  if (redo_.empty()) return false;
  Apply(redo_.back(), true);
  undo_.push_back(std::move(redo_.back()));
  redo_.pop_back();
  return true;
}

}  // namespace tc
