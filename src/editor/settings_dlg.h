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
};

}  // namespace tc
