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

  BuildPages(pages_, EditorPages());
}

TMK_SetParamsDlg::~TMK_SetParamsDlg() = default;

void TMK_SetParamsDlg::BuildPages(QTabWidget* owner, const std::vector<EditorPage>& pages) {
  for (const EditorPage& p : pages) {
    auto* w = new QWidget(owner);
    w->setObjectName(p.name);
    owner->addTab(w, QString());
    tabs_.push_back({&p, owner, w});
    if (!p.pages.empty()) {
      auto* inner = new QTabWidget(w);
      inner->setObjectName(QString("pc") + QString(p.name).mid(2));
      auto* layout = new QVBoxLayout(w);
      layout->setContentsMargins(4, 4, 4, 4);
      layout->addWidget(inner);
      BuildPages(inner, p.pages);
    }
    if (const PageBuilder build = FindPageBuilder(p.name)) build(w, *binder_);
  }
}

QWidget* TMK_SetParamsDlg::Page(const QString& name) const {
  for (const PageTab& t : tabs_)
    if (t.widget->objectName() == name) return t.widget;
  return nullptr;
}

void TMK_SetParamsDlg::PrepareShow() {
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
