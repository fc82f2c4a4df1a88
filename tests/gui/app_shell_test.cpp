// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces around the main window: placement, the single-instance guard,
// where the ini lives, and the progress window.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/app_paths.h"
#include "app/placement.h"
#include "app/progress_form.h"
#include "app/single_instance.h"
#include "ui/scripted_services.h"
#include "util/files.h"
#include "util/ini_file.h"
#include "util/text_pair.h"

namespace tc::test {
namespace {

TEST(Placement, NegativePositionBecomesZeroAndSizeOnlyForSizeableWindows) {
  QTemporaryDir dir;
  const std::string path = (dir.path() + "/p.ini").toStdString();
  WriteFileAtomic(path, std::string("[W]\nState=0\nLeft=-20\nTop=-1\nWidth=-5\nHeight=300\n"));
  TMIniFile ini(path);

  QWidget sizeable;
  sizeable.resize(200, 150);
  LoadPlacement(ini, "W", sizeable, true);
  EXPECT_EQ(sizeable.pos(), QPoint(0, 0));
  EXPECT_EQ(sizeable.size(), QSize(100, 300));

  QWidget fixed;
  fixed.setFixedSize(200, 150);
  LoadPlacement(ini, "W", fixed, false);
  EXPECT_EQ(fixed.size(), QSize(200, 150));
}

TEST(Placement, MissingKeysKeepTheWindowAndSavedValuesReadBack) {
  QTemporaryDir dir;
  const std::string path = (dir.path() + "/p.ini").toStdString();
  QWidget w;
  w.move(30, 40);
  w.resize(220, 110);
  {
    TMIniFile ini(path);
    LoadPlacement(ini, "W", w, true);
    EXPECT_EQ(w.pos(), QPoint(30, 40));
    EXPECT_EQ(w.size(), QSize(220, 110));
    SavePlacement(ini, "W", w);
    ini.Save();
  }
  TMIniFile back(path);
  EXPECT_EQ(back.ReadInteger("W", "State", -1), 0);
  EXPECT_EQ(back.ReadInteger("W", "Left", -1), 30);
  EXPECT_EQ(back.ReadInteger("W", "Top", -1), 40);
  EXPECT_EQ(back.ReadInteger("W", "Width", -1), 220);
  EXPECT_EQ(back.ReadInteger("W", "Height", -1), 110);
}

TEST(AppPaths, IniBesideAWritableProgramFolder) {
  QTemporaryDir dir;
  const AppPaths p = PathsForProgram(dir.path() + "/tripconf");
  EXPECT_TRUE(p.iniBesideProgram);
  EXPECT_EQ(p.iniPath, dir.path() + "/tripconf.ini");
  EXPECT_EQ(p.programDir, dir.path());
  EXPECT_EQ(p.dialogFolder, dir.path());
  // An extension of the program file is replaced, not kept.
  EXPECT_EQ(PathsForProgram(dir.path() + "/tripconf.exe").iniPath, dir.path() + "/tripconf.ini");
}

TEST(AppPaths, UnwritableProgramFolderUsesTheUserConfigFolder) {
  QTemporaryDir dir;
  const QByteArray old = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", (dir.path() + "/config").toUtf8());
  // A folder that does not exist cannot be written either.
  const AppPaths p = PathsForProgram(dir.path() + "/missing/bin/tripconf");
  if (old.isNull())
    qunsetenv("XDG_CONFIG_HOME");
  else
    qputenv("XDG_CONFIG_HOME", old);
  EXPECT_FALSE(p.iniBesideProgram);
  EXPECT_EQ(p.iniPath, dir.path() + "/config/tripconf/tripconf.ini");
  EXPECT_TRUE(QDir(dir.path() + "/config/tripconf").exists());
  EXPECT_NE(p.dialogFolder, p.programDir);
}

TEST(SingleInstance, SecondGuardFailsUntilTheFirstIsGone) {
  QTemporaryDir dir;
  auto first = std::make_unique<TJustOne>("/usr/bin/tripconf", dir.path());
  ASSERT_TRUE(first->Acquire());
  EXPECT_EQ(first->LockPath(), dir.path() + "/tripconf.lock");
  TJustOne second("/elsewhere/tripconf", dir.path());
  EXPECT_FALSE(second.Acquire());
  // Another program name is another program.
  TJustOne other("/usr/bin/tripconf-cli", dir.path());
  EXPECT_TRUE(other.Acquire());
  first.reset();
  EXPECT_TRUE(second.Acquire());
}

#ifdef TRIPCONF_APP
// The real program, copied into a private folder so its ini lands there, with
// a private runtime folder for its lock.
class ProgramRun : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::string(TRIPCONF_APP).empty()) GTEST_SKIP() << "tripconf was not built";
    ASSERT_TRUE(dir_.isValid());
    program_ = dir_.path() + "/tripconf";
    ASSERT_TRUE(QFile::copy(TRIPCONF_APP, program_));
    QFile::setPermissions(program_, QFile::permissions(program_) | QFileDevice::ExeOwner);
    runtime_ = dir_.path() + "/run";
    QDir().mkpath(runtime_);
    QFile::setPermissions(runtime_,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // No serial ports in the way of a quick start.
    WriteFileAtomic((dir_.path() + "/tripconf.ini").toStdString(),
                    std::string("[RS232]\nPort=0\n"));
  }
  void TearDown() override {
    for (auto& p : running_)
      if (p->state() != QProcess::NotRunning) {
        p->kill();
        p->waitForFinished(3000);
      }
  }
  QProcess& Start() {
    running_.push_back(std::make_unique<QProcess>());
    QProcess& p = *running_.back();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", runtime_);
    p.setProcessEnvironment(env);
    p.start(program_, {});
    EXPECT_TRUE(p.waitForStarted(5000));
    return p;
  }
  bool WaitForLock() {
    for (int i = 0; i < 100; ++i) {
      if (QFile::exists(runtime_ + "/tripconf.lock")) return true;
      QTest::qWait(50);
    }
    return false;
  }

  QTemporaryDir dir_;
  QString program_, runtime_;
  std::vector<std::unique_ptr<QProcess>> running_;
};

TEST_F(ProgramRun, SecondCopyEndsAtOnceAndQuietly) {
  QProcess& first = Start();
  ASSERT_TRUE(WaitForLock());
  QProcess& second = Start();
  ASSERT_TRUE(second.waitForFinished(5000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
  EXPECT_EQ(first.state(), QProcess::Running);
}

TEST_F(ProgramRun, LockLeftByACrashedCopyDoesNotBlockTheNextStart) {
  QProcess& crashed = Start();
  ASSERT_TRUE(WaitForLock());
  ::kill(static_cast<pid_t>(crashed.processId()), SIGKILL);
  ASSERT_TRUE(crashed.waitForFinished(5000));
  ASSERT_TRUE(QFile::exists(runtime_ + "/tripconf.lock"));
  QProcess& next = Start();
  EXPECT_FALSE(next.waitForFinished(1500)) << "the next copy ended instead of starting";
  EXPECT_EQ(next.state(), QProcess::Running);
}
#endif

TEST(ProgressForm, GaugeCancelAndClosing) {
  SetEnglishVersion(true);
  QWidget owner;
  owner.resize(400, 300);
  owner.show();
  TProgressForm form(&owner);
  GuiTransferObserver observer(form);
  form.Start();
  EXPECT_EQ(form.windowTitle(), "Progress...");
  EXPECT_EQ(form.size(), QSize(261, 113));
  EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(form.ProgressGauge->isVisible());  // the search has no position

  observer.SetLabel("Reconnect the device power supply");
  EXPECT_EQ(form.ProgressLabel->text(), "Reconnect the device power supply");
  observer.SetGauge(250);
  EXPECT_TRUE(form.ProgressGauge->isVisible());
  EXPECT_EQ(form.ProgressGauge->value(), 100);
  observer.SetGauge(37);
  EXPECT_EQ(form.ProgressGauge->text(), "37%");
  observer.SetGauge(-1);
  EXPECT_FALSE(form.ProgressGauge->isVisible());

  EXPECT_FALSE(observer.Cancelled());
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_FALSE(form.close());
  EXPECT_TRUE(form.isVisible());
  QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
  EXPECT_TRUE(observer.Cancelled());
  EXPECT_TRUE(form.isVisible());  // Cancel asks; the transfer ends the window
  observer.SetCancelVisible(false);
  EXPECT_FALSE(form.BitBtn1->isVisible());

  ScriptedMessageService messages;
  observer.ShowInfo("done");
  observer.ShowError("failed");
  ASSERT_EQ(messages.shown().size(), 2u);
  EXPECT_EQ(messages.shown()[0].kind, ScriptedMessageService::Kind::Info);
  EXPECT_EQ(messages.shown()[1].text, "failed");
  SetEnglishVersion(false);
}

TEST(ProgressForm, CancelClickReachesAWaitingLoopThroughPump) {
  TProgressForm form(nullptr);
  GuiTransferObserver observer(form);
  form.Start();
  EXPECT_EQ(form.BitBtn1->text(), "Отмена");
  // A click that arrives while the transfer waits is seen by its next pump.
  QMetaObject::invokeMethod(form.BitBtn1, "click", Qt::QueuedConnection);
  int pumps = 0;
  while (!observer.Cancelled() && pumps < 100) {
    observer.Pump();
    ++pumps;
  }
  EXPECT_TRUE(observer.Cancelled());
  EXPECT_LT(pumps, 100);
}

}  // namespace
}  // namespace tc::test
