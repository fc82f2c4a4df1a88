// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings editor opened as the main window opens it, with helpers that
// act on its controls as a user does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "editor/edit_settings.h"
#include "editor/settings_dlg.h"
#include "editor_core/edit_session.h"
#include "editor_core/settings_schema.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/tmk.h"
#include "ui/radio_group.h"
#include "ui/scripted_services.h"
#include "util/text_pair.h"

namespace tc::test {

using Blocks = std::vector<std::vector<uint8_t>>;
inline Blocks EditedBlocks(const TMK& mk) {
  Blocks b;
  for (int n : kEditedBlocks) b.emplace_back(mk.Block(n).begin(), mk.Block(n).end());
  return b;
}

class SettingsEditorTest : public ::testing::Test {
 protected:
  void SetUp() override { SetEnglishVersion(false); }
  void TearDown() override { SetEnglishVersion(false); }

  void Load(const SampleSetup& setup) {
    mk_.ReplaceImage(BuildSampleImage(setup), setup.deviceVersion);
    mk_.DecodeSettingsBlocks();
  }
  void Load(const char* sample) { Load(SampleSetupByName(sample)); }

  // Runs EditSettings as the main window does; `script` works in the shown
  // window. A pop-up or window the script leaves open is closed so that a
  // failed expectation cannot hang the run.
  bool RunEditor(const std::function<void(TMK_SetParamsDlg&)>& script) {
    bool ran = false;
    // The script starts once the window is up; a window left over by an
    // earlier test may still be closing.
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* dlg = qobject_cast<TMK_SetParamsDlg*>(QApplication::activeModalWidget());
      if (!dlg || !dlg->isVisible() || ran) return;
      poll.stop();
      ran = true;
      // Focus moves (and so commits on leave) need the window to be active.
      dlg->activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(dlg));
      script(*dlg);
      if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
      if (dlg->isVisible()) dlg->reject();
    });
    poll.start();
    const bool result = EditSettings(doc_, nullptr);
    EXPECT_TRUE(ran) << "the editor did not open";
    return result;
  }

  // A widget of the window by name. Pages are built when first shown; the
  // page of a widget not built yet is built here, as a visit to it would.
  template <typename W>
  static W* Find(TMK_SetParamsDlg& dlg, const char* name) {
    W* w = dlg.findChild<W*>(name);
    if (!w)
      if (const SettingDef* d = FindSetting(name)) {
        dlg.Page(d->page);
        w = dlg.findChild<W*>(name);
      }
    if (!w) {
      dlg.BuildAllPages();
      w = dlg.findChild<W*>(name);
    }
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  // Shows a page and lets its layout settle, so clicks land where a user's would.
  static void ShowPage(TMK_SetParamsDlg& dlg, const char* name) {
    dlg.PageControl()->setCurrentWidget(dlg.Page(name));
    QCoreApplication::processEvents();
  }
  // Whether a control is on show on its page.
  static bool Shown(TMK_SetParamsDlg& dlg, const char* page, const char* name) {
    QWidget* p = dlg.Page(page);
    QWidget* w = dlg.findChild<QWidget*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w && w->isVisibleTo(p);
  }
  static bool TabShown(TMK_SetParamsDlg& dlg, const char* page) {
    return dlg.PageControl()->isTabVisible(dlg.PageControl()->indexOf(dlg.Page(page)));
  }
  // Types into a spin or line edit and leaves it with Tab, as a user does.
  static void TypeAndLeave(QWidget* w, const QString& text) {
    w->setFocus();
    if (auto* e = qobject_cast<QLineEdit*>(w); e && e->inputMask().isEmpty()) {
      // Key clicks only know Latin letters: the text is put in as typed.
      e->selectAll();
      e->insert(text);
      e->setModified(true);
    } else {
      if (auto* e = qobject_cast<QLineEdit*>(w)) e->selectAll();
      if (auto* s = qobject_cast<QDoubleSpinBox*>(w)) s->selectAll();
      QTest::keyClicks(w, text);
    }
    QTest::keyClick(w, Qt::Key_Tab);
  }
  // Clicks an item's round indicator (a radio button only takes clicks on
  // its indicator and text, not on the rest of its column).
  static void ClickItem(TRadioGroup* group, int index) {
    QRadioButton* b = group->Button(index);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(7, b->height() / 2));
  }
  // Picks a combo item as the popup would and leaves the combo.
  static void ChooseAndLeave(QComboBox* combo, const QString& text, QWidget* next) {
    combo->setFocus();
    const int i = combo->findText(text);
    ASSERT_GE(i, 0) << text.toStdString();
    combo->setCurrentIndex(i);
    emit combo->activated(i);
    next->setFocus();
  }

  SettingsDocument doc_;

  TMK& mk_ = doc_.Model();
  ScriptedMessageService messages_;
};

}  // namespace tc::test
