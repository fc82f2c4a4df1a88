#pragma once
// TMK_SetParamsDlg: the modal settings editor. It works directly on the
// device model's block copies through an edit session and its settings
// binder; OK and Cancel are the session's (see EditSettings).
#include <QDialog>
#include <QString>
#include <vector>

#include "editor_core/setting_def.h"

class QPushButton;
class QTabWidget;

namespace tc {

class TSettingsBinder;
class TSettingsEditSession;
struct EditorPage;

class TMK_SetParamsDlg : public QDialog {
  Q_OBJECT
 public:
  TMK_SetParamsDlg(TSettingsEditSession& session, QWidget* parent = nullptr);
  ~TMK_SetParamsDlg() override;

  QTabWidget* PageControl() const { return pages_; }
  // A page or sub-page by its name ("tsCorr", "tsColors", ...).
  QWidget* Page(const QString& name) const;
  TSettingsBinder& Binder() { return *binder_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

  // The whole show sequence: page visibility, language, first pages,
  // LoadControls, then the protocol, variant and injector dependent controls.
  // Run on every show.
  void PrepareShow();

 signals:
  // The current protocol changed: what the protocol offers (the parameters
  // of the display layouts and menus) must be rebuilt.
  void ProtocolChanged();

 protected:
  void showEvent(QShowEvent* event) override;

 public slots:
  // Commits the control that still holds an edit, then closes with OK; a
  // refused value keeps the window open.
  void accept() override;

 private:
  struct PageTab {
    const EditorPage* page;
    QTabWidget* owner;
    QWidget* widget;
  };
  void BuildPages(QTabWidget* owner, const std::vector<EditorPage>& pages);

  TSettingsEditSession& session_;
  TSettingsBinder* binder_;
  QTabWidget* pages_;
  QPushButton* ok_;
  QPushButton* cancel_;
  std::vector<PageTab> tabs_;
};

}  // namespace tc
