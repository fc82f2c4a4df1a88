#include "editor/settings_binder.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QStyle>
#include <QVBoxLayout>
#include <cmath>
#include <stdexcept>

#include "editor_core/setting_value.h"
#include "editor_core/settings_schema.h"
#include "editor_core/visibility.h"
#include "ui/message_service.h"
#include "ui/page_layout.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "util/conversions.h"
#include "util/errors.h"

namespace tc {

struct TSettingsBinder::Binding {
  const SettingDef* def = nullptr;
  QWidget* control = nullptr;
  QLabel* label = nullptr;
  QLabel* rowCaption = nullptr;
  bool captionHidden = false;
  // A store-on-leave combo whose new choice is not stored yet.
  bool pending = false;
  // Items as last shown, so unchanged lists are not refilled.
  QStringList itemTexts;
  std::vector<bool> itemEnabled;

  QDoubleSpinBox* Spin() const { return static_cast<QDoubleSpinBox*>(control); }
  TRadioGroup* Radio() const { return static_cast<TRadioGroup*>(control); }
  QComboBox* Combo() const { return static_cast<QComboBox*>(control); }
  QCheckBox* Check() const { return static_cast<QCheckBox*>(control); }
  QLineEdit* Edit() const { return static_cast<QLineEdit*>(control); }
};

TSettingsBinder::TSettingsBinder(EditorContext& ctx, QWidget* window)
    : QObject(window), ctx_(ctx), window_(window) {}

TSettingsBinder::~TSettingsBinder() = default;

TSettingsBinder::Binding* TSettingsBinder::Find(std::string_view name) {
  for (auto& b : bindings_)
    if (name == b->def->name) return b.get();
  return nullptr;
}

QWidget* TSettingsBinder::Control(std::string_view name) {
  if (Binding* b = Find(name)) return b->control;
  const SettingDef* def = FindSetting(name);
  if (!def) throw std::logic_error("no setting named " + std::string(name));
  if (buildPage_) {
    buildPage_(def->page);
    if (Binding* b = Find(name)) return b->control;
  }
  return Create(*def).control;
}

QLabel* TSettingsBinder::Label(std::string_view name) {
  Control(name);
  return Find(name)->label;
}

QLabel* TSettingsBinder::RowCaption(std::string_view name) {
  Control(name);
  Binding* b = Find(name);
  if (!b->rowCaption) {
    b->rowCaption = new QLabel(window_);
    b->rowCaption->setObjectName(QString("l") + QString(b->def->name).mid(2));
  }
  return b->rowCaption;
}

void TSettingsBinder::HideCaption(std::string_view name) {
  Control(name);
  Find(name)->captionHidden = true;
}

void TSettingsBinder::AddPart(TEditorPart* part) {
  parts_.push_back(part);
}

void TSettingsBinder::Reload() {
  if (loading_) return;
  RefreshStates();
  LoadControls();
}

TSettingsBinder::Binding& TSettingsBinder::Create(const SettingDef& def) {
  auto owned = std::make_unique<Binding>();
  Binding& b = *owned;
  b.def = &def;
  switch (def.kind) {
    case ControlKind::Spin: {
      auto* spin = new QDoubleSpinBox(window_);
      spin->setDecimals(def.decimals);
      spin->setSingleStep(def.step);
      spin->setRange(def.min, def.max);
      spin->setAccelerated(true);
      spin->setMinimumWidth(90);
      spin->setMaximumWidth(110);
      // Arrows only: the text is shown but cannot be typed over.
      if (!def.typing) spin->findChild<QLineEdit*>()->setReadOnly(true);
      connect(spin, &QDoubleSpinBox::editingFinished, this,
              [this, &b] { Store(b, [&] { return SetNumber(ctx_, *b.def, b.Spin()->value()); }); });
      if (def.storeOnChange)
        connect(spin, &QDoubleSpinBox::valueChanged, this,
                [this, &b](double v) { Store(b, [&] { return SetNumber(ctx_, *b.def, v); }); });
      b.control = spin;
      break;
    }
    case ControlKind::Time: {
      auto* edit = new QLineEdit(window_);
      // Hours may have one digit; the store refuses what is no time of day.
      edit->setInputMask("09:99;_");
      edit->setMaximumWidth(70);
      // A half-typed time does not finish editing, so leaving is watched too.
      edit->installEventFilter(this);
      connect(edit, &QLineEdit::returnPressed, this, [this, &b] {
        Store(b, [&] { return SetTimeText(ctx_, *b.def, b.Edit()->text().toStdString()); });
      });
      b.control = edit;
      break;
    }
    case ControlKind::Text:
    case ControlKind::Date: {
      auto* edit = new QLineEdit(window_);
      if (def.kind == ControlKind::Text) {
        edit->setMaxLength(int(def.max));
        edit->setMinimumWidth(120);
      } else {
        edit->setInputMask("00.00.00;_");
        edit->setMaximumWidth(100);
        QAction* pick = edit->addAction(edit->style()->standardIcon(QStyle::SP_ArrowDown),
                                        QLineEdit::TrailingPosition);
        pick->setObjectName(QString(def.name) + "_calendar");
        connect(pick, &QAction::triggered, this, [this, &b] { PickDate(b); });
      }
      // Stored when left or on Enter, like a time field.
      edit->installEventFilter(this);
      connect(edit, &QLineEdit::returnPressed, this, [this, &b] { StoreEdit(b); });
      b.control = edit;
      break;
    }
    case ControlKind::Radio: {
      auto* radio = new TRadioGroup(window_);
      connect(radio, &TRadioGroup::Clicked, this,
              [this, &b](int i) { Store(b, [&] { return SetIndex(ctx_, *b.def, i); }); });
      b.control = radio;
      break;
    }
    case ControlKind::Combo: {
      auto* combo = new QComboBox(window_);
      combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
      combo->setMinimumContentsLength(8);
      ConfigureCombo(combo);
      connect(combo, &QComboBox::activated, this, [this, &b](int i) {
        if (loading_) return;
        if (b.def->storeOnLeave)
          b.pending = true;
        else
          Store(b, [&] { return SetIndex(ctx_, *b.def, i); });
      });
      if (def.storeOnLeave) combo->installEventFilter(this);
      b.control = combo;
      break;
    }
    case ControlKind::Check: {
      auto* check = new QCheckBox(window_);
      connect(check, &QCheckBox::clicked, this,
              [this, &b](bool on) { Store(b, [&] { return SetCheck(ctx_, *b.def, on); }); });
      b.control = check;
      break;
    }
    default:
      throw std::logic_error(std::string(def.name) + " is shown by an editor part, not a control");
  }
  b.control->setObjectName(def.name);
  if (def.kind == ControlKind::Spin || def.kind == ControlKind::Combo ||
      def.kind == ControlKind::Time || def.kind == ControlKind::Text ||
      def.kind == ControlKind::Date) {
    b.label = new QLabel(window_);
    b.label->setObjectName(QString("l") + QString(def.name).mid(2));
    b.label->setBuddy(b.control);
  }
  bindings_.push_back(std::move(owned));
  return b;
}

bool TSettingsBinder::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut &&
      static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
    for (auto& b : bindings_) {
      if (b->control != watched) continue;
      if (b->def->kind == ControlKind::Time)
        Store(*b, [&] { return SetTimeText(ctx_, *b->def, b->Edit()->text().toStdString()); });
      else if (b->def->kind == ControlKind::Text || b->def->kind == ControlKind::Date)
        StoreEdit(*b);
      else if (b->pending)
        Store(*b, [&] { return SetIndex(ctx_, *b->def, b->Combo()->currentIndex()); });
    }
  }
  return QObject::eventFilter(watched, event);
}

template <typename Write>
bool TSettingsBinder::Store(Binding& b, Write write) {
  if (loading_ || storing_) return true;
  storing_ = true;
  b.pending = false;
  bool stored = false;
  try {
    stored = write();
  } catch (const TripError& e) {
    // The field keeps its value; show that value again before the message
    // takes the focus away.
    loading_ = true;
    LoadOne(b);
    loading_ = false;
    storing_ = false;
    ShowError(e.what(), window_);
    return false;
  }
  if (stored) {
    // Rules may have changed other fields, items or visibility.
    RefreshStates();
    LoadControls();
    emit Stored(*b.def);
  } else {
    // Nothing stored (no change, or a rule that stores nothing now): the
    // control shows what the field holds.
    loading_ = true;
    LoadOne(b);
    loading_ = false;
  }
  storing_ = false;
  return true;
}

bool TSettingsBinder::StoreEdit(Binding& b) {
  // Only an edit is stored: leaving a field never rewrites what it shows.
  if (!b.Edit()->isModified()) return true;
  const std::string text = b.Edit()->text().toStdString();
  if (b.def->kind == ControlKind::Text)
    return Store(b, [&] { return SetTextValue(ctx_, *b.def, text); });
  return Store(b, [&] { return SetDateText(ctx_, *b.def, text); });
}

void TSettingsBinder::PickDate(Binding& b) {
  QDialog dialog(window_);
  dialog.setWindowTitle(Q({"Выбор даты", "Date selection"}, english_));
  auto* calendar = new QCalendarWidget(&dialog);
  calendar->setObjectName("calendar");
  // Two-digit years count from 2000.
  calendar->setDateRange(QDate(2000, 1, 1), QDate(2099, 12, 31));
  const DayDate d = DayNumberToDate(uint16_t(ReadStored(ctx_, *b.def) & 0xFFFF));
  const QDate shown(2000 + d.yearOffset, d.month, d.day);
  if (shown.isValid()) calendar->setSelectedDate(shown);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  connect(calendar, &QCalendarWidget::activated, &dialog, &QDialog::accept);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(calendar);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return;
  b.Edit()->setText(calendar->selectedDate().toString("dd.MM.yy"));
  b.Edit()->setModified(true);
  StoreEdit(b);
}

bool TSettingsBinder::CommitPending() {
  bool ok = true;
  for (auto& b : bindings_) {
    if (b->def->kind == ControlKind::Spin)
      ok &= Store(*b, [&] { return SetNumber(ctx_, *b->def, b->Spin()->value()); });
    else if (b->def->kind == ControlKind::Time && b->Edit()->isModified())
      ok &= Store(*b, [&] { return SetTimeText(ctx_, *b->def, b->Edit()->text().toStdString()); });
    else if (b->def->kind == ControlKind::Text || b->def->kind == ControlKind::Date)
      ok &= StoreEdit(*b);
    else if (b->pending)
      ok &= Store(*b, [&] { return SetIndex(ctx_, *b->def, b->Combo()->currentIndex()); });
  }
  for (TEditorPart* p : parts_) ok &= p->Commit();
  return ok;
}

void TSettingsBinder::LoadOne(Binding& b) {
  const SettingDef& d = *b.def;
  switch (d.kind) {
    case ControlKind::Spin: {
      const double v = GetNumber(ctx_, d);
      const Limits lim = SettingLimits(ctx_, d);
      // A stored value outside the limits is shown as it is, not clipped,
      // so that merely visiting the control never changes it.
      b.Spin()->setMaximum(std::max(lim.max, v));
      b.Spin()->setMinimum(std::min(lim.min, v));
      if (std::fabs(b.Spin()->value() - v) > 1e-9) b.Spin()->setValue(v);
      break;
    }
    case ControlKind::Radio:
      b.Radio()->SetItemIndex(GetIndex(ctx_, d));
      break;
    case ControlKind::Combo:
      b.Combo()->setCurrentIndex(GetIndex(ctx_, d));
      b.pending = false;
      break;
    case ControlKind::Check:
      b.Check()->setChecked(GetCheck(ctx_, d));
      break;
    case ControlKind::Time:
      b.Edit()->setText(QString::fromStdString(GetTimeText(ctx_, d)));
      b.Edit()->setModified(false);
      break;
    case ControlKind::Text:
      b.Edit()->setText(QString::fromStdString(GetTextValue(ctx_, d)));
      b.Edit()->setModified(false);
      break;
    case ControlKind::Date:
      b.Edit()->setText(QString::fromStdString(GetDateText(ctx_, d)));
      b.Edit()->setModified(false);
      break;
    default:
      break;
  }
}

void TSettingsBinder::LoadControls() {
  const bool was = loading_;
  loading_ = true;
  for (auto& b : bindings_) LoadOne(*b);
  for (TEditorPart* p : parts_) p->Load();
  loading_ = was;
}

void TSettingsBinder::RefreshOne(Binding& b, bool visible) {
  const SettingDef& d = *b.def;
  const QString caption = Q(SettingLabel(ctx_, d), english_);
  if (b.rowCaption) {
    b.rowCaption->setText(caption);
    b.rowCaption->setVisible(visible);
  } else if (!b.captionHidden) {
    switch (d.kind) {
      case ControlKind::Radio:
        b.Radio()->setTitle(caption);
        break;
      case ControlKind::Check:
        b.Check()->setText(caption);
        break;
      default:
        b.label->setText(caption);
        break;
    }
  }
  if (d.IsChoice()) {
    QStringList texts;
    std::vector<bool> enabled;
    for (const SettingItem& i : SettingItems(ctx_, d)) {
      texts << Q(i.text, english_);
      enabled.push_back(i.enabled);
    }
    if (texts != b.itemTexts || enabled != b.itemEnabled) {
      b.itemTexts = texts;
      b.itemEnabled = enabled;
      if (d.kind == ControlKind::Radio) {
        b.Radio()->SetItems(texts, enabled, d.columns);
      } else {
        QComboBox* combo = b.Combo();
        combo->clear();
        combo->addItems(texts);
        if (auto* model = qobject_cast<QStandardItemModel*>(combo->model()))
          for (int i = 0; i < int(enabled.size()); ++i)
            model->item(i)->setEnabled(enabled[size_t(i)]);
      }
      LoadOne(b);
    }
  }
  b.control->setVisible(visible);
  if (b.label) b.label->setVisible(visible);
}

void TSettingsBinder::AddText(QWidget* widget, TextPair text) {
  texts_.emplace_back(widget, text);
}

void TSettingsBinder::RefreshStates() {
  const bool was = loading_;
  loading_ = true;
  for (const auto& [w, t] : texts_) {
    if (auto* g = qobject_cast<QGroupBox*>(w))
      g->setTitle(Q(t, english_));
    else if (auto* l = qobject_cast<QLabel*>(w))
      l->setText(Q(t, english_));
    else if (auto* a = qobject_cast<QAbstractButton*>(w))
      a->setText(Q(t, english_));
  }
  const Visibility v = ControlVisibility(ctx_);
  for (auto& b : bindings_) RefreshOne(*b, v.Visible(b->def->name));
  for (TEditorPart* p : parts_) p->Refresh(v);
  // A group of the page whose every control is hidden is hidden with them.
  for (const auto& [w, t] : texts_) {
    auto* g = qobject_cast<QGroupBox*>(w);
    if (!g) continue;
    int bound = 0, shown = 0;
    for (auto& b : bindings_) {
      if (!g->isAncestorOf(b->control)) continue;
      ++bound;
      shown += v.Visible(b->def->name) ? 1 : 0;
    }
    if (bound) g->setVisible(shown > 0);
  }
  loading_ = was;
}

}  // namespace tc
