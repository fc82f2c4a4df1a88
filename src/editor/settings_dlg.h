// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TMK_SetParamsDlg: the modal settings editor. It works directly on the
// device model's block copies through an edit session and its settings
// binder; OK and Cancel are the session's (see EditSettings). The window
// opens with the tabs of every page, but a page's controls and previews are
// built when the page is first shown.
#include <QDialog>
#include <QString>
#include <vector>

#include "editor_core/editor_pages.h"

class QFrame;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace tc {

class TSettingsBinder;
class TSettingsEditSession;

class TMK_SetParamsDlg : public QDialog {
  Q_OBJECT
 public:
  TMK_SetParamsDlg(TSettingsEditSession& session, QWidget* parent = nullptr);
  ~TMK_SetParamsDlg() override;

  QTabWidget* PageControl() const { return pages_; }
  // A page or sub-page by its name ("tsCorr", "tsColors", ...). Pages are
  // built when first shown; one asked for here is built now, with every page
  // inside it, and shows what the model holds.
  QWidget* Page(const QString& name);
  // Whether the page's controls have been built.
  bool PageBuilt(const QString& name) const;
  // Builds every page not built yet (for whoever walks every control).
  void BuildAllPages();
  TSettingsBinder& Binder() { return *binder_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

  // The whole show sequence: page visibility, language, first pages,
  // LoadControls, then the protocol, variant and injector dependent controls.
  // Run on every show; it covers every page built so far, and a page built
  // later runs the same refresh and load when it is built.
  void PrepareShow();

  // Brings the setting's page and every page above it to the front, focuses
  // its control and marks it for a moment. False when the editor does not
  // show the setting (no such name, or hidden for this device).
  bool RevealSetting(const QString& name);

  // The search field (Ctrl+F) and the list of what it found.
  QLineEdit* SearchField() const { return search_; }
  QListWidget* SearchResults() const { return results_; }
  // Undoes or redoes the last store with what its rules changed (Ctrl+Z,
  // Ctrl+Shift+Z); an edit still held by the focused control is stored
  // first, so it is what is undone. False when there was nothing to do.
  bool UndoStore();
  bool RedoStore();

 signals:
  // The current protocol changed: what the protocol offers (the parameters
  // of the display layouts and menus) must be rebuilt.
  void ProtocolChanged();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 public slots:
  // Commits the control that still holds an edit, then closes with OK; a
  // refused value keeps the window open.
  void accept() override;

 private:
  struct PageTab {
    const EditorPage* page;
    QTabWidget* owner;  // the page control that holds the page
    QWidget* widget;
    int parent;  // the tab of the page that holds `owner`; -1 in the main control
    bool built = false;
  };
  void AddTabs(QTabWidget* owner, PageList pages, int parent);
  int TabIndex(QStringView name) const;
  // Runs the page's layout (and first that of every page holding it, which
  // may lay out this one); true when a layout ran.
  bool Build(PageTab& t);
  // Builds the tabs that pass `pick`, then loads what they show.
  template <typename Pick>
  void BuildTabs(Pick pick);
  // The page is on screen: current in its page control, all the way up.
  bool OnShow(const PageTab& t) const;
  void UpdateSearch();
  // The widget that shows a setting on its (built) page, or nullptr.
  QWidget* ShowingWidget(const SettingDef& def, QWidget* page);
  void PickResult(int row);
  // Shows what the blocks hold after an undo or redo.
  void ShowUndone(int protocolBefore);

  TSettingsEditSession& session_;
  TSettingsBinder* binder_;
  QTabWidget* pages_;
  QPushButton* ok_;
  QPushButton* cancel_;
  std::vector<PageTab> tabs_;  // every page, each after the page that holds it
  // The show sequence has run: a page built from now on loads at once.
  bool prepared_ = false;
  // The show sequence is running and loads everything itself at its end.
  bool preparing_ = false;
  QLineEdit* search_;
  QListWidget* results_;
  QFrame* mark_;  // the frame that marks a revealed control
  // A setting asked for before the window was shown: revealed once it is.
  QString pendingReveal_;
};

}  // namespace tc
