// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One bound control per setting, one class per kind of control: how the
// control is made, shows the stored value, takes captions and items, and
// stores what the user did. The binder keeps the shared rules (the loading
// guard, the store cycle, refused values); a binding only knows its widget.
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "editor_core/setting_def.h"

class QLabel;
class QWidget;

namespace tc {

class TSettingsBinder;

class TBinding {
 public:
  TBinding(TSettingsBinder& binder, const SettingDef& def) : binder_(binder), def_(def) {}
  virtual ~TBinding() = default;
  TBinding(const TBinding&) = delete;
  TBinding& operator=(const TBinding&) = delete;

  const SettingDef& Def() const { return def_; }
  QWidget* Control() const { return control_; }
  // The caption beside a spin edit, time, text or date field or combo box;
  // nullptr for radio groups and check boxes, which carry their own.
  QLabel* Label() const { return label_; }

  // Shows what the model holds.
  virtual void Load() = 0;
  // The caption on the control itself or on its label.
  virtual void SetCaption(const QString& text);
  // Radio groups and combo boxes: the items as the variant offers them.
  virtual void SetItems(const QStringList&, const std::vector<bool>&) {}
  // Stores what the control holds and has not stored yet (OK was pressed
  // while it had the focus). False when the value was refused.
  virtual bool Commit() { return true; }
  // The control lost the focus (watched for the kinds stored when left).
  virtual void Left() {}
  // A store is starting: an edit waiting for the leave is about to be stored.
  virtual void StoreStarts() {}

  // Kept by the binder for its caption rules.
  QLabel* rowCaption = nullptr;
  bool captionHidden = false;
  // Items as last shown, so unchanged lists are not refilled.
  QStringList itemTexts;
  std::vector<bool> itemEnabled;

 protected:
  // Runs a store through the binder's cycle (see TSettingsBinder::Store).
  bool Store(const std::function<bool()>& write);
  EditorContext& Ctx() const;
  // The window: parent of new controls and of messages.
  QWidget* Window() const;
  // Sets the control, names it after the setting, and with `labelled` gives
  // it a caption label ("l" + the name without its prefix).
  void Attach(QWidget* control, bool labelled);

  TSettingsBinder& binder_;
  const SettingDef& def_;
  QWidget* control_ = nullptr;
  QLabel* label_ = nullptr;
};

// The binding for a setting's kind; std::logic_error for the structured
// kinds, which their page's editor part shows.
std::unique_ptr<TBinding> MakeBinding(TSettingsBinder& binder, const SettingDef& def);

}  // namespace tc
