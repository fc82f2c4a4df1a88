// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared pieces of the GUI tests: a private folder, sample settings files and
// a main window whose dialogs are answered from a script.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <memory>

#include "app/main_form.h"
#include "model/tmk.h"
#include "test_link.h"
#include "ui/scripted_services.h"
#include "util/text_pair.h"

namespace tc::test {

// Writes a settings file holding the named sample; returns its path.
QString WriteSampleFile(const QString& path, const char* sample = "v104-8k");

std::vector<uint8_t> FileBytes(const QString& path);

// Everything of the model a refused load or an unfinished write must leave
// as it was: the image, the directory copy, the version and every block.
struct ModelState {
  std::vector<uint8_t> image;
  std::array<uint8_t, kDirectorySize> directory;
  uint16_t version;
  std::vector<std::vector<uint8_t>> blocks;
  explicit ModelState(const TMK& mk)
      : image(mk.Image()), directory(mk.Directory()), version(mk.DeviceVersion) {
    for (int n = 1; n <= kBlockCount; ++n)
      blocks.emplace_back(mk.Block(n).begin(), mk.Block(n).end());
  }
  bool operator==(const ModelState&) const = default;
};
std::string ReadText(const QString& path);

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Creates and shows the window (ini and dialogs in the private folder).
  TMainForm& Open();
  // Path inside the private folder.
  QString Path(const QString& name) const { return dir_.path() + "/" + name; }
  QString IniPath() const { return Path("tripconf.ini"); }
  void WriteIni(const std::string& text);
  // Loads a sample settings file through the open dialog.
  void LoadSample(const char* sample = "v104-8k");
  // Closes the window; true if it closed.
  bool Close();

  QTemporaryDir dir_;
  // The ports the window's link sees; one dead port unless a test says else.
  std::shared_ptr<ChannelLog> log_ = std::make_shared<ChannelLog>();
  LinkPlatform platform_ = DeadPortsPlatform(1, log_);
  ScriptedMessageService messages_;
  ScriptedFileDialogService files_;
  std::unique_ptr<TMainForm> form_;
};

}  // namespace tc::test
