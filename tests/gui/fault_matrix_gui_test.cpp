// SPDX-License-Identifier: GPL-3.0-or-later
// Every fault tripsim can play against the main window's read and write
// steps: what the user is shown, what the model holds afterwards and what
// the device holds. A search that finds nothing runs until Cancel and says
// why meanwhile; a write that breaks off names its backup.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>

#include "app/progress_form.h"
#include "gui_fixture.h"
#include "link/mk_transfer.h"
#include "link/ml_rs.h"
#include "model/sample_image.h"
#include "model/settings_file.h"
#include "model/settings_layout.h"
#include "model/tmk.h"
#include "util/files.h"

namespace tc::test {
namespace {

using Kind = ScriptedMessageService::Kind;
using Bytes = std::vector<uint8_t>;

enum class Outcome {
  Done,        // went through, retries included
  Searching,   // nobody found: the user cancels the search
  Refused,     // an error before anything was written
  BrokenWrite  // an error after the backup, in the middle of the write
};

struct Row {
  const char* name;
  QStringList fault;
  bool write;
  Outcome outcome;
  // The error shown (its beginning), or the progress label's second line
  // while searching; empty: none.
  QString message;
};

const Row kRows[] = {
    {"NoEchoRead", {"--no-echo"}, false, Outcome::Searching, ""},
    {"NoEchoWrite", {"--no-echo"}, true, Outcome::Searching, ""},
    {"BusyRead", {"--busy"}, false, Outcome::Searching, "Устройство занято."},
    {"BusyWrite", {"--busy"}, true, Outcome::Searching, "Устройство занято."},
    {"AllChecksumsBadRead",
     {"--bad-checksum", "1"},
     false,
     Outcome::Searching,
     "RS232. Exchange error.(0)"},
    {"AllChecksumsBadWrite",
     {"--bad-checksum", "1"},
     true,
     Outcome::Searching,
     "RS232. Exchange error.(0)"},
    {"ThirdOfChecksumsBadRead",
     {"--bad-checksum", "0.3"},
     false,
     Outcome::Refused,
     "RS232. Exchange error.(0)"},
    {"ThirdOfChecksumsBadWrite",
     {"--bad-checksum", "0.3"},
     true,
     Outcome::Refused,
     "RS232. Exchange error.(0)"},
    {"ThirdOfRepliesDroppedRead",
     {"--drop-reply", "0.3"},
     false,
     Outcome::Refused,
     "RS232. No link. Check PC-device connection."},
    {"ThirdOfRepliesDroppedWrite",
     {"--drop-reply", "0.3"},
     true,
     Outcome::Refused,
     "RS232. No link. Check PC-device connection."},
    {"SomeChecksumsBadRead", {"--bad-checksum", "0.05", "--seed", "3"}, false, Outcome::Done, ""},
    {"SomeChecksumsBadWrite", {"--bad-checksum", "0.05", "--seed", "3"}, true, Outcome::Done, ""},
    {"StallInTheProbeRead", {"--stall-after", "0"}, false, Outcome::Searching, ""},
    {"StallInTheProbeWrite", {"--stall-after", "0"}, true, Outcome::Searching, ""},
    {"StallInTheReadRead",
     {"--stall-after", "100"},
     false,
     Outcome::Refused,
     "RS232. No link. Check PC-device connection."},
    {"StallInTheReadWrite",
     {"--stall-after", "100"},
     true,
     Outcome::Refused,
     "RS232. No link. Check PC-device connection."},
    {"StallInTheWriteRead", {"--stall-after", "300"}, false, Outcome::Done, ""},
    {"StallInTheWriteWrite",
     {"--stall-after", "300"},
     true,
     Outcome::BrokenWrite,
     "RS232. No link. Check PC-device connection."},
    {"VanishInTheProbeRead", {"--vanish-after", "0"}, false, Outcome::Searching, ""},
    {"VanishInTheProbeWrite", {"--vanish-after", "0"}, true, Outcome::Searching, ""},
    {"VanishInTheReadRead",
     {"--vanish-after", "100"},
     false,
     Outcome::Refused,
     "RS232. No link. Check PC-device connection."},
    {"VanishInTheReadWrite",
     {"--vanish-after", "100"},
     true,
     Outcome::Refused,
     "RS232. No link. Check PC-device connection."},
    {"VanishInTheWriteRead", {"--vanish-after", "300"}, false, Outcome::Done, ""},
    {"VanishInTheWriteWrite",
     {"--vanish-after", "300"},
     true,
     Outcome::BrokenWrite,
     "RS232. No link. Check PC-device connection."},
};

void PrintTo(const Row& row, std::ostream* os) {
  *os << row.name;
}

TProgressForm* ProgressWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* p = qobject_cast<TProgressForm*>(w); p && p->isVisible()) return p;
  return nullptr;
}

class FaultMatrixGui : public MainFormTest, public ::testing::WithParamInterface<Row> {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    if (!HaveSim()) GTEST_SKIP() << "tripsim was not built";
    platform_ = ExtraPortsOnlyPlatform(log_);
  }
  SimProcess sim_;
};

TEST_P(FaultMatrixGui, MainWindow) {
  const Row& row = GetParam();
  const Bytes device = BuildSampleImage(SampleSetupByName("v104-8k"));
  WriteFileAtomic(Path("device.dvkps").toStdString(), EncodeSettingsFile(0x104, device));
  // The settings in the window: the device's layout, blocks 1, 3 and 13
  // changed as the editor would change them.
  TMK user;
  user.ReplaceImage(device, 0x104);
  user.DecodeSettingsBlocks();
  user.SetInt(layout::kOil6L, 1111);
  user.SetInt(layout::kSumFields[0].time, 987654);
  user.SetInt(layout::kCargoDens, 777);
  user.EncodeSettingsBlocks();
  WriteFileAtomic(Path("user.dvkps").toStdString(), EncodeSettingsFile(0x104, user.Image()));

  std::string why;
  QStringList args = {"--image", Path("device.dvkps"), "--latency", "0",
                      "--dump",  Path("dump.bin")};
  args += row.fault;
  ASSERT_TRUE(sim_.Start(args, &why)) << why;
  WriteIni("[RS232]\nPort=1\nExtraPorts=" + sim_.Path() + "\n");
  TMainForm& f = Open();
  ASSERT_TRUE(f.Link().PortOpen) << f.Link().LastOpenError();
  f.Transfer().BackupFolder = Path("backups").toStdString();
  files_.Answer(Path("user.dvkps"));
  QTest::mouseClick(f.bLoadParams, Qt::LeftButton);
  ASSERT_EQ(messages_.shown().size(), 0u);
  const ModelState before(f.Model());

  // A search that finds nothing: look at what the window says, then cancel.
  QString searchLabel;
  bool searched = false;
  if (row.outcome == Outcome::Searching) {
    auto* timer = new QTimer(&f);
    timer->setInterval(20);
    auto shownAt = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [&, timer, shownAt] {
      TProgressForm* p = ProgressWindow();
      if (!p) return;
      // Long enough for several rounds of the three addresses.
      if (++*shownAt < 60) return;
      timer->stop();
      searched = true;
      searchLabel = p->ProgressLabel->text();
      QTest::mouseClick(p->BitBtn1, Qt::LeftButton);
    });
    timer->start();
  }
  QTest::mouseClick(row.write ? f.bSetParams : f.bGetParams, Qt::LeftButton);
  EXPECT_EQ(ProgressWindow(), nullptr);
  EXPECT_FALSE(f.ExchangeRunning());
  sim_.Stop();
  const Bytes after = ImageOfMemory(FileBytes(Path("dump.bin")));
  const QString error = messages_.Last(Kind::Error);
  const QString info = messages_.Last(Kind::Info);

  switch (row.outcome) {
    case Outcome::Searching:
      ASSERT_TRUE(searched);
      EXPECT_TRUE(searchLabel.startsWith("Переподключите питание МК")) << searchLabel.toStdString();
      if (row.message.isEmpty())
        EXPECT_EQ(searchLabel, "Переподключите питание МК");
      else
        EXPECT_TRUE(searchLabel.contains(row.message)) << searchLabel.toStdString();
      EXPECT_EQ(messages_.shown().size(), 0u) << error.toStdString();
      EXPECT_TRUE(ModelState(f.Model()) == before);
      EXPECT_EQ(after, device);
      break;
    case Outcome::Refused:
      EXPECT_EQ(messages_.Count(Kind::Error), 1);
      EXPECT_TRUE(error.startsWith(row.message)) << error.toStdString();
      EXPECT_FALSE(error.contains(Path("backups"))) << error.toStdString();
      EXPECT_TRUE(ModelState(f.Model()) == before);
      EXPECT_EQ(after, device);
      EXPECT_FALSE(QFile::exists(Path("backups")));
      break;
    case Outcome::Done:
      EXPECT_EQ(messages_.Count(Kind::Error), 0) << error.toStdString();
      if (row.write) {
        EXPECT_TRUE(info.startsWith("Настройки записаны в МК")) << info.toStdString();
        EXPECT_EQ(after, user.Image());
        EXPECT_EQ(f.Model().Image(), user.Image());
      } else {
        EXPECT_EQ(f.Model().Image(), device);
        EXPECT_EQ(after, device);
      }
      break;
    case Outcome::BrokenWrite: {
      ASSERT_EQ(messages_.Count(Kind::Error), 1);
      EXPECT_TRUE(error.startsWith(row.message)) << error.toStdString();
      const int at = error.indexOf(Path("backups"));
      ASSERT_GE(at, 0) << error.toStdString();
      EXPECT_TRUE(error.contains("Прежние настройки МК сохранены в файле")) << error.toStdString();
      TMK held;
      ReadSettingsFile(held, error.mid(at).trimmed().toStdString());
      EXPECT_EQ(held.Image(), device);
      EXPECT_NE(after, device);
      EXPECT_NE(after, user.Image());
      // The model holds what was being sent: the device's image with the
      // user's blocks, so another click writes it all again.
      EXPECT_EQ(f.Model().Image(), user.Image());
      break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultMatrixGui, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

// The port itself cannot be opened: the search says why, in the window.
TEST_F(MainFormTest, SearchOnAPortThatWillNotOpenShowsTheReason) {
  platform_ = DeadPortsPlatform(1, log_);
  log_->failing.push_back(
      {"/dev/ttyS0", PortOpenError(PortOpenFailure::Busy, "/dev/ttyS0: held by another program")});
  TMainForm& f = Open();
  LoadSample();
  const ModelState before(f.Model());
  for (QPushButton* step : {f.bGetParams, f.bSetParams}) {
    QString label;
    auto* timer = new QTimer(&f);
    timer->setInterval(20);
    QElapsedTimer waited;
    waited.start();
    // The search runs below this handler on the stack, so each tick only looks
    // and returns: the reason joins the search text once the port was tried.
    QObject::connect(timer, &QTimer::timeout, [&, timer] {
      TProgressForm* p = ProgressWindow();
      if (!p) return;
      label = p->ProgressLabel->text();
      if (!label.contains('\n') && waited.elapsed() < 20000) return;
      timer->stop();
      timer->deleteLater();
      QTest::mouseClick(p->BitBtn1, Qt::LeftButton);
    });
    timer->start();
    QTest::mouseClick(step, Qt::LeftButton);
    EXPECT_EQ(label, "Переподключите питание МК\n/dev/ttyS0: held by another program")
        << step->objectName().toStdString();
    EXPECT_EQ(messages_.shown().size(), 0u);
    EXPECT_TRUE(ModelState(f.Model()) == before);
  }
  // The port opened again meanwhile is taken: the search goes on there.
  EXPECT_GE(log_->opened.size(), 2u);
}

}  // namespace
}  // namespace tc::test
