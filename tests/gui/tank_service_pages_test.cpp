// SPDX-License-Identifier: GPL-3.0-or-later
// The tank, service and universal-input pages driven through their widgets:
// the tare table and its count, the side files through the scripted file
// dialog, the refresh of other pages after a service file load, Cancel, and
// what the variants show.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "editor/edit_settings.h"
#include "editor/settings_dlg.h"
#include "editor_core/edit_session.h"
#include "editor_fixture.h"
#include "gui_fixture.h"
#include "model/sample_image.h"
#include "model/service_file.h"
#include "model/settings_layout.h"
#include "model/tank_file.h"
#include "model/tmk.h"
#include "ui/dialog_folder.h"
#include "ui/radio_group.h"
#include "util/files.h"

using namespace tc;

namespace {

using Kind = ScriptedMessageService::Kind;

class SidePagesTest : public test::SettingsEditorTest {
 protected:
  void TearDown() override {
    SetDialogStartFolder(QString());
    SettingsEditorTest::TearDown();
  }
  QString Path(const char* name) const { return dir_.path() + "/" + name; }

  QTemporaryDir dir_;
  ScriptedFileDialogService files_;
};

}  // namespace

TEST_F(SidePagesTest, TareTableFollowsItsCountAndStoresWhenLeft) {
  Load("v104-8k");
  EXPECT_TRUE(RunEditor([&](TMK_SetParamsDlg& dlg) {
    ShowPage(dlg, "tsOil");
    auto* count = Find<QDoubleSpinBox>(dlg, "seTarirLeng");
    auto* table = Find<QTableWidget>(dlg, "sgTarir");
    EXPECT_EQ(table->rowCount(), int(mk_.GetInt(layout::kTarirLeng)));
    count->setValue(3);  // as three arrow clicks down from a few points would
    EXPECT_EQ(mk_.GetInt(layout::kTarirLeng), 3);
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->horizontalHeaderItem(1)->text(), "литры");

    table->setFocus();
    const char* cells[3][2] = {{"10", "241"}, {"2 0", "400"}, {"30", "600"}};
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 2; ++c) table->item(r, c + 1)->setText(cells[r][c]);
    EXPECT_EQ(mk_.GetInt(layout::kTareLitres[0]),
              16);  // nothing stored while the table has the focus
    Find<QCheckBox>(dlg, "cbTarirFlagFinish")->setFocus();
    EXPECT_EQ(mk_.GetInt(layout::kTareLitres[0]), 10);
    EXPECT_EQ(mk_.GetInt(layout::kTareLitres[1]), 20);
    EXPECT_EQ(mk_.GetInt(layout::kTareSensor[2]), 600);
    EXPECT_EQ(mk_.GetInt(layout::kTarirSlopeMark), 1);
    EXPECT_EQ(table->item(1, 1)->text(), "20");

    // A litres value beyond a byte: the message, and the rows before it kept.
    table->setFocus();
    table->item(0, 1)->setText("11");
    table->item(1, 1)->setText("300");
    count->setFocus();
    EXPECT_EQ(messages_.Last(Kind::Error), "Range check error: литры — допустимо 0..255");
    EXPECT_EQ(mk_.GetInt(layout::kTareLitres[0]), 11);
    EXPECT_EQ(mk_.GetInt(layout::kTareLitres[1]), 20);
    EXPECT_EQ(table->item(1, 1)->text(), "20");

    // No points: one empty row.
    count->setValue(0);
    ASSERT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->item(0, 1)->text(), "");
    EXPECT_FALSE(Find<TRadioGroup>(dlg, "rgTarirIncline")->isEnabled());

    // Rows of the 7-point group follow their count.
    auto* seven = Find<QDoubleSpinBox>(dlg, "seOilCalibrQuant");
    TypeAndLeave(seven, "2");
    EXPECT_TRUE(Shown(dlg, "tsOil", "seOilCalibrResArr1"));
    EXPECT_FALSE(Shown(dlg, "tsOil", "seOilCalibrLitArr2"));
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
  }));
  EXPECT_EQ(messages_.Count(Kind::Error), 1);
}

TEST_F(SidePagesTest, EditInTheTableIsStoredByOk) {
  Load("v104-8k");
  EXPECT_TRUE(RunEditor([&](TMK_SetParamsDlg& dlg) {
    ShowPage(dlg, "tsOil");
    auto* table = Find<QTableWidget>(dlg, "sgTarir");
    table->setFocus();
    table->item(0, 2)->setText("777");
    dlg.accept();
  }));
  TMK back;
  back.ReplaceImage(mk_.Image(), mk_.DeviceVersion);
  back.DecodeSettingsBlocks();
  EXPECT_EQ(back.GetInt(layout::kTareSensor[0]), 777);
  EXPECT_EQ(back.GetInt(layout::kTarirSlopeMark), 1);
}

TEST_F(SidePagesTest, TankFileSavedAndLoadedThroughTheDialogs) {
  Load("v104-8k");
  const QString file = Path("tank.dvkpo");
  const QString shortFile = Path("short.dvkpo");
  WriteFileAtomic(shortFile.toStdString(), std::vector<uint8_t>(4, 0));
  // The application names the folder where the dialogs start.
  SetDialogStartFolder(dir_.path());
  EXPECT_FALSE(RunEditor([&](TMK_SetParamsDlg& dlg) {
    ShowPage(dlg, "tsOil");
    auto* oil = Find<QDoubleSpinBox>(dlg, "seOil6L");
    const double saved = oil->value();
    files_.Answer(file);
    QTest::mouseClick(Find<QPushButton>(dlg, "bSaveTank"), Qt::LeftButton);
    ASSERT_TRUE(FileExists(file.toStdString()));
    EXPECT_EQ(ReadWholeFile(file.toStdString()), SideFileBytes(mk_, TankFileFormat()));
    EXPECT_EQ(files_.requests().back().filter, "Файлы настроек бака (*.dvkpo)");
    EXPECT_EQ(files_.requests().back().defaultSuffix, "dvkpo");
    EXPECT_EQ(files_.requests().back().folder, dir_.path());

    TypeAndLeave(oil, "1234");
    Find<QTableWidget>(dlg, "sgTarir")->item(0, 1)->setText("99");
    files_.Answer(file);
    QTest::mouseClick(Find<QPushButton>(dlg, "bLoadTank"), Qt::LeftButton);
    EXPECT_EQ(oil->value(), saved);
    EXPECT_EQ(mk_.GetInt(layout::kOil6L), int(saved));

    // A short file is loaded only when the user agrees.
    files_.Answer(shortFile);
    messages_.Answer(false);
    QTest::mouseClick(Find<QPushButton>(dlg, "bLoadTank"), Qt::LeftButton);
    EXPECT_NE(messages_.Last(Kind::Question).indexOf("только 4 из 245"), -1);
    EXPECT_EQ(oil->value(), saved);
    files_.Answer(shortFile);
    messages_.Answer(true);
    QTest::mouseClick(Find<QPushButton>(dlg, "bLoadTank"), Qt::LeftButton);
    EXPECT_EQ(oil->value(), 0);
    EXPECT_EQ(messages_.unexpectedQuestions(), 0);

    // Saving over a file asks first; No keeps it.
    const auto bytes = ReadWholeFile(file.toStdString());
    files_.Answer(file);
    messages_.Answer(false);
    QTest::mouseClick(Find<QPushButton>(dlg, "bSaveTank"), Qt::LeftButton);
    EXPECT_EQ(ReadWholeFile(file.toStdString()), bytes);
  }));
  EXPECT_EQ(messages_.Count(Kind::Error), 0);
}

TEST_F(SidePagesTest, ServiceFileLoadRefreshesOtherPagesAndCancelPutsBlocksBack) {
  Load("v104-8k");
  // A service file from other settings: another ADC point and signature.
  TMK other;
  other.ReplaceImage(mk_.Image(), mk_.DeviceVersion);
  other.DecodeSettingsBlocks();
  other.SetInt(layout::kUniMeasADC[0], 321);
  other.SetInt(layout::kAirWaterShow, 2);
  other.SetInt(layout::kServiceCounters[1], 42);
  const QString file = Path("service.dvkpt");
  WriteSideFile(other, ServiceFileFormat(), file.toStdString());
  WriteFileAtomic(Path("empty.dvkpt").toStdString(), std::vector<uint8_t>());

  std::vector<std::vector<uint8_t>> before;
  for (int n : {3, 4, 5}) before.emplace_back(mk_.Block(n).begin(), mk_.Block(n).end());
  EXPECT_FALSE(RunEditor([&](TMK_SetParamsDlg& dlg) {
    auto* adc = Find<QDoubleSpinBox>(dlg, "seUniMeasADC0");
    auto* signature = Find<TRadioGroup>(dlg, "rgAirWaterShow");
    EXPECT_NE(adc->value(), 321);
    ShowPage(dlg, "tsTO");
    files_.Answer(Path("empty.dvkpt"));
    QTest::mouseClick(Find<QPushButton>(dlg, "bLoadTO"), Qt::LeftButton);
    EXPECT_NE(messages_.Last(Kind::Error).indexOf("пуст"), -1);
    files_.Answer(file);
    QTest::mouseClick(Find<QPushButton>(dlg, "bLoadTO"), Qt::LeftButton);
    EXPECT_EQ(Find<QDoubleSpinBox>(dlg, "seKPPOilCntK")->value(), 42);
    EXPECT_EQ(adc->value(), 321);
    EXPECT_EQ(signature->ItemIndex(), 2);
    EXPECT_EQ(files_.requests().back().filter, "Файлы настроек ТО (*.dvkpt)");
    EXPECT_EQ(Find<QPushButton>(dlg, "bLoadTO")->text(), "Считать настройки ТО из файла");

    // Edits on all three pages, then Cancel.
    TypeAndLeave(Find<QLineEdit>(dlg, "deTO"), "010304");
    EXPECT_EQ(mk_.GetInt(layout::kDateTO), 1522u);
    ShowPage(dlg, "tsOil");
    TypeAndLeave(Find<QDoubleSpinBox>(dlg, "seOil43L"), "77");
    EXPECT_EQ(mk_.GetInt(layout::kOil43L), 77);
    QTest::mouseClick(dlg.CancelButton(), Qt::LeftButton);
  }));
  std::vector<std::vector<uint8_t>> after;
  for (int n : {3, 4, 5}) after.emplace_back(mk_.Block(n).begin(), mk_.Block(n).end());
  EXPECT_EQ(after, before);
}

TEST_F(SidePagesTest, FieldsRefuseWhatTheDeviceCannotHold) {
  Load("ve01-32k");
  EXPECT_TRUE(RunEditor([&](TMK_SetParamsDlg& dlg) {
    ShowPage(dlg, "tsUniMeas");
    auto* min = Find<QDoubleSpinBox>(dlg, "seUniMeasADC0");
    auto* max = Find<QDoubleSpinBox>(dlg, "seUniMeasADC1");
    TypeAndLeave(min, "100");
    const int stored = int(mk_.GetInt(layout::kUniMeasADC[1]));
    TypeAndLeave(max, "100");
    EXPECT_EQ(messages_.Last(Kind::Error), "Значения АЦП Мин и Макс должны различаться.");
    EXPECT_EQ(max->value(), stored);
    EXPECT_EQ(mk_.GetInt(layout::kUniMeasADC[1]), stored);

    ShowPage(dlg, "tsTO");
    auto* date = Find<QLineEdit>(dlg, "deTO");
    TypeAndLeave(date, "310205");
    EXPECT_NE(messages_.Last(Kind::Error).indexOf("31.02.05"), -1);
    TypeAndLeave(date, "290204");
    EXPECT_EQ(date->text(), "29.02.04");
    EXPECT_EQ(mk_.GetInt(layout::kDateTO), 1522u - 1u);
    QTest::mouseClick(dlg.OkButton(), Qt::LeftButton);
  }));
  EXPECT_EQ(messages_.Count(Kind::Error), 2);
}

TEST_F(SidePagesTest, VariantsShowWhatTheyShould) {
  SetEnglishVersion(true);
  Load("ve01-32k");  // short service, trim
  RunEditor([&](TMK_SetParamsDlg& dlg) {
    ShowPage(dlg, "tsTO");
    EXPECT_TRUE(Shown(dlg, "tsTO", "seTOCntK"));
    EXPECT_EQ(Find<QLabel>(dlg, "lTOCntK")->text(), "TS th.km");
    EXPECT_EQ(Find<QDoubleSpinBox>(dlg, "seTOCntK")->decimals(), 1);
    for (const char* hidden : {"seAirFiltCntK", "eForsTOCntK", "deOSAGO", "cbTO", "cbOSAGO",
                               "cbEngOilCntK", "seCandleCntK"})
      EXPECT_FALSE(Shown(dlg, "tsTO", hidden)) << hidden;
    for (const char* shown : {"deTO", "seMotoHourLim", "cbMotoHour"})
      EXPECT_TRUE(Shown(dlg, "tsTO", shown)) << shown;
    EXPECT_TRUE(TabShown(dlg, "tsUniMeas"));
    EXPECT_FALSE(Shown(dlg, "tsUniMeas", "cbUseUniMeas"));
    EXPECT_FALSE(Shown(dlg, "tsUniMeas", "eUniMeasStr"));
    EXPECT_TRUE(Shown(dlg, "tsUniMeas", "seUniMeasADC1"));
    TypeAndLeave(Find<QDoubleSpinBox>(dlg, "seTOCntK"), "2.5");
    EXPECT_EQ(mk_.GetInt(layout::kServiceCounters[0]), 25);
  });

  Load(SampleSetup{.deviceVersion = 0xA01, .layoutVersion = 10});  // the temperature input
  RunEditor([&](TMK_SetParamsDlg& dlg) {
    EXPECT_TRUE(TabShown(dlg, "tsUniMeas"));
    EXPECT_TRUE(Shown(dlg, "tsUniMeas", "cbUseUniMeas"));
    EXPECT_EQ(Find<QCheckBox>(dlg, "cbUseUniMeas")->text(), "Use");
    TypeAndLeave(Find<QLineEdit>(dlg, "eUniMeasStr"), "½");
    EXPECT_NE(messages_.Last(Kind::Error).indexOf("Windows-1251"), -1);
    TypeAndLeave(Find<QLineEdit>(dlg, "eUniMeasStr"), "Темп");
    EXPECT_EQ(mk_.GetText(layout::kUserParamName), "Темп");
    EXPECT_TRUE(Shown(dlg, "tsTO", "seAirFiltCntK"));
    EXPECT_FALSE(Shown(dlg, "tsTO", "seTOCntK"));
    EXPECT_TRUE(Shown(dlg, "tsTO", "eCandleCntK"));
  });

  Load("v104-8k");
  RunEditor([&](TMK_SetParamsDlg& dlg) { EXPECT_FALSE(TabShown(dlg, "tsUniMeas")); });
}
