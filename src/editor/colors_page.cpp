// SPDX-License-Identifier: GPL-3.0-or-later
// The colour schemes page ("Цветовые схемы"): the palette of the scheme being
// edited with its red, green and blue spin edits on the left, the role tables
// and previews of the digital displays, the menu, the graphs and the arrow
// display on the sub-pages. Every store redraws the previews of the sub-page
// in view; the others are drawn when they come into view.
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "editor/editor_page_builders.h"
#include "editor/preview_part.h"
#include "editor/settings_binder.h"
#include "editor/table_part.h"
#include "editor_core/page_colors.h"
#include "model/preview_surface.h"
#include "ui/message_service.h"
#include "ui/radio_group.h"
#include "util/errors.h"

namespace tc {

namespace {

const TextPair kSelectRow{"Выберите нужную строку таблицы", "Select the desired table row"};
const TextPair kEditColour{"Редактировать цвет", "Edit color"};
const TextPair kSelectRole{"Для выбора цвета для редактирования выберите нужную строку таблицы",
                           "To select a color to edit, select the desired table row"};
const TextPair kScheme{"Цветовая схема", "Color scheme"};
const TextPair kInit{"Все в исх.состояние", "Initialize all"};
const TextPair kInitQuestion{"Привести все настройки цветовых схем в исходное состояние?",
                             "Initialize all the color scheme settings to their original state? "};
const TextPair kRed{"Красный", "Red"}, kGreen{"Зеленый", "Green"}, kBlue{"Синий", "Blue"};
const TextPair kColourRow{"Цвет #", "Color #"};

// The page that holds each role table, in the order of RoleTables().
const char* const kRolePages[] = {"tsColorDigital", "tsColorMenu", "tsColorGraph", "tsColorArrow"};

constexpr int kRowHeight = 15;

// A colour table: rows painted in their colours, the current row marked.
QTableWidget* NewTable(QWidget* parent, TSettingsBinder& b, const char* name,
                       std::unique_ptr<TRowModel> rows, int width) {
  auto* t = new QTableWidget(parent);
  b.AddPart(new TTablePart(b, t, name, std::move(rows),
                           {.rowHeight = kRowHeight,
                            .markCurrent = true,
                            .scroll = TableLook::Scroll::Never,
                            .fitHeight = true,
                            .width = width}));
  return t;
}

QSpinBox* NewSpin(QWidget* parent, const char* name, int max) {
  auto* s = new QSpinBox(parent);
  s->setObjectName(name);
  s->setRange(0, max);
  s->setMaximumWidth(70);
  return s;
}

class TColourPart : public QObject, public TEditorPart {
 public:
  TColourPart(QWidget* page, TSettingsBinder& b) : QObject(page), b_(b), ctx_(b.Context()) {
    StartEditingSchemes(ctx_);
    b.AddPart(this);
  }

  // The palette column beside the sub-pages.
  QWidget* BuildPalette(QWidget* page) {
    auto* column = new QWidget(page);
    auto* v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(4);
    palette_ = NewTable(column, b_, "sgPalette", std::make_unique<TPaletteRows>(ctx_), 150);
    v->addWidget(palette_);
    auto* hint = new QLabel(column);
    hint->setWordWrap(true);
    b_.AddText(hint, kSelectRow);
    v->addWidget(hint);

    auto* group = new QGroupBox(column);
    b_.AddText(group, kEditColour);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(8, 6, 8, 8);
    paletteRow_ = new QLabel(group);
    paletteRow_->setObjectName("lPaletteRow");
    grid->addWidget(paletteRow_, 0, 0, 1, 2);
    const TextPair* captions[] = {&kRed, &kGreen, &kBlue};
    const char* names[] = {"seR", "seG", "seB"};
    for (int i = 0; i < 3; ++i) {
      auto* l = new QLabel(group);
      b_.AddText(l, *captions[i]);
      rgb_[i] = NewSpin(group, names[i], 31);
      grid->addWidget(l, i + 1, 0);
      grid->addWidget(rgb_[i], i + 1, 1);
      connect(rgb_[i], &QSpinBox::valueChanged, this, [this] { StoreColour(); });
    }
    v->addWidget(group);

    scheme_ = new TRadioGroup(column);
    scheme_->setObjectName("rgCurrColorSchemeNum");
    b_.AddText(scheme_, kScheme);
    v->addWidget(scheme_);
    connect(scheme_, &TRadioGroup::Clicked, this, [this](int i) {
      SetEditedScheme(ctx_, i);
      b_.Reload();
    });

    auto* init = new QPushButton(column);
    init->setObjectName("bPaletteInit");
    b_.AddText(init, kInit);
    connect(init, &QPushButton::clicked, this, [this] { ResetAll(); });
    v->addWidget(init);
    v->addStretch(1);

    connect(palette_, &QTableWidget::currentCellChanged, this,
            [this](int row) { ShowPaletteRow(row); });
    palette_->setCurrentCell(0, 0);
    return column;
  }

  // The role table of table `t` with its caption and spin edit.
  QWidget* BuildRoles(QWidget* page, int t) {
    const RoleTable& table = RoleTables()[size_t(t)];
    Roles& r = roles_[t];
    auto* box = new QWidget(page);
    auto* h = new QHBoxLayout(box);
    h->setContentsMargins(0, 0, 0, 0);
    r.table = NewTable(box, b_, table.name, std::make_unique<TRoleRows>(ctx_, t), 250);
    h->addWidget(r.table, 0, Qt::AlignTop);
    auto* group = new QGroupBox(box);
    b_.AddText(group, kEditColour);
    auto* grid = new QGridLayout(group);
    auto* hint = new QLabel(group);
    hint->setWordWrap(true);
    hint->setMinimumWidth(160);
    b_.AddText(hint, kSelectRole);
    grid->addWidget(hint, 0, 0, 1, 2);
    r.caption = new QLabel(group);
    r.caption->setObjectName(QString("l") + QString(table.spin).mid(2));
    grid->addWidget(r.caption, 1, 0);
    r.spin = NewSpin(group, table.spin, kPaletteSize - 1);
    grid->addWidget(r.spin, 1, 1);
    h->addWidget(group, 0, Qt::AlignTop);
    h->addStretch(1);
    connect(r.table, &QTableWidget::currentCellChanged, this,
            [this, t](int row) { ShowRoleRow(t, row); });
    connect(r.spin, &QSpinBox::valueChanged, this, [this, t](int v) { StoreRole(t, v); });
    r.table->setCurrentCell(0, 0);
    return box;
  }

  void Load() override {
    filling_ = true;
    const bool en = b_.English();
    const int s = EditedScheme(ctx_);
    if (scheme_) {
      if (scheme_->Count() == 0 || scheme_->Items()[0] != QString::fromStdString(kDay.Get(en)))
        scheme_->SetItems(
            {QString::fromStdString(kDay.Get(en)), QString::fromStdString(kNight.Get(en))});
      scheme_->SetItemIndex(s);
    }
    if (palette_) ShowPaletteRow(palette_->currentRow());
    for (int t = 0; t < 4; ++t)
      if (roles_[t].table) ShowRoleRow(t, roles_[t].table->currentRow());
    filling_ = false;
  }

 private:
  struct Roles {
    QTableWidget* table = nullptr;
    QLabel* caption = nullptr;
    QSpinBox* spin = nullptr;
  };
  static constexpr TextPair kDay{"День", "Day"};
  static constexpr TextPair kNight{"Ночь", "Night"};

  QString RowCaption(int i) const {
    return QString::fromStdString(kColourRow.Get(b_.English())) + " " + QString::number(i);
  }

  void ShowPaletteRow(int row) {
    if (row < 0) return;
    const bool was = filling_;
    filling_ = true;
    const PaletteColour c = GetPaletteColour(ctx_, EditedScheme(ctx_), row);
    paletteRow_->setText(RowCaption(row));
    rgb_[0]->setValue(c.r);
    rgb_[1]->setValue(c.g);
    rgb_[2]->setValue(c.b);
    filling_ = was;
  }

  void ShowRoleRow(int t, int row) {
    Roles& r = roles_[t];
    const RoleTable& table = RoleTables()[size_t(t)];
    if (row < 0 || row >= int(table.rows.size())) return;
    const bool was = filling_;
    filling_ = true;
    r.caption->setText(QString::fromStdString(table.rows[size_t(row)].caption.Get(b_.English())));
    r.spin->setValue(GetRoleIndex(ctx_, EditedScheme(ctx_), table.rows[size_t(row)].role) & 0x0F);
    filling_ = was;
  }

  void StoreColour() {
    if (filling_ || b_.Loading() || palette_->currentRow() < 0) return;
    Store([&] {
      return SetPaletteColour(ctx_, EditedScheme(ctx_), palette_->currentRow(),
                              {rgb_[0]->value(), rgb_[1]->value(), rgb_[2]->value()});
    });
  }

  void StoreRole(int t, int value) {
    Roles& r = roles_[t];
    const RoleTable& table = RoleTables()[size_t(t)];
    const int row = r.table->currentRow();
    if (filling_ || b_.Loading() || row < 0 || row >= int(table.rows.size())) return;
    Store([&] {
      return SetRoleIndex(ctx_, EditedScheme(ctx_), table.rows[size_t(row)].role, value);
    });
  }

  template <typename F>
  void Store(F store) {
    try {
      if (store()) b_.Reload();
    } catch (const TripError& e) {
      ShowError(e.what(), palette_->window());
      b_.Reload();
    }
  }

  void ResetAll() {
    if (!AskYesNo(kInitQuestion.Get(b_.English()), palette_->window())) return;
    ResetColourSchemes(ctx_);
    b_.Reload();
  }

  TSettingsBinder& b_;
  EditorContext& ctx_;
  QTableWidget* palette_ = nullptr;
  QLabel* paletteRow_ = nullptr;
  QSpinBox* rgb_[3] = {};
  TRadioGroup* scheme_ = nullptr;
  Roles roles_[4];
  bool filling_ = false;
};

// A row of the previews of a colour sub-page.
QWidget* PreviewRow(QWidget* page, TSettingsBinder& b, const char* pageName) {
  auto* box = new QWidget(page);
  auto* h = new QHBoxLayout(box);
  h->setContentsMargins(0, 0, 0, 0);
  h->setSpacing(8);
  auto* part = new TPreviewPart(b, box);
  for (const ColourPreview& p : ColourPagePreviews(pageName))
    h->addWidget(part->AddView(p.screen, p.display, false), 0, Qt::AlignTop);
  h->addStretch(1);
  return box;
}

}  // namespace

void BuildColorsPage(QWidget* page, TSettingsBinder& b) {
  auto* part = new TColourPart(page, b);
  auto* outer = qobject_cast<QVBoxLayout*>(page->layout());
  auto* tabs = page->findChild<QTabWidget*>("pcColors", Qt::FindDirectChildrenOnly);
  if (!outer || !tabs) return;
  outer->removeWidget(tabs);
  auto* row = new QHBoxLayout;
  row->setSpacing(8);
  row->addWidget(part->BuildPalette(page), 0);
  row->addWidget(tabs, 1);
  outer->addLayout(row);

  // The digital displays: previews on the sub-pages, the role table below them.
  if (QWidget* digital = page->findChild<QWidget*>(kRolePages[0])) {
    for (const char* sub : {"tsColorX1X7", "tsColorX4X9", "tsColorX6X3"})
      if (QWidget* w = digital->findChild<QWidget*>(sub)) {
        auto* v = new QVBoxLayout(w);
        v->setContentsMargins(4, 4, 4, 4);
        v->addWidget(PreviewRow(w, b, sub));
        v->addStretch(1);
      }
    if (auto* v = qobject_cast<QVBoxLayout*>(digital->layout()))
      v->addWidget(part->BuildRoles(digital, 0));
  }
  // The menu, graphs and arrow display: the preview beside its role table.
  for (int t = 1; t < 4; ++t) {
    QWidget* w = page->findChild<QWidget*>(kRolePages[t]);
    if (!w) continue;
    auto* h = new QHBoxLayout(w);
    h->setContentsMargins(6, 6, 6, 6);
    h->setSpacing(8);
    h->addWidget(PreviewRow(w, b, kRolePages[t]), 0, Qt::AlignTop);
    h->addWidget(part->BuildRoles(w, t), 1, Qt::AlignTop);
  }
}

const PageLayout kColorsLayout("tsColors", BuildColorsPage);

}  // namespace tc
