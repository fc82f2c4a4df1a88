// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/settings_binder.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>
#include <algorithm>
#include <stdexcept>

#include "editor/bindings.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "ui/message_service.h"
#include "ui/qt_text.h"
#include "util/errors.h"

namespace tc {

TSettingsBinder::TSettingsBinder(EditorContext& ctx, QWidget* window)
    : QObject(window), ctx_(ctx), window_(window) {}

TSettingsBinder::~TSettingsBinder() = default;

TBinding* TSettingsBinder::Find(std::string_view name) {
  for (auto& b : bindings_)
    if (name == b->Def().name) return b.get();
  return nullptr;
}

QWidget* TSettingsBinder::Control(std::string_view name) {
  if (TBinding* b = Find(name)) return b->Control();
  const SettingDef* def = FindSetting(name);
  if (!def) throw std::logic_error("no setting named " + std::string(name));
  if (buildPage_) {
    buildPage_(def->page);
    if (TBinding* b = Find(name)) return b->Control();
  }
  return Create(*def).Control();
}

QWidget* TSettingsBinder::ExistingControl(std::string_view name) {
  TBinding* b = Find(name);
  return b ? b->Control() : nullptr;
}

QLabel* TSettingsBinder::Label(std::string_view name) {
  Control(name);
  return Find(name)->Label();
}

QLabel* TSettingsBinder::RowCaption(std::string_view name) {
  Control(name);
  TBinding* b = Find(name);
  if (!b->rowCaption) {
    b->rowCaption = new QLabel(window_);
    b->rowCaption->setObjectName(QString("l") + QString(b->Def().name).mid(2));
    // A caption made after the window was filled is refreshed with the late ones.
    if (filled_) {
      for (size_t i = 0; i < bindings_.size(); ++i)
        if (bindings_[i].get() == b) refreshedBindings_ = std::min(refreshedBindings_, i);
      QueueLate();
    }
  }
  return b->rowCaption;
}

void TSettingsBinder::HideCaption(std::string_view name) {
  Control(name);
  Find(name)->captionHidden = true;
}

void TSettingsBinder::AddPart(TEditorPart* part) {
  parts_.push_back(part);
  if (filled_) QueueLate();
}

void TSettingsBinder::Reload() {
  if (loading_) return;
  RefreshStates();
  LoadControls();
  emit Reloaded();
}

TBinding& TSettingsBinder::Create(const SettingDef& def) {
  bindings_.push_back(MakeBinding(*this, def));
  TBinding& b = *bindings_.back();
  if (filled_) {
    // Made after the window was filled: the value at once, the rest soon.
    LoadOne(b);
    QueueLate();
  }
  return b;
}

bool TSettingsBinder::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut &&
      static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
    for (auto& b : bindings_)
      if (b->Control() == watched) b->Left();
  }
  return QObject::eventFilter(watched, event);
}

bool TSettingsBinder::Store(TBinding& b, const std::function<bool()>& write) {
  if (loading_ || storing_) return true;
  storing_ = true;
  b.StoreStarts();
  bool stored = false;
  try {
    stored = write();
  } catch (const TripError& e) {
    // The field keeps its value; show that value again before the message
    // takes the focus away.
    LoadOne(b);
    storing_ = false;
    ShowError(e.what(), window_);
    return false;
  }
  if (stored) {
    // Rules may have changed other fields, items or visibility.
    RefreshStates();
    LoadControls();
    emit Stored(b.Def());
  } else {
    // Nothing stored (no change, or a rule that stores nothing now): the
    // control shows what the field holds.
    LoadOne(b);
  }
  storing_ = false;
  return true;
}

bool TSettingsBinder::CommitPending() {
  bool ok = true;
  for (auto& b : bindings_) ok &= b->Commit();
  for (TEditorPart* p : parts_) ok &= p->Commit();
  return ok;
}

void TSettingsBinder::LoadOne(TBinding& b) {
  const bool was = loading_;
  loading_ = true;
  b.Load();
  loading_ = was;
}

void TSettingsBinder::LoadControls() {
  const bool was = loading_;
  loading_ = true;
  for (auto& b : bindings_) b->Load();
  for (TEditorPart* p : parts_) p->Load();
  loadedBindings_ = bindings_.size();
  loadedParts_ = parts_.size();
  filled_ = true;
  loading_ = was;
}

void TSettingsBinder::RefreshOne(TBinding& b, bool visible) {
  const SettingDef& d = b.Def();
  const QString caption = Q(SettingLabel(ctx_, d), english_);
  if (b.rowCaption) {
    b.rowCaption->setText(caption);
    b.rowCaption->setVisible(visible);
  } else if (!b.captionHidden) {
    b.SetCaption(caption);
  }
  if (d.IsChoice()) {
    QStringList texts;
    std::vector<bool> enabled;
    for (const SettingItem& i : SettingItems(ctx_, d)) {
      texts << Q(i.text, english_);
      enabled.push_back(i.enabled);
    }
    if (texts != b.itemTexts || enabled != b.itemEnabled) {
      b.itemTexts = texts;
      b.itemEnabled = enabled;
      b.SetItems(texts, enabled);
      b.Load();
    }
  }
  b.Control()->setVisible(visible);
  if (b.Label()) b.Label()->setVisible(visible);
}

void TSettingsBinder::AddText(QWidget* widget, TextPair text) {
  texts_.emplace_back(widget, text);
  if (filled_) QueueLate();
}

void TSettingsBinder::ShowText(QWidget* w, const TextPair& t) const {
  if (auto* g = qobject_cast<QGroupBox*>(w))
    g->setTitle(Q(t, english_));
  else if (auto* l = qobject_cast<QLabel*>(w))
    l->setText(Q(t, english_));
  else if (auto* a = qobject_cast<QAbstractButton*>(w))
    a->setText(Q(t, english_));
}

void TSettingsBinder::ShowGroup(QWidget* w, const Visibility& v) const {
  auto* g = qobject_cast<QGroupBox*>(w);
  if (!g) return;
  int bound = 0, shown = 0;
  for (auto& b : bindings_) {
    if (!g->isAncestorOf(b->Control())) continue;
    ++bound;
    shown += v.Visible(b->Def().name) ? 1 : 0;
  }
  if (bound) g->setVisible(shown > 0);
}

void TSettingsBinder::RefreshStates() {
  const bool was = loading_;
  loading_ = true;
  for (const auto& [w, t] : texts_) ShowText(w, t);
  visibility_ = std::make_unique<Visibility>(ControlVisibility(ctx_));
  const Visibility& v = *visibility_;
  for (auto& b : bindings_) RefreshOne(*b, v.Visible(b->Def().name));
  for (TEditorPart* p : parts_) p->Refresh(v);
  for (const auto& [w, t] : texts_) ShowGroup(w, v);
  refreshedBindings_ = bindings_.size();
  refreshedParts_ = parts_.size();
  refreshedTexts_ = texts_.size();
  loading_ = was;
}

void TSettingsBinder::QueueLate() {
  if (lateQueued_) return;
  lateQueued_ = true;
  QMetaObject::invokeMethod(
      this, [this] { LoadLate(); }, Qt::QueuedConnection);
}

void TSettingsBinder::LoadLate() {
  lateQueued_ = false;
  if (!filled_ || !visibility_ || loading_) return;
  loading_ = true;
  const Visibility& v = *visibility_;
  // Parts may add controls while they refresh or load; indices stay valid.
  for (size_t i = refreshedTexts_; i < texts_.size(); ++i)
    ShowText(texts_[i].first, texts_[i].second);
  for (size_t i = refreshedBindings_; i < bindings_.size(); ++i)
    RefreshOne(*bindings_[i], v.Visible(bindings_[i]->Def().name));
  for (size_t i = refreshedParts_; i < parts_.size(); ++i) parts_[i]->Refresh(v);
  for (size_t i = refreshedTexts_; i < texts_.size(); ++i) ShowGroup(texts_[i].first, v);
  for (size_t i = loadedBindings_; i < bindings_.size(); ++i) bindings_[i]->Load();
  for (size_t i = loadedParts_; i < parts_.size(); ++i) parts_[i]->Load();
  refreshedBindings_ = loadedBindings_ = bindings_.size();
  refreshedParts_ = loadedParts_ = parts_.size();
  refreshedTexts_ = texts_.size();
  loading_ = false;
}

}  // namespace tc
