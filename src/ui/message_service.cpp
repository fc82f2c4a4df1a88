// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/message_service.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "ui/qt_text.h"

namespace tc {
namespace {

const TextPair kErrorCaption{"Ошибка", "Error"};
const TextPair kInfoCaption{"Информация", "Information"};
const TextPair kConfirmCaption{"Подтверждение", "Confirm"};
const TextPair kYes{"Да", "Yes"};
const TextPair kNo{"Нет", "No"};
const TextPair kOk{"OK", "OK"};

QWidget* BoxParent(QWidget* parent) {
  if (parent) return parent;
  if (QWidget* w = QApplication::activeModalWidget()) return w;
  return QApplication::activeWindow();
}

void ShowOk(QWidget* parent, QMessageBox::Icon icon, const TextPair& caption, const QString& text) {
  QMessageBox box(icon, Q(caption), text, QMessageBox::Ok, BoxParent(parent));
  box.button(QMessageBox::Ok)->setText(Q(kOk));
  box.exec();
}

QtMessageService g_qtService;
MessageService* g_service = nullptr;

}  // namespace

void QtMessageService::ShowError(QWidget* parent, const QString& text) {
  ShowOk(parent, QMessageBox::Critical, kErrorCaption, text);
}

void QtMessageService::ShowInfo(QWidget* parent, const QString& text) {
  ShowOk(parent, QMessageBox::Information, kInfoCaption, text);
}

bool QtMessageService::AskYesNo(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Question, Q(kConfirmCaption), text,
                  QMessageBox::Yes | QMessageBox::No, BoxParent(parent));
  box.button(QMessageBox::Yes)->setText(Q(kYes));
  box.button(QMessageBox::No)->setText(Q(kNo));
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

MessageService& Messages() {
  return g_service ? *g_service : g_qtService;
}

void SetMessageService(MessageService* service) {
  g_service = service;
}

void ShowError(const std::string& text, QWidget* parent) {
  Messages().ShowError(parent, QString::fromStdString(text));
}

void ShowInfo(const std::string& text, QWidget* parent) {
  Messages().ShowInfo(parent, QString::fromStdString(text));
}

bool AskYesNo(const std::string& text, QWidget* parent) {
  return Messages().AskYesNo(parent, QString::fromStdString(text));
}

}  // namespace tc
