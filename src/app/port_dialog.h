// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TML_RS232_SetNumDlg: the port number dialog, and the selection around it.
#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;

namespace tc {

class TML_RS_Base;

class TML_RS232_SetNumDlg : public QDialog {
  Q_OBJECT
 public:
  // Lists the ports the link found, in number order, and selects the current
  // one if it exists.
  TML_RS232_SetNumDlg(const TML_RS_Base& link, QWidget* parent = nullptr);

  QLabel* Label1;
  QComboBox* cbPort;
  QLabel* lPortInfo;  // the selected port's device and description
  QPushButton* bOK;
  QPushButton* bCancel;

  // Number of the selected port, 0 without a selection.
  int SelectedPort() const;
  void SelectPort(int number);

 private:
  void ShowPortInfo();
  const TML_RS_Base& link_;
};

// Lets the user pick a port and reopens the link on it. With no port at all
// it says so and leaves the port closed. If the chosen port cannot be opened,
// the link's reason is shown. run replaces the modal dialog (tests): it gets
// the dialog and returns the dialog's result.
void SelectPortDialog(TML_RS_Base& link, QWidget* parent,
                      const std::function<int(TML_RS232_SetNumDlg&)>& run = {});

}  // namespace tc
