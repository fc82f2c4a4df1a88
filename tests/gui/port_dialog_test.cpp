// SPDX-License-Identifier: GPL-3.0-or-later
// The port number dialog and the port the window opens at start and close.
#include "app/port_dialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>

#include "gui_fixture.h"
#include "link/ml_rs.h"
#include "link/port_texts.h"
#include "util/ini_file.h"

namespace tc::test {
namespace {

using Kind = ScriptedMessageService::Kind;

class PortDialogTest : public MainFormTest {
 protected:
  // The window's port button, with the dialog answered by run.
  void ChoosePort(const std::function<int(TML_RS232_SetNumDlg&)>& run) {
    form_->SelectPortDialog = [run](TML_RS& link, QWidget* parent) {
      tc::SelectPortDialog(link, parent, run);
    };
    QTest::mouseClick(form_->bRS232, Qt::LeftButton);
  }
  std::vector<QString> Items(const QComboBox& c) {
    std::vector<QString> items;
    for (int i = 0; i < c.count(); ++i) items.push_back(c.itemText(i));
    return items;
  }
};

TEST_F(PortDialogTest, ListsPortsInNumberOrderAndSelectsTheCurrentOne) {
  platform_ = DeadPortsPlatform(12, log_);
  auto exists = [](const std::string& path) { return path != "/dev/ttyS1"; };
  platform_.PortExists = exists;
  WriteIni("[RS232]\nPort=3\n");
  TMainForm& f = Open();
  ASSERT_TRUE(f.Link().PortOpen);
  bool shown = false;
  ChoosePort([&](TML_RS232_SetNumDlg& d) -> int {
    shown = true;
    EXPECT_EQ(d.windowTitle(), "Port number selection");
    EXPECT_EQ(d.size(), QSize(337, 85));
    EXPECT_EQ(d.Label1->text(), "Select serial port");
    EXPECT_EQ(d.bOK->text(), "OK");
    EXPECT_EQ(d.bCancel->text(), "Cancel");
    const std::vector<QString> items = Items(*d.cbPort);
    EXPECT_EQ(items.size(), 11u);
    if (items.size() != 11u) return QDialog::Rejected;
    EXPECT_EQ(items.front(), "COM1");
    EXPECT_EQ(items[1], "COM3");  // COM2 does not exist
    EXPECT_EQ(items.back(), "COM12");
    EXPECT_EQ(d.SelectedPort(), 3);
    EXPECT_EQ(d.cbPort->currentText(), "COM3");
    EXPECT_EQ(d.lPortInfo->text(), "/dev/ttyS2 (FT232R USB UART)");
    EXPECT_EQ(d.cbPort->itemData(1, Qt::ToolTipRole).toString(),
              "COM3 — /dev/ttyS2 (FT232R USB UART)");
    return int(QDialog::Rejected);
  });
  EXPECT_TRUE(shown);
  // Cancel reopens the same port.
  EXPECT_EQ(log_->opened.back(), "/dev/ttyS2");
  EXPECT_EQ(f.Link().PortNumber, 3);
  EXPECT_TRUE(f.Link().PortOpen);
  EXPECT_EQ(f.Link().BaudRate, 19200u);
  EXPECT_EQ(messages_.shown().size(), 0u);
}

TEST_F(PortDialogTest, ChosenPortIsOpenedAndRememberedAtClose) {
  platform_ = DeadPortsPlatform(12, log_);
  TMainForm& f = Open();
  EXPECT_EQ(f.Link().PortNumber, 1);
  ChoosePort([](TML_RS232_SetNumDlg& d) {
    d.SelectPort(12);
    return int(QDialog::Accepted);
  });
  EXPECT_EQ(log_->opened.back(), "/dev/ttyS11");
  EXPECT_EQ(f.Link().PortNumber, 12);
  // OK without a selection keeps the port.
  ChoosePort([](TML_RS232_SetNumDlg& d) {
    d.cbPort->setCurrentIndex(-1);
    return int(QDialog::Accepted);
  });
  EXPECT_EQ(f.Link().PortNumber, 12);
  EXPECT_TRUE(Close());
  EXPECT_EQ(TMIniFile(IniPath().toStdString()).ReadInteger("RS232", "Port", -1), 12);
}

TEST_F(PortDialogTest, PortThatCannotBeOpenedShowsTheReason) {
  platform_ = DeadPortsPlatform(2, log_);
  const std::string why =
      "/dev/ttyS1: Permission denied. The user may not open this port: add yourself to the "
      "dialout group";
  log_->failing.push_back({"/dev/ttyS1", PortOpenError(PortOpenFailure::PermissionDenied, why)});
  TMainForm& f = Open();
  ChoosePort([](TML_RS232_SetNumDlg& d) {
    d.SelectPort(2);
    return int(QDialog::Accepted);
  });
  EXPECT_FALSE(f.Link().PortOpen);
  ASSERT_EQ(messages_.Count(Kind::Error), 1);
  EXPECT_EQ(messages_.Last(Kind::Error).toStdString(), why);
}

TEST_F(PortDialogTest, StoredPortThatIsGoneFallsBackToTheLowestOne) {
  // COM1 and COM3 exist, COM2 is stored.
  platform_ = DeadPortsPlatform(3, log_);
  platform_.PortExists = [](const std::string& path) { return path != "/dev/ttyS1"; };
  WriteIni("[RS232]\nPort=2\n");
  TMainForm& f = Open();
  EXPECT_EQ(f.Link().PortNumber, 1);
  EXPECT_EQ(log_->opened, std::vector<std::string>{"/dev/ttyS0"});
  EXPECT_TRUE(Close());
  EXPECT_EQ(TMIniFile(IniPath().toStdString()).ReadInteger("RS232", "Port", -1), 1);
}

TEST_F(PortDialogTest, NoPortAtAllIsSaidOnceAtStartAndAgainByTheButton) {
  platform_ = DeadPortsPlatform(0, log_);
  TMainForm& f = Open();
  EXPECT_EQ(messages_.Count(Kind::Error), 1);
  EXPECT_EQ(messages_.Last(Kind::Error), kNoFreePortText);
  bool shown = false;
  ChoosePort([&](TML_RS232_SetNumDlg&) {
    shown = true;
    return int(QDialog::Accepted);
  });
  EXPECT_FALSE(shown);
  EXPECT_EQ(messages_.Count(Kind::Error), 2);
  EXPECT_FALSE(f.Link().PortOpen);
}

TEST_F(PortDialogTest, ExtraPortsFromTheIniCountAsPortsAtStart) {
  platform_ = DeadPortsPlatform(0, log_);
  WriteIni("[RS232]\nExtraPorts=/tmp/sim-a;/tmp/sim-b\nPort=2\n");
  TMainForm& f = Open();
  EXPECT_EQ(messages_.shown().size(), 0u);
  EXPECT_EQ(f.Link().PortNumber, 2);
  EXPECT_EQ(log_->opened.back(), "/tmp/sim-b");
  // The line settings the window gives the link.
  EXPECT_EQ(f.Link().PortType(), 2);
  EXPECT_EQ(f.Link().FirstByteTimeout, 100);
  EXPECT_EQ(f.Link().BaudRate, 19200u);
}

}  // namespace
}  // namespace tc::test
