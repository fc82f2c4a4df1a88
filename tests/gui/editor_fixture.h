#pragma once
// The settings editor opened as the main window opens it, with helpers that
// act on its controls as a user does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "editor/edit_settings.h"
#include "ui/radio_group.h"
#include "editor/settings_dlg.h"
#include "editor_core/edit_session.h"
#include "model/sample_image.h"
#include "model/tmk.h"
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

  void Load(const char* sample) {
    const SampleSetup setup = SampleSetupByName(sample);
    mk_.ReplaceImage(BuildSampleImage(setup), setup.deviceVersion);
    mk_.DecodeSettingsBlocks();
  }

  // Runs EditSettings as the main window does; `script` works in the shown
  // window. A window the script leaves open is cancelled so that a failed
  // expectation cannot hang the run.
  bool RunEditor(const std::function<void(TMK_SetParamsDlg&)>& script) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
      auto* dlg = qobject_cast<TMK_SetParamsDlg*>(QApplication::activeModalWidget());
      if (!dlg) return;
      ran = true;
      // Focus moves (and so commits on leave) need the window to be active.
      dlg->activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(dlg));
      script(*dlg);
      if (dlg->isVisible()) dlg->reject();
    });
    const bool result = EditSettings(mk_, nullptr);
    EXPECT_TRUE(ran) << "the editor did not open";
    return result;
  }

  template <typename W>
  static W* Find(TMK_SetParamsDlg& dlg, const char* name) {
    W* w = dlg.findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  // Shows a page and lets its layout settle, so clicks land where a user's would.
  static void ShowPage(TMK_SetParamsDlg& dlg, const char* name) {
    dlg.PageControl()->setCurrentWidget(dlg.Page(name));
    QCoreApplication::processEvents();
  }
  // Types into a spin edit and leaves it with Tab, as a user does.
  static void TypeAndLeave(QDoubleSpinBox* spin, const QString& text) {
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, text);
    QTest::keyClick(spin, Qt::Key_Tab);
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

  TMK mk_;
  ScriptedMessageService messages_;
};

}  // namespace tc::test
