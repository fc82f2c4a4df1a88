// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Open and save dialogs go through one replaceable service, so that tests can
// pick files without a dialog on screen.
#include <QString>
#include <optional>

class QWidget;

namespace tc {

struct FileDialogRequest {
  enum class Kind { Open, Save };
  Kind kind = Kind::Open;
  QString caption;        // empty: the toolkit's default
  QString folder;         // where the dialog starts
  QString filter;         // Qt syntax: "Settings files (*.dvkps)"
  QString defaultSuffix;  // added to a typed name without extension
};

class FileDialogService {
 public:
  virtual ~FileDialogService() = default;
  // The chosen path, or nothing when the dialog was cancelled. An open dialog
  // only accepts an existing file. A save dialog does not ask about
  // overwriting; the caller does.
  virtual std::optional<QString> Run(QWidget* parent, const FileDialogRequest& request) = 0;
};

class QtFileDialogService : public FileDialogService {
 public:
  std::optional<QString> Run(QWidget* parent, const FileDialogRequest& request) override;
};

FileDialogService& FileDialogs();
// Installs a service (not owned); nullptr restores the QFileDialog one.
void SetFileDialogService(FileDialogService* service);

// One dialog of a window: keeps its filter and suffix, starts in its initial
// folder and afterwards in the folder of the last chosen file.
class FileDialog {
 public:
  FileDialog(FileDialogRequest::Kind kind, QString filter, QString defaultSuffix);
  void SetInitialFolder(const QString& folder) { folder_ = folder; }
  const QString& Folder() const { return folder_; }
  std::optional<QString> Execute(QWidget* parent);

 private:
  FileDialogRequest::Kind kind_;
  QString filter_;
  QString suffix_;
  QString folder_;
};

}  // namespace tc
