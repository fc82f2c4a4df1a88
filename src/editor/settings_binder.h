// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Binds the editor's controls to the settings schema: creates each control
// from its description, fills it from the device model and stores it when
// the user leaves it (spin edits, some combo boxes) or clicks it (radio
// groups, check boxes, other combo boxes). Every store goes through the
// core's setting routines, so the rounding, the range check and the page
// rules are the same as on the command line. Pages only place the controls.
// What differs between kinds of control is one binding class each
// (bindings.h); the binder keeps the loading guard and the store cycle.
#include <QObject>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "editor_core/setting_def.h"

class QLabel;
class QWidget;

namespace tc {

class TBinding;
class Visibility;

// A part of a page that is more than one bound control (a preview with its
// pop-up, a table, a palette editor). It joins the binder's one reload cycle:
// after any store every part loads again, so everything that shows a field
// shows what is stored.
class TEditorPart {
 public:
  virtual ~TEditorPart() = default;
  // Shows what the model holds.
  virtual void Load() = 0;
  // Captions, items and visibility from the variant, protocol and stored values.
  virtual void Refresh(const Visibility&) {}
  // Stores an edit still held by the part (OK was pressed meanwhile); false
  // when a value was refused (the part has shown why).
  virtual bool Commit() { return true; }
};

class TSettingsBinder : public QObject {
  Q_OBJECT
 public:
  // window: parent of the error messages and first owner of the controls.
  TSettingsBinder(EditorContext& ctx, QWidget* window);
  ~TSettingsBinder() override;

  // The control of a setting, created on first use (a QDoubleSpinBox,
  // TRadioGroup, QComboBox, QCheckBox or QLineEdit named after the setting).
  // One made after the window was filled shows the stored value at once.
  // Throws std::logic_error for a name the schema does not know.
  QWidget* Control(std::string_view name);
  // The control of a setting if one was made, else nullptr (nothing is made).
  QWidget* ExistingControl(std::string_view name);
  // The caption beside or above a spin edit, time field or combo box ("l" +
  // the name without its prefix); radio groups and check boxes carry their own.
  QLabel* Label(std::string_view name);
  // A caption of a radio group or check box kept apart from it, for rows of
  // a table (the group itself then has no title).
  QLabel* RowCaption(std::string_view name);
  // A radio group or check box shown without any caption (a second cell of
  // a table row whose caption stands in the first).
  void HideCaption(std::string_view name);

  // Pages are built when first shown: asked for the control of a setting
  // that does not exist yet, the binder first has the window build the
  // setting's page, so the control is the one its page places.
  void SetPageBuilder(std::function<void(std::string_view page)> build) {
    buildPage_ = std::move(build);
  }

  // Joins a part to the reload cycle; the part must outlive the binder's use
  // (parts belong to the window's pages).
  void AddPart(TEditorPart* part);
  // What a part calls after it stored something: every rule's effect is
  // shown again, in every control and part.
  void Reload();

  // A text of the page itself (group title, label, button) in both
  // languages, set with the others when the window is shown.
  void AddText(QWidget* widget, TextPair text);

  // The language of every text; the window sets it when it is shown.
  void SetEnglish(bool english) { english_ = english; }
  bool English() const { return english_; }

  // Fills every control from the model. Change handlers are idle meanwhile.
  void LoadControls();
  // Fills only the controls, parts and texts made since the window was last
  // filled (a page built when it is first shown): captions, items,
  // visibility and values as the others have them. Runs by itself soon after
  // such a control is made; a page builder may call it at once.
  void LoadLate();
  // Captions, items and visibility from the variant, the protocol and the
  // stored values (ShowProtocolSubtypes, UpdateVariantControls and
  // UpdateInjectorControls of every page).
  void RefreshStates();
  // Stores what has not been stored yet (the control that has the focus when
  // OK is pressed). False, after the error was shown, when a value was
  // refused.
  bool CommitPending();
  // The model and variant the controls and parts edit.
  EditorContext& Context() const { return ctx_; }
  bool Loading() const { return loading_; }

 signals:
  // A setting was stored and the page rules ran.
  void Stored(const tc::SettingDef& def);
  // A part stored something and every control and part loaded again.
  void Reloaded();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class TBinding;
  TBinding* Find(std::string_view name);
  TBinding& Create(const SettingDef& def);
  // Shows the stored value with the change handlers idle.
  void LoadOne(TBinding& b);
  void RefreshOne(TBinding& b, bool visible);
  void ShowText(QWidget* widget, const TextPair& text) const;
  // A group of the page whose every control is hidden is hidden with them.
  void ShowGroup(QWidget* group, const Visibility& v) const;
  // LoadLate once the events at hand have run.
  void QueueLate();
  // Runs a store; on success refreshes the window, on a refused value shows
  // the error and the stored value again. False when refused.
  bool Store(TBinding& b, const std::function<bool()>& write);
  QWidget* Window() const { return window_; }

  EditorContext& ctx_;
  QWidget* window_;
  bool english_ = false;
  bool loading_ = false;
  bool storing_ = false;
  std::vector<std::unique_ptr<TBinding>> bindings_;
  std::vector<TEditorPart*> parts_;
  std::vector<std::pair<QWidget*, TextPair>> texts_;
  // The visibility of the last refresh, for what is made after it.
  std::unique_ptr<Visibility> visibility_;
  // Bindings, parts and texts before these indices were refreshed, and
  // bindings and parts before these loaded; the rest were made later.
  size_t refreshedBindings_ = 0, refreshedParts_ = 0, refreshedTexts_ = 0;
  size_t loadedBindings_ = 0, loadedParts_ = 0;
  bool filled_ = false;
  bool lateQueued_ = false;
  std::function<void(std::string_view page)> buildPage_;
};

}  // namespace tc
