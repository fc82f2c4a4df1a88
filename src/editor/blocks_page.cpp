// SPDX-License-Identifier: GPL-3.0-or-later
// Layout of the additional systems page ("Допсистемы"): the list of every
// system with its mark, the selected systems, the hint and the two
// "Показывать" groups.
#include <QHBoxLayout>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "editor/blocks_part.h"
#include "editor/editor_page_builders.h"
#include "editor/settings_binder.h"

namespace tc {

namespace {
const TextPair kHint{
    "Двойной щелчок в левой \nтаблице меняет выбор\n\nДвойной щелчок в правой \nтаблице "
    "отменяет выбор",
    "Double-click in the left table changes the selection\nDouble-click in the right table "
    "cancels the selection"};
}  // namespace

void BuildBlocksPage(QWidget* page, TSettingsBinder& b) {
  QHBoxLayout* row = PageRow(page);
  auto* all = new QTableWidget(page);
  all->setMinimumWidth(330);
  row->addWidget(all, 3);
  auto* used = new QTableWidget(page);
  used->setMinimumWidth(280);
  row->addWidget(used, 2);
  b.AddPart(new TBlocksPart(b, page, all, used));

  auto* side = new QVBoxLayout;
  side->setSpacing(10);
  row->addLayout(side, 2);
  auto* hint = new QLabel(page);
  hint->setObjectName("lBlocksHint");
  hint->setWordWrap(true);
  b.AddText(hint, kHint);
  side->addWidget(hint);
  side->addWidget(b.Control("rgBlocksShow"));
  side->addWidget(b.Control("rgBlocksShowList"));
  side->addStretch(1);
}

const PageLayout kBlocksLayout("tsBlocks", BuildBlocksPage);

}  // namespace tc
