// SPDX-License-Identifier: GPL-3.0-or-later
// Layout of the sounds page ("Озвуч.сообщения"): the general sound settings,
// then the warnings as a table of rows with their "first" and "next" groups.
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QVBoxLayout>
#include <string>

#include "editor/editor_page_builders.h"
#include "editor/settings_binder.h"
#include "editor_core/page_voice.h"
#include "ui/radio_group.h"

namespace tc {

namespace {

// A group of five letters in a table cell: no frame, no title.
QWidget* Cell(TSettingsBinder& b, const std::string& name) {
  auto* group = static_cast<TRadioGroup*>(b.Control(name));
  group->setFlat(true);
  group->setStyleSheet("QGroupBox { border: none; margin: 0; padding: 0; }");
  if (QLayout* l = group->layout()) l->setContentsMargins(0, 0, 0, 0);
  return group;
}

void AddWarningRow(QGridLayout* grid, TSettingsBinder& b, const std::string& first,
                   const std::string& next) {
  const int row = grid->rowCount();
  grid->addWidget(b.RowCaption(first), row, 0);
  grid->addWidget(Cell(b, first), row, 1);
  if (next.empty()) return;
  b.HideCaption(next);
  grid->addWidget(Cell(b, next), row, 2);
}

}  // namespace

void BuildVoicePage(QWidget* page, TSettingsBinder& b) {
  QHBoxLayout* row = PageRow(page);
  QGridLayout* grid;

  QVBoxLayout* general = NewColumn(row);
  general->addWidget(NewGroup(page, b, {"Звук", "Sound"}, &grid));
  AddSettings(grid, b, {"seSoundVolume", "seSayEconomPeriod", "rgFlagSound", "rgSayHelloMode"});
  AddSettings(grid, b, {"seSayParamPeriod", "seAlarmVelSecNoSayMax"}, true);
  AddSettings(grid, b, {"cbSoundKeys", "cbSoundLock"});
  general->addStretch(1);

  QVBoxLayout* table = NewColumn(row);
  QGroupBox* group = NewGroup(page, b, {"Предупреждения", "Warnings"}, &grid);
  grid->setVerticalSpacing(0);
  table->addWidget(group);
  const TextPair headings[3] = {
      {"Предупреждение", "Warning"}, {"Первое", "First"}, {"Последующие", "Next"}};
  for (int c = 0; c < 3; ++c) {
    auto* l = new QLabel(group);
    b.AddText(l, headings[c]);
    grid->addWidget(l, 0, c);
  }
  for (int k = 0; k < kWarningCount; ++k) {
    const std::string n = std::to_string(k);
    AddWarningRow(grid, b, "rgWarnFirst_" + n, Warning(k).hasNext ? "rgWarnNext_" + n : "");
    if (k == kSharedWarning) AddWarningRow(grid, b, "rgWarnWaterFirst_17", "rgWarnNext_17");
  }
  grid->setColumnStretch(1, 0);
  grid->setColumnStretch(3, 1);
  table->addStretch(1);
  row->addStretch(1);
}

const PageLayout kVoiceLayout("tsVoice", BuildVoicePage);

}  // namespace tc
