// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui_fixture.h"

#include <QFile>
#include <fstream>
#include <sstream>

#include "model/sample_image.h"
#include "model/settings_file.h"
#include "util/files.h"

namespace tc::test {

QString WriteSampleFile(const QString& path, const char* sample) {
  const SampleSetup setup = SampleSetupByName(sample);
  WriteFileAtomic(path.toStdString(),
                  EncodeSettingsFile(setup.deviceVersion, BuildSampleImage(setup)));
  return path;
}

std::vector<uint8_t> FileBytes(const QString& path) {
  return ReadWholeFile(path.toStdString());
}

std::string ReadText(const QString& path) {
  std::ifstream in(path.toStdString());
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void MainFormTest::SetUp() {
  ASSERT_TRUE(dir_.isValid());
  SetEnglishVersion(false);
}

void MainFormTest::TearDown() {
  if (form_) {
    form_->SettingsChanged = false;
    form_->close();
    form_.reset();
  }
  SetEnglishVersion(false);
}

TMainForm& MainFormTest::Open() {
  form_ = std::make_unique<TMainForm>(PathsForProgram(Path("tripconf")), platform_);
  form_->show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
  return *form_;
}

void MainFormTest::WriteIni(const std::string& text) {
  WriteFileAtomic(IniPath().toStdString(), text);
}

void MainFormTest::LoadSample(const char* sample) {
  const QString file = WriteSampleFile(Path(QString(sample) + ".dvkps"), sample);
  files_.Answer(file);
  QTest::mouseClick(form_->bLoadParams, Qt::LeftButton);
}

bool MainFormTest::Close() {
  return form_->close();
}

}  // namespace tc::test
