// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every message box of the program goes through one replaceable service, so
// that tests can answer questions and read what was shown.
#include <QString>
#include <string>

class QWidget;

namespace tc {

class MessageService {
 public:
  virtual ~MessageService() = default;
  // parent may be null: the box then sits over the active window.
  virtual void ShowError(QWidget* parent, const QString& text) = 0;
  virtual void ShowInfo(QWidget* parent, const QString& text) = 0;
  // True for Yes.
  virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;
};

// Modal QMessageBox boxes with the button and caption texts of the current
// language.
class QtMessageService : public MessageService {
 public:
  void ShowError(QWidget* parent, const QString& text) override;
  void ShowInfo(QWidget* parent, const QString& text) override;
  bool AskYesNo(QWidget* parent, const QString& text) override;
};

// The service in use; the QMessageBox one unless a test installed another.
MessageService& Messages();
// Installs a service (not owned); nullptr restores the QMessageBox one.
void SetMessageService(MessageService* service);

// The routines the windows call.
void ShowError(const std::string& text, QWidget* parent = nullptr);
void ShowInfo(const std::string& text, QWidget* parent = nullptr);
bool AskYesNo(const std::string& text, QWidget* parent = nullptr);

}  // namespace tc
