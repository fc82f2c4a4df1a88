// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/bindings.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "editor/settings_binder.h"
#include "editor_core/setting_value.h"
#include "ui/page_layout.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "util/conversions.h"

namespace tc {

bool TBinding::Store(const std::function<bool()>& write) {
  return binder_.Store(*this, write);
}

EditorContext& TBinding::Ctx() const {
  return binder_.Context();
}

QWidget* TBinding::Window() const {
  return binder_.Window();
}

void TBinding::Attach(QWidget* control, bool labelled) {
  control_ = control;
  control_->setObjectName(def_.name);
  if (!labelled) return;
  label_ = new QLabel(Window());
  label_->setObjectName(QString("l") + QString(def_.name).mid(2));
  label_->setBuddy(control_);
}

void TBinding::SetCaption(const QString& text) {
  if (label_) label_->setText(text);
}

namespace {

// A spin edit whose range also takes a stored value outside the control's
// limits (so that showing it changes nothing), while its arrows keep to the
// limits: from a value outside them either arrow goes to the nearest limit.
class TLimitedSpin : public QDoubleSpinBox {
 public:
  using QDoubleSpinBox::QDoubleSpinBox;
  void SetLimits(double low, double high) {
    low_ = low;
    high_ = high;
  }
  void stepBy(int steps) override {
    const double v = value();
    if (v < low_ - Slack())
      setValue(low_);
    else if (v > high_ + Slack())
      setValue(high_);
    else
      setValue(std::clamp(v + steps * singleStep(), low_, high_));
    selectAll();
  }

 protected:
  StepEnabled stepEnabled() const override {
    if (isReadOnly()) return StepNone;
    const double v = value();
    if (v < low_ - Slack() || v > high_ + Slack()) return StepUpEnabled | StepDownEnabled;
    StepEnabled e = StepNone;
    if (v < high_ - Slack()) e |= StepUpEnabled;
    if (v > low_ + Slack()) e |= StepDownEnabled;
    return e;
  }

 private:
  double Slack() const { return 0.5 * std::pow(10.0, -decimals()); }
  double low_ = 0, high_ = 0;
};

class TSpinBinding : public TBinding {
 public:
  TSpinBinding(TSettingsBinder& binder, const SettingDef& def) : TBinding(binder, def) {
    auto* spin = new TLimitedSpin(Window());
    spin->setDecimals(def.decimals);
    spin->setSingleStep(def.step);
    spin->setRange(def.min, def.max);
    spin->SetLimits(def.min, def.max);
    spin->setAccelerated(true);
    spin->setMinimumWidth(90);
    spin->setMaximumWidth(110);
    // Arrows only: the text is shown but cannot be typed over.
    if (!def.typing) spin->findChild<QLineEdit*>()->setReadOnly(true);
    QObject::connect(spin, &QDoubleSpinBox::editingFinished, &binder, [this] { Commit(); });
    if (def.storeOnChange)
      QObject::connect(spin, &QDoubleSpinBox::valueChanged, &binder,
                       [this](double v) { Store([&] { return SetNumber(Ctx(), def_, v); }); });
    Attach(spin, true);
  }
  void Load() override {
    const double v = GetNumber(Ctx(), def_);
    const Limits lim = SettingLimits(Ctx(), def_);
    // A stored value outside the limits is shown as it is, not clipped,
    // so that merely visiting the control never changes it.
    Spin()->SetLimits(lim.min, lim.max);
    Spin()->setMaximum(std::max(lim.max, v));
    Spin()->setMinimum(std::min(lim.min, v));
    if (std::fabs(Spin()->value() - v) > 1e-9) Spin()->setValue(v);
  }
  bool Commit() override {
    // Typed out, a number must lie within the limits even when the field
    // already holds it; a control merely left stays silent.
    QLineEdit* edit = Spin()->findChild<QLineEdit*>();
    const bool typed = edit && edit->isModified();
    if (edit) edit->setModified(false);
    return Store([&] {
      if (typed && !WithinLimits(Ctx(), def_, Spin()->value())) throw OutOfRange(Ctx(), def_);
      return SetNumber(Ctx(), def_, Spin()->value());
    });
  }

 private:
  TLimitedSpin* Spin() const { return static_cast<TLimitedSpin*>(control_); }
};

// Time, text and date fields: a line edit stored when left or on Enter.
class TEditBinding : public TBinding {
 public:
  TEditBinding(TSettingsBinder& binder, const SettingDef& def) : TBinding(binder, def) {
    auto* edit = new QLineEdit(Window());
    switch (def.kind) {
      case ControlKind::Time:
        // Hours may have one digit; the store refuses what is no time of day.
        edit->setInputMask("09:99;_");
        edit->setMaximumWidth(70);
        break;
      case ControlKind::Text:
        edit->setMaxLength(int(def.max));
        edit->setMinimumWidth(120);
        break;
      default: {
        // The points come by themselves, but any character may be typed:
        // a mistyped date is refused as typed, naming the form, rather than
        // losing the characters a digits-only mask would drop.
        edit->setInputMask("xx.xx.xx;_");
        edit->setMaximumWidth(100);
        QAction* pick = edit->addAction(edit->style()->standardIcon(QStyle::SP_ArrowDown),
                                        QLineEdit::TrailingPosition);
        pick->setObjectName(QString(def.name) + "_calendar");
        QObject::connect(pick, &QAction::triggered, &binder, [this] { PickDate(); });
        break;
      }
    }
    // A half-typed time does not finish editing, so leaving is watched too.
    edit->installEventFilter(&binder);
    QObject::connect(edit, &QLineEdit::returnPressed, &binder, [this] { StoreText(true); });
    Attach(edit, true);
  }
  void Load() override {
    std::string text;
    if (def_.kind == ControlKind::Time)
      text = GetTimeText(Ctx(), def_);
    else if (def_.kind == ControlKind::Text)
      text = GetTextValue(Ctx(), def_);
    else
      text = GetDateText(Ctx(), def_);
    Edit()->setText(QString::fromStdString(text));
    Edit()->setModified(false);
  }
  bool Commit() override { return StoreText(false); }
  void Left() override { StoreText(true); }

 private:
  QLineEdit* Edit() const { return static_cast<QLineEdit*>(control_); }

  // A time field stores what it shows when left or on Enter; text and date
  // fields only an edit, so leaving one never rewrites what it shows. On OK
  // every kind stores only an edit.
  bool StoreText(bool leaving) {
    const bool time = def_.kind == ControlKind::Time;
    if (!Edit()->isModified() && !(time && leaving)) return true;
    const std::string text = Edit()->text().toStdString();
    if (time) return Store([&] { return SetTimeText(Ctx(), def_, text); });
    if (def_.kind == ControlKind::Text)
      return Store([&] { return SetTextValue(Ctx(), def_, text); });
    return Store([&] { return SetDateText(Ctx(), def_, text); });
  }

  void PickDate() {
    const bool english = binder_.English();
    QDialog dialog(Window());
    dialog.setWindowTitle(Q({"Выбор даты", "Date selection"}, english));
    auto* calendar = new QCalendarWidget(&dialog);
    calendar->setObjectName("calendar");
    // Month and weekday names in the program's language, not the system's.
    calendar->setLocale(english ? QLocale(QLocale::English, QLocale::UnitedKingdom)
                                : QLocale(QLocale::Russian, QLocale::Russia));
    // Two-digit years count from 2000.
    calendar->setDateRange(QDate(2000, 1, 1), QDate(2099, 12, 31));
    const DayDate d = DayNumberToDate(uint16_t(ReadStored(Ctx(), def_) & 0xFFFF));
    const QDate shown(2000 + d.yearOffset, d.month, d.day);
    if (shown.isValid()) calendar->setSelectedDate(shown);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Cancel)->setText(Q({"Отмена", "Cancel"}, english));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(calendar, &QCalendarWidget::activated, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(calendar);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) return;
    Edit()->setText(calendar->selectedDate().toString("dd.MM.yy"));
    Edit()->setModified(true);
    StoreText(false);
  }
};

class TRadioBinding : public TBinding {
 public:
  TRadioBinding(TSettingsBinder& binder, const SettingDef& def) : TBinding(binder, def) {
    auto* radio = new TRadioGroup(Window());
    QObject::connect(radio, &TRadioGroup::Clicked, &binder,
                     [this](int i) { Store([&] { return SetIndex(Ctx(), def_, i); }); });
    Attach(radio, false);
  }
  void Load() override { Radio()->SetItemIndex(GetIndex(Ctx(), def_)); }
  void SetCaption(const QString& text) override { Radio()->setTitle(text); }
  void SetItems(const QStringList& texts, const std::vector<bool>& enabled) override {
    Radio()->SetItems(texts, enabled, def_.columns);
  }

 private:
  TRadioGroup* Radio() const { return static_cast<TRadioGroup*>(control_); }
};

class TComboBinding : public TBinding {
 public:
  TComboBinding(TSettingsBinder& binder, const SettingDef& def) : TBinding(binder, def) {
    auto* combo = new QComboBox(Window());
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(8);
    ConfigureCombo(combo);
    QObject::connect(combo, &QComboBox::activated, &binder, [this](int i) {
      if (binder_.Loading()) return;
      if (def_.storeOnLeave)
        pending_ = true;
      else
        Store([&] { return SetIndex(Ctx(), def_, i); });
    });
    if (def.storeOnLeave) combo->installEventFilter(&binder);
    Attach(combo, true);
  }
  void Load() override {
    Combo()->setCurrentIndex(GetIndex(Ctx(), def_));
    pending_ = false;
  }
  void SetItems(const QStringList& texts, const std::vector<bool>& enabled) override {
    QComboBox* combo = Combo();
    combo->clear();
    combo->addItems(texts);
    if (auto* model = qobject_cast<QStandardItemModel*>(combo->model()))
      for (int i = 0; i < int(enabled.size()); ++i) model->item(i)->setEnabled(enabled[size_t(i)]);
  }
  bool Commit() override {
    if (!pending_) return true;
    return Store([&] { return SetIndex(Ctx(), def_, Combo()->currentIndex()); });
  }
  void Left() override { Commit(); }
  void StoreStarts() override { pending_ = false; }

 private:
  QComboBox* Combo() const { return static_cast<QComboBox*>(control_); }
  // A choice made but not stored yet (store-on-leave combos).
  bool pending_ = false;
};

class TCheckBinding : public TBinding {
 public:
  TCheckBinding(TSettingsBinder& binder, const SettingDef& def) : TBinding(binder, def) {
    auto* check = new QCheckBox(Window());
    QObject::connect(check, &QCheckBox::clicked, &binder,
                     [this](bool on) { Store([&] { return SetCheck(Ctx(), def_, on); }); });
    Attach(check, false);
  }
  void Load() override { Check()->setChecked(GetCheck(Ctx(), def_)); }
  void SetCaption(const QString& text) override { Check()->setText(text); }

 private:
  QCheckBox* Check() const { return static_cast<QCheckBox*>(control_); }
};

}  // namespace

std::unique_ptr<TBinding> MakeBinding(TSettingsBinder& binder, const SettingDef& def) {
  switch (def.kind) {
    case ControlKind::Spin:
      return std::make_unique<TSpinBinding>(binder, def);
    case ControlKind::Time:
    case ControlKind::Text:
    case ControlKind::Date:
      return std::make_unique<TEditBinding>(binder, def);
    case ControlKind::Radio:
      return std::make_unique<TRadioBinding>(binder, def);
    case ControlKind::Combo:
      return std::make_unique<TComboBinding>(binder, def);
    case ControlKind::Check:
      return std::make_unique<TCheckBinding>(binder, def);
    default:
      throw std::logic_error(std::string(def.name) + " is shown by an editor part, not a control");
  }
}

}  // namespace tc
