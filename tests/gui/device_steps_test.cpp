// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's device steps against tripsim: read, write, cancel,
// failures, the exchange guard and the keep-alive.
#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include "app/progress_form.h"
#include "gui_fixture.h"
#include "link/mk_transfer.h"
#include "link/ml_rs.h"
#include "model/sample_image.h"
#include "model/settings_file.h"
#include "model/tmk.h"
#include "util/files.h"

namespace tc::test {
namespace {

using Kind = ScriptedMessageService::Kind;

TProgressForm* ProgressWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* p = qobject_cast<TProgressForm*>(w); p && p->isVisible()) return p;
  return nullptr;
}

// Runs f once the transfer started by the next click shows its window with
// its first text. The transfer runs below the timer on the stack and cannot
// move on while f runs, so waiting for the text inside f would never end.
void WhenProgressShows(std::function<void(TProgressForm&)> f) {
  auto* timer = new QTimer;
  timer->setInterval(20);
  QObject::connect(timer, &QTimer::timeout, [timer, f] {
    if (TProgressForm* p = ProgressWindow(); p && !p->ProgressLabel->text().isEmpty()) {
      timer->stop();
      timer->deleteLater();
      f(*p);
    }
  });
  timer->start();
}

class DeviceStepsTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    if (!HaveSim()) GTEST_SKIP() << "tripsim was not built";
    platform_ = ExtraPortsOnlyPlatform(log_);
  }
  // Starts tripsim and the window with the simulator as port 1.
  TMainForm& OpenWithSim(const QStringList& simArgs) {
    std::string why;
    EXPECT_TRUE(sim_.Start(simArgs, &why)) << why;
    WriteIni("[RS232]\nPort=1\nExtraPorts=" + sim_.Path() + "\n");
    TMainForm& f = Open();
    EXPECT_TRUE(f.Link().PortOpen) << f.Link().LastOpenError();
    f.Transfer().BackupFolder = Path("backups").toStdString();
    return f;
  }
  void Read() { QTest::mouseClick(form_->bGetParams, Qt::LeftButton); }
  void Write() { QTest::mouseClick(form_->bSetParams, Qt::LeftButton); }
  bool StepsEnabled() {
    for (QPushButton* b : {form_->bEditParams, form_->bViewJournals, form_->bViewOsc,
                           form_->bSaveParams, form_->bSetParams})
      if (!b->isEnabled()) return false;
    return true;
  }

  SimProcess sim_;
};

TEST_F(DeviceStepsTest, ReadFromTheDeviceEnablesTheStepsAndStartsTheKeepAlive) {
  TMainForm& f = OpenWithSim({"--sample", "v104-8k"});
  EXPECT_FALSE(StepsEnabled());
  Read();
  EXPECT_EQ(messages_.shown().size(), 0u) << messages_.Last(Kind::Error).toStdString();
  EXPECT_TRUE(StepsEnabled());
  EXPECT_EQ(f.Model().Image(), BuildSampleImage(SampleSetupByName("v104-8k")));
  EXPECT_EQ(f.Model().DeviceVersion, 0x104);
  EXPECT_EQ(f.DeviceAddress(), 0xFC);
  EXPECT_EQ(f.DeviceMemorySize(), 0x2000u);
  EXPECT_TRUE(f.KeepAliveTimer->isActive());
  EXPECT_EQ(f.KeepAliveTimer->interval(), 30000);
  EXPECT_EQ(ProgressWindow(), nullptr);
  EXPECT_FALSE(f.ExchangeRunning());
}

TEST_F(DeviceStepsTest, ThirtyTwoKilobyteDeviceIsFoundAtItsOwnAddress) {
  TMainForm& f = OpenWithSim({"--sample", "v8003-32k"});
  Read();
  ASSERT_EQ(messages_.shown().size(), 0u) << messages_.Last(Kind::Error).toStdString();
  EXPECT_EQ(f.DeviceAddress(), 0xFE);
  EXPECT_EQ(f.Model().Image().size(), 32704u);
}

TEST_F(DeviceStepsTest, UnsavedChangesAreOfferedForSavingBeforeARead) {
  TMainForm& f = OpenWithSim({"--sample", "v104-8k"});
  LoadSample("v8002-8k");
  f.SettingsChanged = true;
  messages_.Answer(true);
  files_.Answer(Path("before-read.dvkps"));
  Read();
  EXPECT_EQ(messages_.Count(Kind::Question), 1);
  EXPECT_TRUE(FileExists(Path("before-read.dvkps").toStdString()));
  EXPECT_FALSE(f.SettingsChanged);
  EXPECT_EQ(f.Model().DeviceVersion, 0x104);  // the read went on
}

TEST_F(DeviceStepsTest, ReadThatBreaksOffShowsTheLinkMessageAndDisablesTheSteps) {
  TMainForm& f = OpenWithSim({"--sample", "v104-8k", "--stall-after", "20"});
  LoadSample("v8002-8k");
  const std::vector<uint8_t> loaded = f.Model().Image();
  ASSERT_TRUE(StepsEnabled());
  Read();
  ASSERT_EQ(messages_.Count(Kind::Error), 1);
  const QString text = messages_.Last(Kind::Error);
  EXPECT_TRUE(text.startsWith("RS232.")) << text.toStdString();
  EXPECT_FALSE(StepsEnabled());
  // Nothing of a half-read image reaches the model.
  EXPECT_EQ(f.Model().Image(), loaded);
  EXPECT_TRUE(f.KeepAliveTimer->isActive());
  EXPECT_EQ(ProgressWindow(), nullptr);
}

TEST_F(DeviceStepsTest, DuringAnExchangeNothingElseCanStartAndCloseWaits) {
  // A dead port: the search runs until Cancel.
  platform_ = DeadPortsPlatform(1, log_);
  TMainForm& f = Open();
  LoadSample();
  const std::vector<uint8_t> loaded = f.Model().Image();
  bool checked = false;
  WhenProgressShows([&](TProgressForm& p) {
    checked = true;
    EXPECT_TRUE(f.ExchangeRunning());
    EXPECT_FALSE(f.KeepAliveTimer->isActive());
    for (QPushButton* b : {f.bRS232, f.bGetParams, f.bLoadParams, f.bEditParams, f.bViewJournals,
                           f.bViewOsc, f.bSaveParams, f.bSetParams})
      EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_EQ(p.ProgressLabel->text(), "Переподключите питание МК");
    EXPECT_FALSE(p.ProgressGauge->isVisible());
    EXPECT_TRUE(p.BitBtn1->isVisible());
    EXPECT_EQ(p.windowTitle(), "Progress...");
    EXPECT_FALSE(f.close());  // deferred until the exchange ends
    QTest::mouseClick(p.BitBtn1, Qt::LeftButton);
  });
  Read();
  ASSERT_TRUE(checked);
  // Cancelled during the search: no message, nothing changed.
  EXPECT_EQ(messages_.shown().size(), 0u);
  EXPECT_EQ(f.Model().Image(), loaded);
  EXPECT_TRUE(StepsEnabled());
  EXPECT_EQ(ProgressWindow(), nullptr);
  // The close asked for during the exchange happens now.
  EXPECT_TRUE(QTest::qWaitFor([&] { return !f.isVisible(); }, 2000));
  // The search asked every candidate address in turn.
  EXPECT_GE(log_->written.size(), 18u);
}

TEST_F(DeviceStepsTest, WriteStoresTheSettingsAndNamesTheBackup) {
  TMainForm& f = OpenWithSim({"--sample", "v104-8k"});
  Read();
  ASSERT_EQ(messages_.shown().size(), 0u);
  const std::vector<uint8_t> before = f.Model().Image();
  // A change to block 1, as the editor would make it.
  const uint8_t old = f.Model().Block(1)[0];
  f.Model().Block(1)[0] = uint8_t(old ^ 0x5A);
  Write();
  ASSERT_EQ(messages_.Count(Kind::Info), 1) << messages_.Last(Kind::Error).toStdString();
  const QString done = messages_.Last(Kind::Info);
  EXPECT_TRUE(done.startsWith("Настройки записаны в МК")) << done.toStdString();
  EXPECT_TRUE(done.contains(Path("backups"))) << done.toStdString();
  EXPECT_TRUE(f.KeepAliveTimer->isActive());
  EXPECT_FALSE(f.SettingsChanged);

  // The backup holds what the device had; a second read brings the change back.
  TMK backup;
  const QString backupPath = done.mid(done.indexOf(Path("backups"))).trimmed();
  ReadSettingsFile(backup, backupPath.toStdString());
  EXPECT_EQ(backup.Image(), before);
  f.Model().Block(1)[0] = old;
  Read();
  EXPECT_EQ(f.Model().Block(1)[0], uint8_t(old ^ 0x5A));
}

TEST_F(DeviceStepsTest, WriteOfSettingsForAnotherDeviceStopsWithTheVersionMessage) {
  TMainForm& f = OpenWithSim({"--sample", "v104-8k"});
  SetEnglishVersion(true);
  f.ApplyLanguage();
  LoadSample("v8002-8k");
  Write();
  ASSERT_EQ(messages_.Count(Kind::Error), 1);
  EXPECT_EQ(messages_.Last(Kind::Error), "The settings version does not match the device version!");
  EXPECT_EQ(messages_.Count(Kind::Info), 0);
  EXPECT_EQ(f.Model().DeviceVersion, SampleSetupByName("v8002-8k").deviceVersion);
  EXPECT_TRUE(StepsEnabled());
}

TEST_F(DeviceStepsTest, WriteThatBreaksOffSaysSoAndWhereTheOldSettingsAre) {
  // The probe and the image read take 255 replies; the device then goes
  // quiet in the middle of the write.
  TMainForm& f = OpenWithSim({"--sample", "v104-8k", "--stall-after", "262"});
  LoadSample("v104-8k");
  Write();
  ASSERT_EQ(messages_.Count(Kind::Error), 1);
  const QString text = messages_.Last(Kind::Error);
  EXPECT_TRUE(text.startsWith("RS232.")) << text.toStdString();
  EXPECT_TRUE(text.contains(Path("backups"))) << text.toStdString();
  EXPECT_EQ(messages_.Count(Kind::Info), 0);
  EXPECT_TRUE(StepsEnabled());
  EXPECT_FALSE(f.ExchangeRunning());
}

TEST_F(DeviceStepsTest, KeepAliveAsksTheFoundAddressAndIgnoresAnUnpluggedDevice) {
  TMainForm& f = OpenWithSim({"--sample", "v8003-32k"});
  Read();
  ASSERT_EQ(messages_.shown().size(), 0u);
  log_->written.clear();
  f.KeepAliveTimer->setInterval(20);
  f.KeepAliveTimer->start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return log_->written.size() >= 6; }, 3000));
  const std::vector<uint8_t> query = {0x06, 0xFE, 0x01, 0x00, 0x01, 0xFA};
  EXPECT_EQ(std::vector<uint8_t>(log_->written.begin(), log_->written.begin() + 6), query);

  sim_.Stop();
  log_->written.clear();
  ASSERT_TRUE(QTest::qWaitFor([&] { return log_->written.size() >= 12; }, 5000));
  QTest::qWait(50);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !f.ExchangeRunning(); }, 3000));
  EXPECT_EQ(messages_.shown().size(), 0u);
  EXPECT_TRUE(StepsEnabled());
  EXPECT_TRUE(f.KeepAliveTimer->isActive());
}

TEST_F(DeviceStepsTest, PortThatCannotBeOpenedIsSilentAtStartAndTheSearchEndsByCancel) {
  platform_ = DeadPortsPlatform(1, log_);
  log_->failing.push_back(
      {"/dev/ttyS0", PortOpenError(PortOpenFailure::Busy, "/dev/ttyS0: held by another program")});
  TMainForm& f = Open();
  EXPECT_FALSE(f.Link().PortOpen);
  EXPECT_EQ(messages_.shown().size(), 0u);  // silent at start
  WhenProgressShows([](TProgressForm& p) { QTest::mouseClick(p.BitBtn1, Qt::LeftButton); });
  Read();
  // The search on a closed port ends only by Cancel, without a message.
  EXPECT_EQ(messages_.shown().size(), 0u);
}

}  // namespace
}  // namespace tc::test
