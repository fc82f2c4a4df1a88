// SPDX-License-Identifier: GPL-3.0-or-later
// The settings editor driven through its real widgets on the offscreen
// platform: commit on leave and Enter, OK and Cancel, texts, visibility and
// the page rules as the user meets them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <functional>

#include "editor/edit_settings.h"
#include "editor/settings_dlg.h"
#include "editor_core/edit_session.h"
#include "editor_core/settings_schema.h"
#include "editor_fixture.h"
#include "gui_fixture.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "ui/radio_group.h"

using namespace tc;
using namespace tc::test;

TEST_F(SettingsEditorTest, EnterInAFieldCommitsItAndClosesWithOk) {
  Load("v104-8k");
  const bool accepted = RunEditor([](TMK_SetParamsDlg& dlg) {
    EXPECT_EQ(dlg.size(), QSize(1021, 599));
    EXPECT_TRUE(dlg.OkButton()->isDefault());
    auto* spin = Find<QDoubleSpinBox>(dlg, "seVelocityCorr");
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, "7.5");
    QTest::keyClick(spin, Qt::Key_Return);
  });
  EXPECT_TRUE(accepted);
  // OK encoded the block into the image.
  TMK back;
  back.ReplaceImage(mk_.Image(), mk_.DeviceVersion);
  back.DecodeSettingsBlocks();
  EXPECT_FLOAT_EQ(float(back.GetFloat(layout::kVelocityCorr)), 1.075f);
  EXPECT_EQ(messages_.Count(ScriptedMessageService::Kind::Error), 0);
}

TEST_F(SettingsEditorTest, CancelAfterEditsOnBothPagesLeavesEveryEditedBlock) {
  Load("v8002-8k");
  const Blocks before = EditedBlocks(mk_);
  const auto image = mk_.Image();
  const bool accepted = RunEditor([&](TMK_SetParamsDlg& dlg) {
    TypeAndLeave(Find<QDoubleSpinBox>(dlg, "seAllPathStart"), "4321");
    TypeAndLeave(Find<QDoubleSpinBox>(dlg, "seTimeCorr"), "-7");
    ShowPage(dlg, "tsMeth");
    ClickItem(Find<TRadioGroup>(dlg, "rgPrognozMeth"), 2);
    QTest::mouseClick(Find<QCheckBox>(dlg, "cbCorrTankByAcc"), Qt::LeftButton);
    ChooseAndLeave(Find<QComboBox>(dlg, "cbProtocolSelectMeth"), "Руч.",
                   Find<QComboBox>(dlg, "cbTankMode"));
    ChooseAndLeave(Find<QComboBox>(dlg, "cbProtocol"), "CAN Ford",
                   Find<QComboBox>(dlg, "cbTankMode"));
    mk_.Block(13)[0] ^= 0xFF;  // as the cargo settings of another page would
    // Every edit reached the model before Cancel.
    EXPECT_EQ(mk_.GetInt(layout::kAllPathStart), 4321);
    EXPECT_EQ(mk_.GetInt(layout::kTimeCorr), -7);
    EXPECT_EQ(mk_.GetInt(layout::kPrognozMeth), 2);
    EXPECT_EQ(mk_.GetInt(layout::kProtocolNumber), 6);
    QTest::mouseClick(dlg.CancelButton(), Qt::LeftButton);
  });
  EXPECT_FALSE(accepted);
  EXPECT_EQ(EditedBlocks(mk_), before);
  EXPECT_EQ(mk_.Image(), image);
}

TEST_F(SettingsEditorTest, OkWithoutEditsAndEscapeChangeNothing) {
  // Odd stored values everywhere the controls round or clip: visiting
  // every control and pressing OK must not rewrite any of them.
  Load("ve01-32k");
  mk_.SetFloat(layout::kExpenseCorr, 1.0512);
  mk_.SetInt(layout::kProtocolNumber, 2);  // protocol 2, with 6..7 recording an earlier 0x0B
  mk_.SetInt(layout::kPreviousProtocol, 11);
  mk_.SetInt(layout::kForsCoef, 3);
  mk_.SetInt(layout::kForsCoefCarb, 0);
  for (int n : kEditedBlocks) mk_.EncodeBlock(n);
  const auto image = mk_.Image();
  EXPECT_TRUE(RunEditor([&](TMK_SetParamsDlg& dlg) {
    for (const char* page : {"tsCorr", "tsMeth"}) {
      ShowPage(dlg, page);
      for (QWidget* w : dlg.Page(page)->findChildren<QWidget*>())
        if (w->focusPolicy() != Qt::NoFocus && w->isVisible()) w->setFocus();
    }
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
  }));
  EXPECT_EQ(mk_.Image(), image);
  EXPECT_EQ(messages_.Count(ScriptedMessageService::Kind::Error), 0);

  EXPECT_FALSE(RunEditor([&](TMK_SetParamsDlg& dlg) {
    TypeAndLeave(Find<QDoubleSpinBox>(dlg, "seTimeCorr"), "9");
    QTest::keyClick(&dlg, Qt::Key_Escape);
  }));
  EXPECT_EQ(mk_.GetInt(layout::kTimeCorr), 0);
}

TEST_F(SettingsEditorTest, PageTitlesInBothLanguages) {
  Load("v104-8k");
  const QStringList english = {"Correction", "Resources",   "Limits",         "Display",
                               "Sounds",     "Average",     "Parctronic",     "Fuel",
                               "TS",         "Add.systems", "Uni.input/Trim", "ServiceInfo"};
  const QStringList russian = {
      "Поправки", "Источники", "Границы", "Дисплей",    "Озвуч.сообщения", "Средние",
      "Парковка", "Бак",       "ТО",      "Допсистемы", "Унив.вход/Трим",  "Служ.информ."};
  for (bool en : {true, false}) {
    SetEnglishVersion(en);
    RunEditor([&](TMK_SetParamsDlg& dlg) {
      QStringList titles;
      for (int i = 0; i < dlg.PageControl()->count(); ++i) titles << dlg.PageControl()->tabText(i);
      EXPECT_EQ(titles, en ? english : russian);
      EXPECT_EQ(dlg.windowTitle(), en ? "Device settings" : "Настройки МК");
      auto* display = dlg.findChild<QTabWidget*>("pcDisp");
      ASSERT_NE(display, nullptr);
      EXPECT_EQ(display->tabText(0), en ? "Color schemes" : "Цветовые схемы");
      EXPECT_EQ(Find<QLabel>(dlg, "lVelocityCorr")->text(), en ? "Speeed, %" : "Скорость, %");
      EXPECT_EQ(Find<TRadioGroup>(dlg, "rgLockType")->Items(),
                en ? QStringList({"Phys.", "Virt."}) : QStringList({"Физич.", "Вирт."}));
    });
  }
}

TEST_F(SettingsEditorTest, VariantWithoutGasShowsNoGasControl) {
  for (const char* sample : {"ve01-32k", "v104-8k"}) {
    Load(sample);
    const bool noGas = std::string(sample) == "ve01-32k";
    RunEditor([&](TMK_SetParamsDlg& dlg) {
      int gas = 0;
      for (const auto& d : SettingsSchema()) {
        if (!d.gas) continue;
        ++gas;
        QWidget* w = Find<QWidget>(dlg, d.name);
        EXPECT_EQ(w->isVisibleTo(dlg.Page(d.page)), !noGas) << sample << " " << d.name;
      }
      EXPECT_GE(gas, 5);
      // Pages follow the variant too.
      const int park = dlg.PageControl()->indexOf(dlg.Page("tsPark"));
      const int trim = dlg.PageControl()->indexOf(dlg.Page("tsUniMeas"));
      EXPECT_EQ(dlg.PageControl()->isTabVisible(park), !noGas);
      EXPECT_EQ(dlg.PageControl()->isTabVisible(trim), noGas);
      EXPECT_FALSE(
          dlg.PageControl()->isTabVisible(dlg.PageControl()->indexOf(dlg.Page("tsServiceInfo"))));
    });
  }
}

TEST_F(SettingsEditorTest, RefusedValueShowsRangeCheckErrorAndKeepsTheField) {
  Load("v104-8k");
  mk_.SetInt(layout::kTimeCorr, 100);  // stored beyond the control's limits
  mk_.EncodeBlock(6);
  RunEditor([&](TMK_SetParamsDlg& dlg) {
    auto* spin = Find<QDoubleSpinBox>(dlg, "seTimeCorr");
    EXPECT_EQ(spin->value(), 100);  // shown as stored, not clipped
    TypeAndLeave(spin, "50");
    EXPECT_EQ(messages_.Last(ScriptedMessageService::Kind::Error),
              "Range check error: допустимо -30..30");
    EXPECT_EQ(mk_.GetInt(layout::kTimeCorr), 100);
    EXPECT_EQ(spin->value(), 100);
    // Visiting the control without editing it changes nothing either.
    spin->setFocus();
    Find<QDoubleSpinBox>(dlg, "seAccCorr")->setFocus();
    EXPECT_EQ(messages_.Count(ScriptedMessageService::Kind::Error), 1);
    dlg.accept();
    EXPECT_FALSE(dlg.isVisible());
  });
  EXPECT_EQ(mk_.GetInt(layout::kTimeCorr), 100);
}

TEST_F(SettingsEditorTest, ProtocolChangeRefillsTheSubtypeCombos) {
  Load("v104-8k");
  for (int k = 0; k < 8; ++k) mk_.SetInt(layout::SubtypeField(k), 1);
  mk_.EncodeBlock(11);
  RunEditor([&](TMK_SetParamsDlg& dlg) {
    ShowPage(dlg, "tsMeth");
    auto* protocol = Find<QComboBox>(dlg, "cbProtocol");
    auto* tank = Find<QComboBox>(dlg, "cbTankMode");
    EXPECT_FALSE(protocol->isVisibleTo(dlg.Page("tsMeth")));  // automatic definition
    ChooseAndLeave(Find<QComboBox>(dlg, "cbProtocolSelectMeth"), "Руч.", tank);
    ASSERT_TRUE(protocol->isVisibleTo(dlg.Page("tsMeth")));
    EXPECT_EQ(protocol->currentText(), "M74CAN");
    EXPECT_EQ(Find<QLabel>(dlg, "lProtTypeAdd1")->text(), "Канал включения вентилятора");

    // Leaving the combo on the stored protocol changes nothing.
    ChooseAndLeave(protocol, "M74CAN", tank);
    EXPECT_EQ(mk_.GetInt(layout::SubtypeField(0)), 1);

    ChooseAndLeave(protocol, "CAN", tank);
    EXPECT_EQ(mk_.GetInt(layout::kProtocolNumber), 5);
    for (int k = 0; k < 8; ++k) EXPECT_EQ(mk_.GetInt(layout::SubtypeField(k)), 0) << k;
    EXPECT_EQ(Find<QLabel>(dlg, "lProtTypeAdd1")->text(), "Опрос CAN раз/сек");
    EXPECT_EQ(Find<QComboBox>(dlg, "cbProtTypeAdd2")->count(), 6);
    EXPECT_TRUE(Find<QComboBox>(dlg, "cbProtTypeAdd3")->isVisibleTo(dlg.Page("tsMeth")));
    EXPECT_FALSE(Find<QComboBox>(dlg, "cbProtTypeMain")->isVisibleTo(dlg.Page("tsMeth")));
    EXPECT_EQ(Find<QComboBox>(dlg, "cbProtTypeAdd4")->currentText(), "Нет");
  });
}

TEST_F(SettingsEditorTest, LockInjectorAndPulseControlsFollowTheirRules) {
  Load("v104-8k");
  RunEditor([&](TMK_SetParamsDlg& dlg) {
    QWidget* meth = dlg.Page("tsMeth");
    QWidget* corr = dlg.Page("tsCorr");
    ShowPage(dlg, "tsMeth");
    auto* level = Find<TRadioGroup>(dlg, "rgLockTypeLevel");
    EXPECT_FALSE(level->isVisibleTo(meth));
    ClickItem(Find<TRadioGroup>(dlg, "rgLockType"), 1);
    EXPECT_TRUE(level->isVisibleTo(meth));
    EXPECT_EQ(level->Count(), 3);
    for (int i = 0; i < 3; ++i) {
      ClickItem(level, i);
      EXPECT_EQ(mk_.GetInt(layout::kLockLevel), i + 1);
    }

    // The tachometer appears once a source is the injector.
    auto* tacho = Find<TRadioGroup>(dlg, "rgForsCoef");
    EXPECT_FALSE(tacho->isVisibleTo(corr));
    ClickItem(Find<TRadioGroup>(dlg, "rgExpenseMeth"), 1);
    EXPECT_TRUE(tacho->isVisibleTo(corr));
    ShowPage(dlg, "tsCorr");
    ClickItem(tacho, 2);
    EXPECT_EQ(mk_.GetInt(layout::kForsCoef), 4);

    // Pulses per revolution: arrows only, in halves.
    auto* pulses = Find<QDoubleSpinBox>(dlg, "seForsCoefCarb");
    EXPECT_TRUE(pulses->findChild<QLineEdit*>()->isReadOnly());
    pulses->setFocus();
    pulses->setValue(2.0);
    QTest::keyClick(pulses, Qt::Key_Up);
    QTest::keyClick(pulses, Qt::Key_Tab);
    EXPECT_EQ(mk_.GetInt(layout::kForsCoefCarb), 5);
    dlg.accept();
  });
}

TEST_F(SettingsEditorTest, SettingsTheVariantCannotBeSelectedForAreRefused) {
  Load("v104-8k");
  mk_.SetInt(layout::kProtocolNumber, 300);
  mk_.EncodeBlock(11);
  const Blocks before = EditedBlocks(mk_);
  bool opened = false;
  QTimer::singleShot(0, [&] {
    if (auto* w = QApplication::activeModalWidget()) {
      opened = true;
      w->close();
    }
  });
  EXPECT_FALSE(EditSettings(doc_, nullptr));
  // No window ran an event loop: the check runs here, not in a later test.
  QCoreApplication::processEvents();
  EXPECT_FALSE(opened);
  EXPECT_EQ(messages_.Last(ScriptedMessageService::Kind::Error).left(17), "Range check error");
  EXPECT_EQ(EditedBlocks(mk_), before);
}

namespace tc::test {
TEST_F(MainFormTest, EditButtonOpensTheEditorAndOkMarksTheSettingsChanged) {
  TMainForm& form = Open();
  LoadSample("v104-8k");
  ASSERT_TRUE(form.bEditParams->isEnabled());
  QTimer::singleShot(0, [] {
    if (auto* dlg = qobject_cast<TMK_SetParamsDlg*>(QApplication::activeModalWidget()))
      QTest::mouseClick(dlg->OkButton(), Qt::LeftButton);
  });
  QTest::mouseClick(form.bEditParams, Qt::LeftButton);
  EXPECT_TRUE(form.SettingsChanged);
}
}  // namespace tc::test
