// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/settings_dlg.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "catalog/variants.h"
#include "editor/editor_page_builders.h"
#include "editor/settings_binder.h"
#include "editor_core/edit_session.h"
#include "editor_core/editor_pages.h"
#include "editor_core/page_colors.h"
#include "editor_core/page_meth.h"
#include "editor_core/setting_search.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "model/tmk.h"
#include "ui/dialog_placement.h"
#include "ui/qt_text.h"
#include "util/text_pair.h"

namespace tc {

namespace {
const TextPair kCaption{"Настройки МК", "Device settings"};
const TextPair kOk{"OK", "OK"};
const TextPair kCancel{"Отмена", "Cancel"};
const TextPair kSearchHint{"Найти настройку (Ctrl+F)", "Find a setting (Ctrl+F)"};
const TextPair kNothingFound{"Такой настройки нет среди показанных", "No shown setting matches"};

constexpr int kWidth = 1021;
constexpr int kHeight = 599;
constexpr int kPagesHeight = 561;
// The search field shares the row of the OK and Cancel buttons, at the
// left; what it finds is listed above it, over the pages.
constexpr int kSearchWidth = 320;
constexpr int kResultsWidth = 640;
constexpr int kResultRows = 14;
// How long a revealed control stays marked.
constexpr int kMarkMs = 1500;
// Results listed at most; a word that short finds more than anyone reads.
constexpr int kMaxResults = 60;
}  // namespace

TMK_SetParamsDlg::TMK_SetParamsDlg(TSettingsEditSession& session, QWidget* parent)
    : QDialog(parent),
      session_(session),
      binder_(new TSettingsBinder(session.Context(), this)),
      pages_(new QTabWidget(this)),
      ok_(new QPushButton(this)),
      cancel_(new QPushButton(this)),
      search_(new QLineEdit(this)),
      results_(new QListWidget(this)),
      mark_(new QFrame(this)) {
  setObjectName("MK_SetParamsDlg");
  setFixedSize(kWidth, kHeight);
  setModal(true);
  pages_->setObjectName("pcSettings");
  pages_->setGeometry(0, 0, kWidth, kPagesHeight);
  ok_->setObjectName("bOK");
  cancel_->setObjectName("bCancel");
  cancel_->setGeometry(kWidth - 8 - 88, kPagesHeight + 6, 88, 27);
  ok_->setGeometry(kWidth - 8 - 88 - 8 - 88, kPagesHeight + 6, 88, 27);
  ok_->setDefault(true);
  ok_->setAutoDefault(true);
  cancel_->setAutoDefault(false);
  connect(ok_, &QPushButton::clicked, this, &TMK_SetParamsDlg::accept);
  connect(cancel_, &QPushButton::clicked, this, &TMK_SetParamsDlg::reject);
  connect(binder_, &TSettingsBinder::Stored, this, [this](const SettingDef& d) {
    if (d.field.block == kProtocolNumber.block && d.field.offset == kProtocolNumber.offset)
      emit ProtocolChanged();
  });

  search_->setObjectName("eSearch");
  search_->setGeometry(8, kPagesHeight + 6, kSearchWidth, 27);
  search_->setClearButtonEnabled(true);
  results_->setObjectName("lbSearchResults");
  results_->setFocusPolicy(Qt::StrongFocus);
  results_->hide();
  mark_->setObjectName("frRevealMark");
  mark_->setAttribute(Qt::WA_TransparentForMouseEvents);
  mark_->setStyleSheet("#frRevealMark { border: 3px solid #f0a000; background: transparent; }");
  mark_->hide();
  connect(search_, &QLineEdit::textChanged, this, [this] { UpdateSearch(); });
  connect(results_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { PickResult(results_->row(item)); });
  auto* find = new QShortcut(QKeySequence::Find, this);
  connect(find, &QShortcut::activated, this, [this] {
    search_->setFocus(Qt::ShortcutFocusReason);
    search_->selectAll();
    if (!search_->text().isEmpty()) UpdateSearch();
  });
  // The list goes when the focus leaves the search.
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now && now != search_ && now != results_ && !results_->isAncestorOf(now)) results_->hide();
  });
  // Undo keys reach the dialog even from a field that has an undo of its own.
  qApp->installEventFilter(this);
  // Every store, by a control or by a part, is one step to undo.
  connect(binder_, &TSettingsBinder::Stored, this, [this] { session_.Checkpoint(); });
  connect(binder_, &TSettingsBinder::Reloaded, this, [this] { session_.Checkpoint(); });

  binder_->SetPageBuilder([this](std::string_view page) {
    const int i = TabIndex(QString::fromUtf8(page.data(), qsizetype(page.size())));
    if (i >= 0) BuildTabs([&](int t) { return t == i; });
  });

  AddTabs(pages_, EditorPages(), -1);
}

TMK_SetParamsDlg::~TMK_SetParamsDlg() = default;

void TMK_SetParamsDlg::AddTabs(QTabWidget* owner, PageList pages, int parent) {
  for (const EditorPage& p : pages) {
    auto* w = new QWidget(owner);
    w->setObjectName(p.name);
    owner->addTab(w, QString());
    tabs_.push_back({&p, owner, w, parent});
    if (!p.pages.empty()) {
      auto* inner = new QTabWidget(w);
      inner->setObjectName(QString("pc") + QString(p.name).mid(2));
      auto* layout = new QVBoxLayout(w);
      layout->setContentsMargins(4, 4, 4, 4);
      layout->addWidget(inner);
      AddTabs(inner, p.pages, int(tabs_.size()) - 1);
    }
  }
  // A page shown for the first time is built then.
  connect(owner, &QTabWidget::currentChanged, this, [this] {
    if (prepared_ && !preparing_) BuildTabs([this](int t) { return OnShow(tabs_[size_t(t)]); });
  });
}

int TMK_SetParamsDlg::TabIndex(QStringView name) const {
  for (size_t i = 0; i < tabs_.size(); ++i)
    if (name == QLatin1StringView(tabs_[i].page->name)) return int(i);
  return -1;
}

bool TMK_SetParamsDlg::OnShow(const PageTab& t) const {
  if (t.owner->currentWidget() != t.widget) return false;
  return t.parent < 0 || OnShow(tabs_[size_t(t.parent)]);
}

bool TMK_SetParamsDlg::Build(PageTab& t) {
  if (t.built) return false;
  t.built = true;
  // The page that holds this one may lay it out (the colour schemes do).
  bool ran = t.parent >= 0 && Build(tabs_[size_t(t.parent)]);
  const PageBuilder build = FindPageLayout(t.page->name);
  if (!build) return ran;
  build(t.widget, *binder_);
  // Widgets made on a page already on screen stay hidden until shown; the
  // controls a rule hides are hidden again when the page is refreshed.
  if (t.widget->isVisible())
    for (QWidget* w : t.widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (!w->testAttribute(Qt::WA_WState_ExplicitShowHide)) w->show();
  return true;
}

template <typename Pick>
void TMK_SetParamsDlg::BuildTabs(Pick pick) {
  bool ran = false;
  for (size_t i = 0; i < tabs_.size(); ++i)
    if (pick(int(i))) ran |= Build(tabs_[i]);
  // New controls show what the model holds and what the rules say, as the
  // show sequence left every other control; those already shown stay as
  // they are.
  if (ran && prepared_ && !preparing_) binder_->LoadLate();
}

QWidget* TMK_SetParamsDlg::Page(const QString& name) {
  const int i = TabIndex(name);
  if (i < 0) return nullptr;
  // The page and every page inside it (they follow it in tabs_).
  BuildTabs([&](int t) {
    for (int up = t; up >= 0; up = tabs_[size_t(up)].parent)
      if (up == i) return true;
    return false;
  });
  return tabs_[size_t(i)].widget;
}

bool TMK_SetParamsDlg::PageBuilt(const QString& name) const {
  const int i = TabIndex(name);
  return i >= 0 && tabs_[size_t(i)].built;
}

void TMK_SetParamsDlg::BuildAllPages() {
  BuildTabs([](int) { return true; });
}

void TMK_SetParamsDlg::PrepareShow() {
  preparing_ = true;
  const bool english = EnglishVersion();
  const VariantFlags& flags = session_.Context().Flags();
  setWindowTitle(Q(kCaption));
  ok_->setText(Q(kOk));
  cancel_->setText(Q(kCancel));
  search_->setPlaceholderText(Q(kSearchHint));
  for (const PageTab& t : tabs_) {
    const int i = t.owner->indexOf(t.widget);
    t.owner->setTabText(i, Q(t.page->caption, english));
    t.owner->setTabVisible(i, PageShown(*t.page, flags));
  }
  for (QTabWidget* pc : findChildren<QTabWidget*>()) pc->setCurrentIndex(0);
  pages_->setCurrentIndex(0);

  // The current protocol is the stored one; nothing is reset on show.
  EditorContext& ctx = session_.Context();
  ctx.catalog.SelectProtocol(int(ctx.mk.GetInt(kProtocolNumber)));
  binder_->SetEnglish(english);
  // Only the pages on screen are built now; the others when first shown.
  BuildTabs([this](int t) { return OnShow(tabs_[size_t(t)]); });
  preparing_ = false;
  prepared_ = true;
  binder_->RefreshStates();
  binder_->LoadControls();
}

void TMK_SetParamsDlg::showEvent(QShowEvent* event) {
  PrepareShow();
  CentreOnScreen(this, parentWidget());
  QDialog::showEvent(event);
  if (!pendingReveal_.isEmpty()) {
    const QString name = pendingReveal_;
    pendingReveal_.clear();
    // Once the window is on screen, so the focus and the mark land.
    QTimer::singleShot(0, this, [this, name] { RevealSetting(name); });
  }
}

bool TMK_SetParamsDlg::RevealSetting(const QString& name) {
  const std::string n = name.toStdString();
  const SettingDef* def = FindSetting(n);
  if (!def) return false;
  if (!ControlVisibility(session_.Context()).Visible(def->name)) return false;
  const int i = TabIndex(QString::fromLatin1(def->page));
  if (i < 0) return false;
  if (!prepared_ || !isVisible()) {
    // The show sequence puts every page control back to its first page.
    pendingReveal_ = name;
    return true;
  }
  std::vector<int> chain;
  for (int t = i; t >= 0; t = tabs_[size_t(t)].parent) chain.push_back(t);
  for (auto t = chain.rbegin(); t != chain.rend(); ++t)
    tabs_[size_t(*t)].owner->setCurrentWidget(tabs_[size_t(*t)].widget);
  QWidget* page = Page(QString::fromLatin1(def->page));
  QWidget* w = page ? ShowingWidget(*def, page) : nullptr;
  if (!w) return true;
  // The widget may lie on a sub-page the page's own layout made (the
  // layouts' display groups): bring every page control above it to it.
  for (QWidget* a = w; a && a != this; a = a->parentWidget())
    if (auto* stack = qobject_cast<QStackedWidget*>(a->parentWidget()))
      if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()))
        if (tabs->indexOf(a) >= 0) tabs->setCurrentWidget(a);
  if (!w->isVisible()) return true;
  w->setFocus(Qt::OtherFocusReason);
  mark_->setGeometry(QRect(w->mapTo(this, QPoint(0, 0)), w->size()).adjusted(-4, -4, 4, 4));
  mark_->raise();
  mark_->show();
  QTimer::singleShot(kMarkMs, mark_, &QWidget::hide);
  return true;
}

QWidget* TMK_SetParamsDlg::ShowingWidget(const SettingDef& def, QWidget* page) {
  const QString name = QString::fromLatin1(def.name);
  if (auto* w = page->findChild<QWidget*>(name)) return w;
  if (QWidget* w = binder_->ExistingControl(def.name)) return w;
  // A setting shown by a part: "x4.5.2" by the preview of x4 display 5,
  // "day.sgDigit.3" by the role table sgDigit (row 3, counted from 1),
  // "night.palette.7" by the palette table (row 7, counted from 0).
  const QStringList parts = name.split('.');
  if (parts.size() != 3) return nullptr;
  if (auto* w = page->findChild<QWidget*>("pb" + parts[0] + "_" + parts[1])) return w;
  // The colour tables show the scheme being edited: the one named, then.
  const int scheme = parts[0] == "day" ? 0 : parts[0] == "night" ? 1 : -1;
  if (scheme >= 0 && EditedScheme(session_.Context()) != scheme) {
    SetEditedScheme(session_.Context(), scheme);
    binder_->Reload();
  }
  const bool palette = parts[1] == "palette";
  auto* table = page->findChild<QTableWidget*>(palette ? QString("sgPalette") : parts[1]);
  if (!table) return nullptr;
  bool number = false;
  const int row = parts[2].toInt(&number) - (palette ? 0 : 1);
  if (number && row >= 0 && row < table->rowCount()) table->setCurrentCell(row, 0);
  return table;
}

void TMK_SetParamsDlg::UpdateSearch() {
  results_->clear();
  const QString text = search_->text().trimmed();
  if (text.isEmpty()) {
    results_->hide();
    return;
  }
  const EditorContext& ctx = session_.Context();
  const bool english = EnglishVersion();
  const auto hits = SearchSettings(ctx, ControlVisibility(ctx), text.toStdString());
  const size_t shown = std::min(hits.size(), size_t(kMaxResults));
  QStringList texts;
  for (size_t k = 0; k < shown; ++k)
    texts << QString::fromStdString(SearchResultText(ctx, *hits[k].def, english));
  for (size_t k = 0; k < shown; ++k) {
    const QString name = QString::fromLatin1(hits[k].def->name);
    // Settings alike in page, caption and value (a warning's first and
    // next announcement) are told apart by their names.
    const QString text = texts.count(texts[qsizetype(k)]) > 1
                             ? texts[qsizetype(k)] + "  [" + name + "]"
                             : texts[qsizetype(k)];
    auto* item = new QListWidgetItem(text, results_);
    item->setData(Qt::UserRole, name);
    item->setToolTip(name);
  }
  if (hits.empty()) {
    auto* item = new QListWidgetItem(Q(kNothingFound), results_);
    item->setFlags(Qt::NoItemFlags);
  } else {
    results_->setCurrentRow(0);
  }
  const int rowHeight = std::max(results_->sizeHintForRow(0), 16);
  const int h = std::min(results_->count(), kResultRows) * rowHeight + 2 * results_->frameWidth();
  results_->setGeometry(8, kPagesHeight + 4 - h, kResultsWidth, h);
  results_->raise();
  results_->show();
}

void TMK_SetParamsDlg::PickResult(int row) {
  QListWidgetItem* item = results_->item(row);
  if (!item || !(item->flags() & Qt::ItemIsEnabled)) return;
  const QString name = item->data(Qt::UserRole).toString();
  results_->hide();
  RevealSetting(name);
}

bool TMK_SetParamsDlg::UndoStore() {
  // The edit still in the focused field becomes the last step first.
  if (!binder_->CommitPending()) return false;
  const int protocol = int(session_.Model().GetInt(kProtocolNumber));
  if (!session_.Undo()) return false;
  ShowUndone(protocol);
  return true;
}

bool TMK_SetParamsDlg::RedoStore() {
  if (!binder_->CommitPending()) return false;
  const int protocol = int(session_.Model().GetInt(kProtocolNumber));
  if (!session_.Redo()) return false;
  ShowUndone(protocol);
  return true;
}

void TMK_SetParamsDlg::ShowUndone(int protocolBefore) {
  binder_->RefreshStates();
  binder_->LoadControls();
  if (int(session_.Model().GetInt(kProtocolNumber)) != protocolBefore) emit ProtocolChanged();
}

bool TMK_SetParamsDlg::eventFilter(QObject* watched, QEvent* event) {
  // Only keys meant for this window, not for a message box over it.
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType() || !isVisible() ||
      QApplication::activeModalWidget() != this)
    return QDialog::eventFilter(watched, event);
  auto* w = static_cast<QWidget*>(watched);
  if (w != this && !isAncestorOf(w)) return QDialog::eventFilter(watched, event);
  auto* k = static_cast<QKeyEvent*>(event);
  const auto mods = k->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
  if (k->key() == Qt::Key_Z && mods == Qt::ControlModifier) {
    UndoStore();
    return true;
  }
  if ((k->key() == Qt::Key_Z && mods == (Qt::ControlModifier | Qt::ShiftModifier)) ||
      k->matches(QKeySequence::Redo)) {
    RedoStore();
    return true;
  }
  const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
  if (w == search_) {
    if (enter) {  // never OK from the search field
      if (results_->isVisible()) PickResult(std::max(results_->currentRow(), 0));
      return true;
    }
    if ((k->key() == Qt::Key_Down || k->key() == Qt::Key_Up) && results_->isVisible()) {
      results_->setFocus(Qt::OtherFocusReason);
      if (results_->currentRow() < 0) results_->setCurrentRow(0);
      return true;
    }
    if (k->key() == Qt::Key_Escape && (results_->isVisible() || !search_->text().isEmpty())) {
      results_->hide();
      search_->clear();
      return true;
    }
  }
  if (w == results_ || results_->isAncestorOf(w)) {
    if (enter) {
      PickResult(results_->currentRow());
      return true;
    }
    if (k->key() == Qt::Key_Escape) {
      results_->hide();
      search_->setFocus(Qt::OtherFocusReason);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TMK_SetParamsDlg::accept() {
  // Moving the focus to the button lets the field being edited finish first.
  ok_->setFocus(Qt::OtherFocusReason);
  if (!binder_->CommitPending()) return;
  QDialog::accept();
}

}  // namespace tc
