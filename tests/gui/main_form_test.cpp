// SPDX-License-Identifier: GPL-3.0-or-later
// The main window without a device: start, language, files, close.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "gui_fixture.h"
#include "model/sample_image.h"
#include "model/settings_file.h"
#include "model/tmk.h"
#include "ui/dialog_folder.h"
#include "util/files.h"
#include "util/ini_file.h"

namespace tc::test {
namespace {

using Kind = ScriptedMessageService::Kind;

std::vector<QPushButton*> StepButtons(TMainForm& f) {
  return {f.bEditParams, f.bViewJournals, f.bViewOsc, f.bSaveParams, f.bSetParams};
}

void ExpectStepButtons(TMainForm& f, bool enabled) {
  for (QPushButton* b : StepButtons(f))
    EXPECT_EQ(b->isEnabled(), enabled) << b->objectName().toStdString();
}

// Every caption the window shows, in a fixed order.
std::vector<QString> Captions(TMainForm& f) {
  return {
      f.windowTitle(),      f.Label5->text(),        f.bRS232->text(),      f.GroupBox1->title(),
      f.Label2->text(),     f.bGetParams->text(),    f.Label6->text(),      f.bLoadParams->text(),
      f.GroupBox2->title(), f.Label3->text(),        f.bEditParams->text(), f.GroupBox5->title(),
      f.Label7->text(),     f.bViewJournals->text(), f.GroupBox6->title(),  f.Label8->text(),
      f.bViewOsc->text(),   f.GroupBox3->title(),    f.Label4->text(),      f.bSaveParams->text(),
      f.GroupBox4->title(), f.Label1->text(),        f.bSetParams->text()};
}

TEST_F(MainFormTest, FirstStartIsRussianCentredWithOnlyStepOneUsable) {
  ASSERT_FALSE(FileExists(IniPath().toStdString()));
  TMainForm& f = Open();
  EXPECT_EQ(f.windowTitle(), "Просмотр и настройка параметров МК (Версия 04.10.24)");
  EXPECT_EQ(f.bGetParams->text(), "Считать настройки из МК");
  EXPECT_EQ(f.cbEnglishVersion->text(), "English language");
  EXPECT_FALSE(f.cbEnglishVersion->isChecked());
  EXPECT_TRUE(f.bRS232->isEnabled());
  EXPECT_TRUE(f.bGetParams->isEnabled());
  EXPECT_TRUE(f.bLoadParams->isEnabled());
  EXPECT_TRUE(f.cbEnglishVersion->isEnabled());
  ExpectStepButtons(f, false);
  EXPECT_FALSE(f.KeepAliveTimer->isActive());
  EXPECT_EQ(f.size(), QSize(810, 417));
  EXPECT_EQ(f.minimumSize(), f.maximumSize());
  // The missing ini file is created at start.
  EXPECT_TRUE(FileExists(IniPath().toStdString()));
  EXPECT_EQ(messages_.shown().size(), 0u);
}

TEST_F(MainFormTest, StoredPositionDoesNotMoveTheWindowAndLanguageIsRestored) {
  WriteIni(
      "[Common]\nAuto=1\nEnglishVersion=1\n[MainWindow]\nState=0\nLeft=-20\nTop=3\n"
      "Width=5000\nHeight=-7\n");
  TMainForm& f = Open();
  const QRect screen = f.screen()->availableGeometry();
  EXPECT_LE(std::abs(f.frameGeometry().center().x() - screen.center().x()), 2);
  EXPECT_LE(std::abs(f.frameGeometry().center().y() - screen.center().y()), 2);
  EXPECT_EQ(f.size(), QSize(810, 417));
  EXPECT_TRUE(EnglishVersion());
  EXPECT_TRUE(f.cbEnglishVersion->isChecked());
  EXPECT_EQ(f.bGetParams->text(), "Read settings from the device");
}

TEST_F(MainFormTest, LanguageSwitchChangesEveryCaption) {
  TMainForm& f = Open();
  const std::vector<QString> russian = Captions(f);
  QTest::mouseClick(f.cbEnglishVersion, Qt::LeftButton);
  ASSERT_TRUE(EnglishVersion());
  const std::vector<QString> english = Captions(f);
  const std::vector<QString> expected = {
      "Viewing and configuring trip computer parameters (Version 04.10.24)",
      "Attention! For the program to work correctly, you MUST first download the latest "
      "version of the software to the device.",
      "Select a COM port",
      "Step 1",
      "For an adequate display of possible settings, read the current settings of the device.",
      "Read settings from the device",
      "or, if you have previously saved the settings to disk, read the file from disk.",
      "Read settings from a file on disk",
      "Step 2",
      "Make changes to the settings.",
      "Edit settings",
      "Step 2a",
      "View the logs of trips, gas stations and faults",
      "View logs",
      "Step 2b",
      "View the recorded data of the oscilloscope",
      "View the oscilloscope data",
      "Step 3",
      "To be able to view or edit the settings again, save the settings to disk.",
      "Save the settings to a file on disk",
      "Step 4",
      "Write the settings to the device",
      "Write the settings to the device"};
  EXPECT_EQ(english, expected);
  for (size_t i = 0; i < russian.size(); ++i)
    EXPECT_NE(russian[i], english[i]) << "caption " << i << " did not change";
  EXPECT_EQ(russian[12], "Просмотрите журналы поездок, заправок и ошибок");
  EXPECT_EQ(f.cbEnglishVersion->text(), "English language");
  ExpectStepButtons(f, false);

  QTest::mouseClick(f.cbEnglishVersion, Qt::LeftButton);
  EXPECT_FALSE(EnglishVersion());
  EXPECT_EQ(Captions(f), russian);
}

TEST_F(MainFormTest, LoadEnablesStepsAndUsesTheSettingsDialog) {
  TMainForm& f = Open();
  LoadSample("v8003-32k");
  EXPECT_EQ(messages_.shown().size(), 0u);
  ExpectStepButtons(f, true);
  const SampleSetup setup = SampleSetupByName("v8003-32k");
  EXPECT_EQ(f.Model().DeviceVersion, setup.deviceVersion);
  EXPECT_EQ(f.Model().Image(), BuildSampleImage(setup));
  EXPECT_EQ(f.Model().LayoutVersion(), setup.layoutVersion);
  EXPECT_FALSE(f.SettingsChanged);

  ASSERT_EQ(files_.requests().size(), 1u);
  const FileDialogRequest& r = files_.requests()[0];
  EXPECT_EQ(r.kind, FileDialogRequest::Kind::Open);
  EXPECT_EQ(r.filter, "Файлы настроек (*.dvkps)");
  EXPECT_EQ(r.defaultSuffix, "dvkps");
  EXPECT_EQ(r.folder, dir_.path());
  // The side-file dialogs of the editor's pages start in the same folder.
  EXPECT_EQ(DialogStartFolder(), dir_.path());
}

TEST_F(MainFormTest, CancelledOpenDialogChangesNothing) {
  TMainForm& f = Open();
  files_.Answer(std::nullopt);
  QTest::mouseClick(f.bLoadParams, Qt::LeftButton);
  EXPECT_EQ(files_.requests().size(), 1u);
  EXPECT_EQ(messages_.shown().size(), 0u);
  ExpectStepButtons(f, false);
}

TEST_F(MainFormTest, ForeignFileShowsTheReasonAndKeepsTheLoadedSettings) {
  TMainForm& f = Open();
  LoadSample();
  const std::vector<uint8_t> before = f.Model().Image();
  f.SettingsChanged = true;

  WriteFileAtomic(Path("short.dvkps").toStdString(), std::string("x"));
  files_.Answer(Path("short.dvkps"));
  QTest::mouseClick(f.bLoadParams, Qt::LeftButton);
  ASSERT_EQ(messages_.Count(Kind::Error), 1);
  EXPECT_TRUE(messages_.Last(Kind::Error)
                  .contains(EnglishVersion() ? "not a settings file" : "не файл настроек"));
  // The file was refused before the model was touched, so the unsaved
  // settings can still be saved.
  EXPECT_EQ(f.Model().Image(), before);
  ExpectStepButtons(f, true);
  EXPECT_TRUE(f.SettingsChanged);

  files_.Answer(Path("missing.dvkps"));
  QTest::mouseClick(f.bLoadParams, Qt::LeftButton);
  EXPECT_EQ(messages_.Count(Kind::Error), 2);
  EXPECT_TRUE(messages_.Last(Kind::Error).contains("missing.dvkps"));
}

TEST_F(MainFormTest, FileWhoseDirectoryPointsOutsideIsRefusedAndTheSettingsKept) {
  TMainForm& f = Open();
  LoadSample();
  const std::vector<uint8_t> loaded = f.Model().Image();
  const auto directory = f.Model().Directory();
  // A settings file whose directory points outside its image.
  std::vector<uint8_t> image(300, 0);
  image[0] = 1;
  image[4] = 0xF0;
  image[5] = 0xFF;
  image[6] = 40;
  WriteFileAtomic(Path("broken.dvkps").toStdString(), EncodeSettingsFile(0x104, image));
  files_.Answer(Path("broken.dvkps"));
  QTest::mouseClick(f.bLoadParams, Qt::LeftButton);
  ASSERT_EQ(messages_.Count(Kind::Error), 1);
  EXPECT_TRUE(messages_.Last(Kind::Error).contains("это не файл настроек МК"))
      << messages_.Last(Kind::Error).toStdString();
  // The settings loaded before are still there, whole, and still usable.
  EXPECT_EQ(f.Model().Image(), loaded);
  EXPECT_EQ(f.Model().Directory(), directory);
  ExpectStepButtons(f, true);
}

TEST_F(MainFormTest, SettingsOfADeviceWithoutTheLastBlockStillLoad) {
  TMainForm& f = Open();
  const SampleSetup setup = SampleSetupByName("v104-8k");
  std::vector<uint8_t> image = BuildSampleImage(setup);
  // Directory entry 14 (block 13) left empty, as older devices have it.
  std::fill(image.begin() + 56, image.begin() + 60, uint8_t(0));
  WriteFileAtomic(Path("older.dvkps").toStdString(),
                  EncodeSettingsFile(setup.deviceVersion, image));
  files_.Answer(Path("older.dvkps"));
  QTest::mouseClick(f.bLoadParams, Qt::LeftButton);
  EXPECT_EQ(messages_.shown().size(), 0u) << messages_.Last(Kind::Error).toStdString();
  ExpectStepButtons(f, true);
}

TEST_F(MainFormTest, EditedThenCloseAsksAndNoClosesWithoutSaving) {
  TMainForm& f = Open();
  LoadSample();
  f.EditSettings = [](SettingsDocument&, QWidget*) { return true; };
  QTest::mouseClick(f.bEditParams, Qt::LeftButton);
  ASSERT_TRUE(f.SettingsChanged);

  messages_.Answer(false);
  EXPECT_TRUE(Close());
  EXPECT_EQ(messages_.Count(Kind::Question), 1);
  EXPECT_EQ(messages_.Last(Kind::Question),
            "Возможно, настройки были изменены, но не сохранены на диске. Сохранить?");
  EXPECT_EQ(files_.requests().size(), 1u);  // only the load
  EXPECT_FALSE(f.isVisible());
}

TEST_F(MainFormTest, EditedThenCloseYesAndCancelledSaveStillCloses) {
  TMainForm& f = Open();
  LoadSample();
  f.EditSettings = [](SettingsDocument&, QWidget*) { return true; };
  QTest::mouseClick(f.bEditParams, Qt::LeftButton);
  messages_.Answer(true);
  files_.Answer(std::nullopt);
  EXPECT_TRUE(Close());
  ASSERT_EQ(files_.requests().size(), 2u);
  EXPECT_EQ(files_.requests()[1].kind, FileDialogRequest::Kind::Save);
  EXPECT_EQ(files_.requests()[1].filter, "Файлы настроек (*.dvkps)");
  EXPECT_EQ(files_.requests()[1].defaultSuffix, "dvkps");
}

TEST_F(MainFormTest, EditorCancelLeavesSettingsUnchangedAndCloseAsksNothing) {
  TMainForm& f = Open();
  LoadSample();
  int opened = 0;
  f.EditSettings = [&](SettingsDocument&, QWidget*) {
    ++opened;
    return false;
  };
  QTest::mouseClick(f.bEditParams, Qt::LeftButton);
  EXPECT_EQ(opened, 1);
  EXPECT_FALSE(f.SettingsChanged);
  EXPECT_TRUE(Close());
  EXPECT_EQ(messages_.Count(Kind::Question), 0);
}

TEST_F(MainFormTest, EditedThenLoadKeepsTheChangedFlag) {
  TMainForm& f = Open();
  LoadSample();
  f.SettingsChanged = true;
  LoadSample("v8002-8k");
  EXPECT_EQ(messages_.Count(Kind::Question), 0);
  EXPECT_TRUE(f.SettingsChanged);
}

TEST_F(MainFormTest, SaveWritesAFileThatLoadsBackToTheSameSettings) {
  TMainForm& f = Open();
  LoadSample("ve01-32k");
  f.SettingsChanged = true;
  files_.Answer(Path("out.dvkps"));
  QTest::mouseClick(f.bSaveParams, Qt::LeftButton);
  EXPECT_EQ(messages_.shown().size(), 0u);
  EXPECT_FALSE(f.SettingsChanged);
  TMK copy;
  ReadSettingsFile(copy, Path("out.dvkps").toStdString());
  EXPECT_EQ(copy.Image(), f.Model().Image());
  EXPECT_EQ(copy.DeviceVersion, f.Model().DeviceVersion);
  // The save dialog starts where the last file was chosen.
  EXPECT_EQ(files_.requests().back().kind, FileDialogRequest::Kind::Save);
}

TEST_F(MainFormTest, SaveOverExistingFileAnsweredNoWritesNothing) {
  TMainForm& f = Open();
  LoadSample();
  f.SettingsChanged = true;
  WriteFileAtomic(Path("old.dvkps").toStdString(), std::string("previous contents"));
  files_.Answer(Path("old.dvkps"));
  messages_.Answer(false);
  QTest::mouseClick(f.bSaveParams, Qt::LeftButton);
  EXPECT_EQ(messages_.Last(Kind::Question), "Файл уже существует. Переписать?");
  EXPECT_EQ(ReadText(Path("old.dvkps")), "previous contents");
  EXPECT_TRUE(f.SettingsChanged);

  files_.Answer(Path("old.dvkps"));
  messages_.Answer(true);
  QTest::mouseClick(f.bSaveParams, Qt::LeftButton);
  EXPECT_EQ(FileBytes(Path("old.dvkps")).size(), f.Model().Image().size() + 2);
  EXPECT_FALSE(f.SettingsChanged);
}

TEST_F(MainFormTest, FailedSaveOnCloseKeepsTheWindowOpen) {
  TMainForm& f = Open();
  LoadSample();
  f.SettingsChanged = true;
  messages_.Answer(true);
  files_.Answer(Path("no such folder/out.dvkps"));
  EXPECT_FALSE(Close());
  EXPECT_TRUE(f.isVisible());
  EXPECT_EQ(messages_.Count(Kind::Error), 1);
  EXPECT_TRUE(messages_.Last(Kind::Error).contains("out.dvkps"));
  EXPECT_TRUE(f.SettingsChanged);
}

TEST_F(MainFormTest, IniAfterCloseHoldsAutoZeroLanguageAndPlacement) {
  WriteIni("; kept\n[Common]\nAuto=1\nEnglishVersion=0\n[Other]\nKey=Value\n");
  TMainForm& f = Open();
  QTest::mouseClick(f.cbEnglishVersion, Qt::LeftButton);
  EXPECT_TRUE(Close());
  TMIniFile ini(IniPath().toStdString());
  EXPECT_EQ(ini.ReadInteger("Common", "Auto", -1), 0);
  EXPECT_EQ(ini.ReadInteger("Common", "EnglishVersion", -1), 1);
  EXPECT_EQ(ini.ReadInteger("MainWindow", "State", -1), 0);
  EXPECT_EQ(ini.ReadInteger("MainWindow", "Left", -1), f.frameGeometry().x());
  EXPECT_EQ(ini.ReadInteger("MainWindow", "Width", -1), f.frameGeometry().width());
  EXPECT_EQ(ini.ReadString("Other", "Key", ""), "Value");
  EXPECT_NE(ReadText(IniPath()).find("; kept"), std::string::npos);
}

TEST_F(MainFormTest, StepWindowsOpenOnTheirButtonsWithTheModel) {
  TMainForm& f = Open();
  LoadSample();
  TMK* seen[2] = {nullptr, nullptr};
  f.ViewJournals = [&](SettingsDocument& doc, QWidget*) { seen[0] = &doc.Model(); };
  f.ViewOscilloscope = [&](SettingsDocument& doc, QWidget*) { seen[1] = &doc.Model(); };
  QTest::mouseClick(f.bViewJournals, Qt::LeftButton);
  QTest::mouseClick(f.bViewOsc, Qt::LeftButton);
  EXPECT_EQ(seen[0], &f.Model());
  EXPECT_EQ(seen[1], &f.Model());
  EXPECT_FALSE(f.SettingsChanged);
}

}  // namespace
}  // namespace tc::test
