// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/scripted_services.h"

namespace tc {

ScriptedMessageService::ScriptedMessageService() {
  SetMessageService(this);
}

ScriptedMessageService::~ScriptedMessageService() {
  if (&Messages() == this) SetMessageService(nullptr);
}

void ScriptedMessageService::ShowError(QWidget*, const QString& text) {
  shown_.push_back({Kind::Error, text});
}

void ScriptedMessageService::ShowInfo(QWidget*, const QString& text) {
  shown_.push_back({Kind::Info, text});
}

bool ScriptedMessageService::AskYesNo(QWidget*, const QString& text) {
  shown_.push_back({Kind::Question, text});
  if (answers_.empty()) {
    ++unexpected_;
    return false;
  }
  const bool yes = answers_.front();
  answers_.pop_front();
  return yes;
}

int ScriptedMessageService::Count(Kind kind) const {
  int n = 0;
  for (const auto& s : shown_) n += s.kind == kind;
  return n;
}

QString ScriptedMessageService::Last(Kind kind) const {
  for (auto it = shown_.rbegin(); it != shown_.rend(); ++it)
    if (it->kind == kind) return it->text;
  return {};
}

ScriptedFileDialogService::ScriptedFileDialogService() {
  SetFileDialogService(this);
}

ScriptedFileDialogService::~ScriptedFileDialogService() {
  if (&FileDialogs() == this) SetFileDialogService(nullptr);
}

std::optional<QString> ScriptedFileDialogService::Run(QWidget*, const FileDialogRequest& request) {
  requests_.push_back(request);
  if (answers_.empty()) return std::nullopt;
  const Scripted a = answers_.front();
  answers_.pop_front();
  if (!a.chosen) return std::nullopt;
  return a.path;
}

}  // namespace tc
