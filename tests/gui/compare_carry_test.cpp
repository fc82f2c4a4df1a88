// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's additional actions, the changes window, the carry-over
// window, and the question before a write that shows what it will change.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>

#include "app/carry_window.h"
#include "app/changes_window.h"
#include "editor_core/edit_session.h"
#include "editor_core/setting_value.h"
#include "editor_core/settings_report.h"
#include "editor_core/settings_schema.h"
#include "gui_fixture.h"
#include "link/mk_transfer.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "model/settings_file.h"
#include "util/files.h"
#include "util/ini_file.h"

namespace tc::test {
namespace {

using Kind = ScriptedMessageService::Kind;

// Changes a setting as the editor's OK would.
void Edit(SettingsDocument& doc, const char* setting, const std::string& text) {
  TSettingsEditSession session(doc);
  SetFromText(session.Context(), *FindSetting(setting), text);
  session.Accept();
}

std::string Text(SettingsDocument& doc, const char* setting) {
  const EditorContext ctx{doc.Model(), doc.Variant()};
  return FormatValue(ctx, *FindSetting(setting), true);
}

// The row of a setting in an account tree, or nullptr.
QTreeWidgetItem* RowOf(QTreeWidget* tree, const char* setting) {
  for (int i = 0; i < tree->topLevelItemCount(); ++i)
    for (int k = 0; k < tree->topLevelItem(i)->childCount(); ++k)
      if (tree->topLevelItem(i)->child(k)->data(0, Qt::UserRole).toString() == setting)
        return tree->topLevelItem(i)->child(k);
  return nullptr;
}

// Runs f on the first visible window of type W once it is shown (a modal
// window started by the next call).
template <typename W>
void WhenShown(std::function<void(W&)> f) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, f] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* x = qobject_cast<W*>(w); x && x->isVisible()) {
        timer->stop();
        timer->deleteLater();
        f(*x);
        return;
      }
  });
  timer->start();
}

class CompareCarryTest : public MainFormTest {};

TEST_F(CompareCarryTest, AdditionalActionsSitInOneMenuAndFollowTheSteps) {
  TMainForm& f = Open();
  EXPECT_FALSE(f.bMoreActions->isEnabled());
  EXPECT_FALSE(f.lChangedCount->isVisible());
  // The carry-over, the changes window, a separator and the report's two.
  ASSERT_EQ(f.AdditionalActions()->actions().size(), 5);
  EXPECT_EQ(f.actCarryOver->text(), "Перенести настройки из файла...");
  EXPECT_TRUE(f.findChild<QAction*>("actSaveReport"));
  EXPECT_TRUE(f.findChild<QAction*>("actPrintReport"));
  // Another window's action joins the menu and follows the language.
  int reports = 0;
  QAction* report = f.AddAdditionalAction(
      "actReport", {"Отчёт о настройках...", "Settings report..."}, [&] { ++reports; });
  SetEnglishVersion(true);
  f.ApplyLanguage();
  EXPECT_EQ(f.actCarryOver->text(), "Carry settings over from a file...");
  EXPECT_EQ(f.actChanges->text(), "Settings changes...");
  EXPECT_EQ(report->text(), "Settings report...");
  report->trigger();
  EXPECT_EQ(reports, 1);

  LoadSample("v104-8k");
  EXPECT_TRUE(f.bMoreActions->isEnabled());
  EXPECT_TRUE(f.lChangedCount->isVisible());
  EXPECT_EQ(f.lChangedCount->text(), "Changed since the read: 0");
  // An edit shows in the count at once.
  f.EditSettings = [](SettingsDocument& doc, QWidget*) {
    Edit(doc, "seTankContFull", "80");
    return true;
  };
  QTest::mouseClick(f.bEditParams, Qt::LeftButton);
  EXPECT_EQ(f.lChangedCount->text(), "Changed since the read: 1");
  // A new load is the new starting point.
  LoadSample("v8002-8k");
  EXPECT_EQ(f.ChangedSinceRead(), 0);
}

TEST_F(CompareCarryTest, ChangesWindowListsByPageAndOpensTheEditorAtARow) {
  TMainForm& f = Open();
  SetEnglishVersion(true);
  f.ApplyLanguage();
  LoadSample("v104-8k");
  Edit(f.Document(), "seTankContFull", "80");
  Edit(f.Document(), "day.palette.1", "1,2,3");
  bool showBefore = false;
  TChangesWindow w(f.Document(), f.ReadSettings(), showBefore, &f);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  EXPECT_TRUE(w.rbSinceRead->isChecked());
  EXPECT_EQ(w.lSummary->text(), "Settings changed: 2");
  ASSERT_EQ(w.tvChanges->topLevelItemCount(), 2);
  EXPECT_EQ(w.tvChanges->topLevelItem(1)->text(0), "Display / Color schemes");
  QTreeWidgetItem* row = RowOf(w.tvChanges, "seTankContFull");
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->text(1), "50");
  EXPECT_EQ(row->text(2), "80");

  // A double click opens the editor at that setting; what it changes shows.
  std::string opened;
  w.EditAt = [&](SettingsDocument& doc, const std::string& setting, QWidget*) {
    opened = setting;
    Edit(doc, "seTankContFull", "50");
    return true;
  };
  // A user's double click: a click, then the second press the system
  // reports as a double click.
  w.tvChanges->scrollToItem(row);
  QCoreApplication::processEvents();
  const QPoint at = w.tvChanges->visualItemRect(row).center();
  QTest::mouseClick(w.tvChanges->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(w.tvChanges->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(opened, "seTankContFull");
  EXPECT_EQ(w.lSummary->text(), "Settings changed: 1");

  // Against a file: one of another variant, then one that is no settings file.
  const QString other = WriteSampleFile(Path("other.dvkps"), "v8002-8k");
  ASSERT_TRUE(w.CompareWithFile(other));
  EXPECT_TRUE(w.rbFile->isChecked());
  EXPECT_NE(RowOf(w.tvChanges, "day.palette.1"), nullptr);
  const int rows = w.tvChanges->topLevelItemCount();
  WriteFileAtomic(Path("bad.dvkps").toStdString(), std::vector<uint8_t>{1, 2, 3});
  files_.Answer(Path("bad.dvkps"));
  QTest::mouseClick(w.bPickFile, Qt::LeftButton);
  EXPECT_EQ(messages_.Count(Kind::Error), 1);
  EXPECT_EQ(w.tvChanges->topLevelItemCount(), rows);

  // The check box is the caller's setting.
  EXPECT_EQ(w.cbShowBeforeWrite->text(), "Show the changes before writing");
  EXPECT_FALSE(w.cbShowBeforeWrite->isChecked());
  w.cbShowBeforeWrite->click();
  EXPECT_TRUE(showBefore);
}

TEST_F(CompareCarryTest, ShowChangesBeforeWritingIsKeptInTheIni) {
  WriteIni("[Common]\nShowChangesBeforeWrite=1\n");
  TMainForm& f = Open();
  EXPECT_TRUE(f.ShowChangesBeforeWrite);
  f.ShowChangesBeforeWrite = false;
  ASSERT_TRUE(Close());
  TMIniFile ini(IniPath().toStdString());
  EXPECT_FALSE(ini.ReadBool("Common", "ShowChangesBeforeWrite", true));
}

TEST_F(CompareCarryTest, CarryOverShowsTheAccountAndOnlyApplyChangesTheSettings) {
  TMainForm& f = Open();
  SetEnglishVersion(true);
  f.ApplyLanguage();
  LoadSample("ve01-32k");
  // The old file: another device, a changed tank and a hot menu entry that
  // the newer device does not have.
  auto old = OpenSettingsDocument(BuildSampleImage(SampleSetupByName("v104-8k")), 0x104);
  Edit(*old, "seTankContFull", "75");
  Edit(*old, "sghmAver", "52, 48, 97");
  WriteSettingsFile(old->Model(), Path("old.dvkps").toStdString());
  const std::vector<uint8_t> before = f.Model().Image();

  // Cancel leaves everything as it was.
  files_.Answer(Path("old.dvkps"));
  WhenShown<TCarryWindow>([](TCarryWindow& w) {
    QTreeWidgetItem* menu = RowOf(w.tvAccount, "sghmAver");
    EXPECT_NE(menu, nullptr);
    if (menu) {
      EXPECT_EQ(menu->text(1), "list entry missing");
      EXPECT_TRUE(menu->text(4).contains("48"));
    }
    // Only what does not come along: the carried tank goes out of sight.
    w.cbOnlyLeft->click();
    EXPECT_TRUE(RowOf(w.tvAccount, "seTankContFull")->isHidden());
    EXPECT_FALSE(menu && menu->isHidden());
    EXPECT_TRUE(w.lSummary->text().startsWith("Carried: "));
    w.bCancel->click();
  });
  f.actCarryOver->trigger();
  EXPECT_EQ(f.Model().Image(), before);
  EXPECT_FALSE(f.SettingsChanged);

  // Apply changes the settings as the editor's OK does.
  files_.Answer(Path("old.dvkps"));
  WhenShown<TCarryWindow>([](TCarryWindow& w) { w.bApply->click(); });
  f.actCarryOver->trigger();
  EXPECT_TRUE(f.SettingsChanged);
  EXPECT_EQ(Text(f.Document(), "seTankContFull"), "75");
  EXPECT_GE(f.ChangedSinceRead(), 2);
  // The image holds the result: a document opened from it agrees.
  auto reopened = OpenSettingsDocument(f.Model().Image(), f.Model().DeviceVersion);
  EXPECT_EQ(Text(*reopened, "seTankContFull"), "75");
  EXPECT_EQ(messages_.Count(Kind::Error), 0);

  // A file that is no settings file is said, and changes nothing.
  WriteFileAtomic(Path("bad.dvkps").toStdString(), std::vector<uint8_t>{1, 2, 3});
  const std::vector<uint8_t> now = f.Model().Image();
  EXPECT_FALSE(CarrySettingsFrom(f.Document(), Path("bad.dvkps"), &f));
  EXPECT_EQ(messages_.Count(Kind::Error), 1);
  EXPECT_EQ(f.Model().Image(), now);
}

// The write question against tripsim.
class WriteQuestionTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    if (!HaveSim()) GTEST_SKIP() << "tripsim was not built";
    platform_ = ExtraPortsOnlyPlatform(log_);
  }
  SimProcess sim_;
};

TEST_F(WriteQuestionTest, CancelSendsNoWriteAndWriteGoesOn) {
  std::string why;
  ASSERT_TRUE(sim_.Start({"--sample", "v104-8k"}, &why)) << why;
  WriteIni("[RS232]\nPort=1\nExtraPorts=" + sim_.Path() + "\n[Common]\nShowChangesBeforeWrite=1\n");
  TMainForm& f = Open();
  f.Transfer().BackupFolder = Path("backups").toStdString();
  QTest::mouseClick(f.bGetParams, Qt::LeftButton);
  ASSERT_EQ(messages_.Count(Kind::Error), 0);
  Edit(f.Document(), "seTankContFull", "80");
  const std::vector<uint8_t> edited = f.Model().Image();

  std::vector<std::string> asked;
  bool answer = false;
  f.ConfirmWrite = [&](const SettingsAccount& changes, QWidget*) {
    for (const AccountPage& p : changes.pages)
      for (const AccountEntry& e : p.entries) asked.push_back(e.def->name);
    return answer;
  };
  QTest::mouseClick(f.bSetParams, Qt::LeftButton);
  EXPECT_EQ(asked, std::vector<std::string>{"seTankContFull"});
  EXPECT_EQ(messages_.Count(Kind::Info), 0);
  EXPECT_FALSE(QFile::exists(Path("backups")));
  EXPECT_EQ(f.Model().Image(), edited);
  // The device still holds the old value: a read brings it back.
  QTest::mouseClick(f.bGetParams, Qt::LeftButton);
  EXPECT_EQ(Text(f.Document(), "seTankContFull"), "50");

  Edit(f.Document(), "seTankContFull", "80");
  answer = true;
  asked.clear();
  QTest::mouseClick(f.bSetParams, Qt::LeftButton);
  EXPECT_EQ(asked.size(), 1u);
  EXPECT_EQ(messages_.Count(Kind::Info), 1) << messages_.Last(Kind::Error).toStdString();
  QTest::mouseClick(f.bGetParams, Qt::LeftButton);
  EXPECT_EQ(Text(f.Document(), "seTankContFull"), "80");
}

}  // namespace
}  // namespace tc::test
