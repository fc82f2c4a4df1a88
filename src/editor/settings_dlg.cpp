#include "editor/settings_dlg.h"

#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "catalog/variants.h"
#include "editor/editor_page_builders.h"
#include "editor/settings_binder.h"
#include "editor_core/edit_session.h"
#include "editor_core/editor_pages.h"
#include "editor_core/page_meth.h"
#include "model/tmk.h"
#include "ui/dialog_placement.h"
#include "ui/qt_text.h"
#include "util/text_pair.h"

namespace tc {

namespace {
const TextPair kCaption{"Настройки МК", "Device settings"};
const TextPair kOk{"OK", "OK"};
const TextPair kCancel{"Отмена", "Cancel"};

constexpr int kWidth = 1021;
constexpr int kHeight = 599;
constexpr int kPagesHeight = 561;
}  // namespace

TMK_SetParamsDlg::TMK_SetParamsDlg(TSettingsEditSession& session, QWidget* parent)
    : QDialog(parent),
      session_(session),
      binder_(new TSettingsBinder(session.Context(), this)),
      pages_(new QTabWidget(this)),
      ok_(new QPushButton(this)),
      cancel_(new QPushButton(this)) {
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
}

void TMK_SetParamsDlg::accept() {
  // Moving the focus to the button lets the field being edited finish first.
  ok_->setFocus(Qt::OtherFocusReason);
  if (!binder_->CommitPending()) return;
  QDialog::accept();
}

}  // namespace tc
