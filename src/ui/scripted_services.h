// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Message and file-dialog services that answer from a script and record what
// they were asked. The GUI tests install them instead of real dialogs.
#include <QString>
#include <deque>
#include <optional>
#include <vector>

#include "ui/file_dialog_service.h"
#include "ui/message_service.h"

namespace tc {

class ScriptedMessageService : public MessageService {
 public:
  enum class Kind { Error, Info, Question };
  struct Shown {
    Kind kind;
    QString text;
  };

  ScriptedMessageService();            // installs itself
  ~ScriptedMessageService() override;  // restores the real boxes

  void ShowError(QWidget* parent, const QString& text) override;
  void ShowInfo(QWidget* parent, const QString& text) override;
  // Takes the next scripted answer; without one it answers No and counts an
  // unexpected question.
  bool AskYesNo(QWidget* parent, const QString& text) override;

  void Answer(bool yes) { answers_.push_back(yes); }
  const std::vector<Shown>& shown() const { return shown_; }
  int Count(Kind kind) const;
  int unexpectedQuestions() const { return unexpected_; }
  // Text of the last message of that kind, or an empty text.
  QString Last(Kind kind) const;
  void Clear() { shown_.clear(); }

 private:
  std::deque<bool> answers_;
  std::vector<Shown> shown_;
  int unexpected_ = 0;
};

class ScriptedFileDialogService : public FileDialogService {
 public:
  ScriptedFileDialogService();
  ~ScriptedFileDialogService() override;

  // Next answer: a path, or nothing for a cancelled dialog. Without a
  // scripted answer the dialog counts as cancelled.
  void Answer(std::optional<QString> path) {
    answers_.push_back({path.has_value(), path.value_or(QString())});
  }
  std::optional<QString> Run(QWidget* parent, const FileDialogRequest& request) override;
  const std::vector<FileDialogRequest>& requests() const { return requests_; }

 private:
  struct Scripted {
    bool chosen;
    QString path;
  };
  std::deque<Scripted> answers_;
  std::vector<FileDialogRequest> requests_;
};

}  // namespace tc
