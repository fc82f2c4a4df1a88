// SPDX-License-Identifier: GPL-3.0-or-later
// Layout of the hot menus page ("Горячие меню"): the four menu tables side
// by side under their captions, the hint and the status line.
#include <QGridLayout>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "editor/editor_page_builders.h"
#include "editor/hotmenu_part.h"
#include "editor/settings_binder.h"
#include "editor_core/page_hotmenu.h"

namespace tc {

namespace {
const TextPair kHint{
    "Для того, чтобы добавить или удалить пункт меню или очистить всю таблицу, щелкните ПРАВОЙ "
    "кнопкой мыши в соответствующей строке таблицы.\n\nДля того, чтобы поменять местами пункты "
    "меню, нажмите ЛЕВУЮ кнопку мыши на левой колонке нужного пункта,  потяните и отпустите в "
    "нужной строке таблицы.",
    "To add or remove a menu item or clear the entire table, RIGHT-click on the corresponding row "
    "of the table.\nTo swap the menu items, click the LEFT mouse button on the left column of the "
    "desired item, pull and release in the desired row of the table."};
}  // namespace

void BuildHotMenuPage(QWidget* page, TSettingsBinder& b) {
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(8, 8, 8, 8);
  column->setSpacing(10);
  auto* tables = new QGridLayout;
  tables->setHorizontalSpacing(12);
  tables->setVerticalSpacing(4);
  column->addLayout(tables);

  auto* status = new QLabel(page);
  status->setObjectName("lHotMenuStatus");
  status->setWordWrap(true);
  for (int m = 0; m < kHotMenuCount; ++m) {
    auto* caption = new QLabel(page);
    b.AddText(caption, HotMenuCaption(m));
    auto* table = new QTableWidget(page);
    table->setMinimumWidth(220);
    caption->setBuddy(table);
    tables->addWidget(caption, 0, m);
    tables->addWidget(table, 1, m);
    tables->setColumnStretch(m, 1);
    b.AddPart(new THotMenuPart(b, m, table, status));
  }

  auto* hint = new QLabel(page);
  hint->setObjectName("lHotMenuHint");
  hint->setWordWrap(true);
  b.AddText(hint, kHint);
  column->addWidget(hint);
  // What the last edit did beyond the obvious (an item pushed out of a full menu).
  QPalette pal = status->palette();
  pal.setColor(QPalette::WindowText, QColor(0xA0, 0x30, 0x00));
  status->setPalette(pal);
  column->addWidget(status);
  column->addStretch(1);
}

const PageLayout kHotMenuLayout("tsHotMenu", BuildHotMenuPage);

}  // namespace tc
