// SPDX-License-Identifier: GPL-3.0-or-later
// Spin edits whose stored value lies outside their limits, refusals that say
// what is allowed, and the date field and its picker in the program's
// language, driven as a user drives them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "editor_fixture.h"
#include "model/settings_layout.h"

namespace tc {
namespace {

using Kind = ScriptedMessageService::Kind;

class LimitsGuiTest : public test::SettingsEditorTest {
 protected:
  // Stores a value in the image, as a device may hold it.
  void Poke(const FieldRef& f, int64_t value) {
    mk_.SetInt(f, value);
    mk_.EncodeSettingsBlocks();
  }
  static void Leave(QDoubleSpinBox* spin, TMK_SetParamsDlg& dlg) {
    spin->setFocus();
    dlg.OkButton()->setFocus();
  }
};

TEST_F(LimitsGuiTest, ArrowsFromOutsideTheLimitsGoToTheNearestLimit) {
  Load("v104-8k");
  Poke(layout::kParkMinLeng[0], 0);   // 0 cm against 30..90
  Poke(layout::kParkMinLeng[1], 20);  // 200 cm
  RunEditor([&](TMK_SetParamsDlg& dlg) {
    ShowPage(dlg, "tsPark");
    auto* rear = Find<QDoubleSpinBox>(dlg, "seParkMinLeng0");
    auto* front = Find<QDoubleSpinBox>(dlg, "seParkMinLeng1");
    // Shown as stored: visiting changes nothing.
    EXPECT_EQ(rear->value(), 0);
    EXPECT_EQ(front->value(), 200);
    // Either arrow from outside the limits goes to the nearest one, even
    // the one pointing further away (the spin's own range ends there).
    rear->setFocus();
    QTest::keyClick(rear, Qt::Key_Down);
    EXPECT_EQ(rear->value(), 30);
    front->setFocus();
    EXPECT_EQ(mk_.GetInt(layout::kParkMinLeng[0]), 3);
    QTest::keyClick(front, Qt::Key_Up);
    EXPECT_EQ(front->value(), 90);
    // Inside the limits the arrows stop at them.
    QTest::keyClick(front, Qt::Key_Up);
    EXPECT_EQ(front->value(), 90);
    QTest::keyClick(front, Qt::Key_Down);
    EXPECT_EQ(front->value(), 80);
    Leave(front, dlg);
    EXPECT_EQ(mk_.GetInt(layout::kParkMinLeng[1]), 8);
    EXPECT_EQ(messages_.Count(Kind::Error), 0);
  });
}

TEST_F(LimitsGuiTest, ARefusedValueSaysWhatIsAllowedAndShowsTheStoredOne) {
  for (const bool english : {false, true}) {
    SetEnglishVersion(english);
    Load("v104-8k");
    Poke(layout::kParkMinLeng[0], 0);
    RunEditor([&](TMK_SetParamsDlg& dlg) {
      ShowPage(dlg, "tsPark");
      auto* rear = Find<QDoubleSpinBox>(dlg, "seParkMinLeng0");
      TypeAndLeave(rear, "20");
      EXPECT_EQ(messages_.Last(Kind::Error), english ? "Range check error: allowed 30..90"
                                                     : "Range check error: допустимо 30..90");
      EXPECT_EQ(rear->value(), 0);
      EXPECT_EQ(mk_.GetInt(layout::kParkMinLeng[0]), 0);
      // Typing the stored value again is no choice either; leaving the
      // control untouched says nothing.
      const int errors = messages_.Count(Kind::Error);
      TypeAndLeave(rear, "0");
      EXPECT_EQ(messages_.Count(Kind::Error), errors + 1);
      EXPECT_EQ(messages_.Last(Kind::Error), english ? "Range check error: allowed 30..90"
                                                     : "Range check error: допустимо 30..90");
      rear->setFocus();
      dlg.OkButton()->setFocus();
      EXPECT_EQ(messages_.Count(Kind::Error), errors + 1);
      EXPECT_EQ(mk_.GetInt(layout::kParkMinLeng[0]), 0);
    });
  }
}

TEST_F(LimitsGuiTest, TrimPairStoredOutsideTheLimitsStaysEditable) {
  Load("ve01-32k");
  Poke(layout::kTrimLowLimit, 120);
  Poke(layout::kTrimHighLimit, 120);
  RunEditor([&](TMK_SetParamsDlg& dlg) {
    ShowPage(dlg, "tsLim");
    auto* low = Find<QDoubleSpinBox>(dlg, "seTrimLowLimit");
    auto* high = Find<QDoubleSpinBox>(dlg, "seTrimHighLimit");
    // The high limit's arrows work, and typing into it is taken.
    high->setFocus();
    QTest::keyClick(high, Qt::Key_Up);
    EXPECT_EQ(high->value(), 90);
    TypeAndLeave(high, "50");
    EXPECT_EQ(mk_.GetInt(layout::kTrimHighLimit), 50);
    EXPECT_EQ(mk_.GetInt(layout::kTrimLowLimit), 49);
    EXPECT_EQ(low->value(), 49);
    EXPECT_EQ(messages_.Count(Kind::Error), 0);
  });
}

TEST_F(LimitsGuiTest, DateFieldKeepsWhatWasTypedAndThePickerSpeaksTheLanguage) {
  for (const bool english : {false, true}) {
    SetEnglishVersion(english);
    Load("v104-8k");
    RunEditor([&](TMK_SetParamsDlg& dlg) {
      ShowPage(dlg, "tsTO");
      auto* date = Find<QLineEdit>(dlg, "deTO");
      const QString stored = date->text();
      TypeAndLeave(date, "ab0304");
      EXPECT_NE(messages_.Last(Kind::Error).indexOf("ab.03.04"), -1)
          << messages_.Last(Kind::Error).toStdString();
      EXPECT_EQ(date->text(), stored);

      QString month, cancel, title;
      QLocale::Language language = QLocale::AnyLanguage;
      QTimer::singleShot(0, [&] {
        auto* picker = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(picker, nullptr);
        title = picker->windowTitle();
        auto* calendar = picker->findChild<QCalendarWidget*>("calendar");
        language = calendar->locale().language();
        month = calendar->locale().standaloneMonthName(1);
        cancel = picker->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text();
        picker->reject();
      });
      dlg.findChild<QAction*>("deTO_calendar")->trigger();
      EXPECT_EQ(language, english ? QLocale::English : QLocale::Russian);
      EXPECT_EQ(month, english ? "January" : "январь");
      EXPECT_EQ(cancel, english ? "Cancel" : "Отмена");
      EXPECT_EQ(title, english ? "Date selection" : "Выбор даты");
    });
  }
}

}  // namespace
}  // namespace tc
