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

}  // namespace tc
