// SPDX-License-Identifier: GPL-3.0-or-later
// The display layout pages: a row of previews at the device's resolution,
// each captioned with its display number, and the hint how to choose what a
// cell shows. Every rule (hit areas, pop-ups, stores) is in page_layouts.
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "editor/editor_page_builders.h"
#include "editor/preview_part.h"
#include "editor/settings_binder.h"

namespace tc {

namespace {

const TextPair kHint{
    "Для изменения отображаемого параметра щелкните ПРАВОЙ кнопкой мыши в нужной части "
    "соответствующего дисплея.",
    "To change the displayed parameter, RIGHT-click on the appropriate part of the "
    "corresponding display."};

// Display numbers as the display selection on "Разное" counts them.
const TextPair kDisplayCaptions[] = {
    {"Дисплей 1", "Display 1"}, {"Дисплей 2", "Display 2"}, {"Дисплей 3", "Display 3"},
    {"Дисплей 4", "Display 4"}, {"Дисплей 5", "Display 5"}, {"Дисплей 6", "Display 6"},
    {"Дисплей 7", "Display 7"}, {"Дисплей 8", "Display 8"},
};

void BuildLayoutPage(QWidget* page, TSettingsBinder& b, PreviewScreen screen, int first,
                     int count) {
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(8, 8, 8, 8);
  column->setSpacing(8);
  auto* row = new QGridLayout;
  row->setHorizontalSpacing(8);
  row->setVerticalSpacing(2);
  auto* part = new TPreviewPart(b, page);
  for (int i = 0; i < count; ++i) {
    const int display = first + i;
    auto* caption = new QLabel(page);
    b.AddText(caption, kDisplayCaptions[display]);
    row->addWidget(caption, 0, i);
    row->addWidget(part->AddView(screen, display), 1, i, Qt::AlignLeft | Qt::AlignTop);
  }
  row->setColumnStretch(count, 1);
  column->addLayout(row);
  auto* hint = new QLabel(page);
  hint->setObjectName("lLayoutHint");
  hint->setWordWrap(true);
  b.AddText(hint, kHint);
  column->addWidget(hint);
  column->addStretch(1);
}

}  // namespace

void BuildDisplays1Page(QWidget* p, TSettingsBinder& b) {
  BuildLayoutPage(p, b, PreviewScreen::X1, 0, 1);
}
void BuildDisplays4aPage(QWidget* p, TSettingsBinder& b) {
  BuildLayoutPage(p, b, PreviewScreen::X4, 0, 3);
}
void BuildDisplays4bPage(QWidget* p, TSettingsBinder& b) {
  BuildLayoutPage(p, b, PreviewScreen::X4, 3, 3);
}
void BuildDisplays9Page(QWidget* p, TSettingsBinder& b) {
  BuildLayoutPage(p, b, PreviewScreen::X9, 0, 3);
}
void BuildDisplays7aPage(QWidget* p, TSettingsBinder& b) {
  BuildLayoutPage(p, b, PreviewScreen::X7, 0, 2);
}
void BuildDisplays7bPage(QWidget* p, TSettingsBinder& b) {
  BuildLayoutPage(p, b, PreviewScreen::X7, 2, 2);
}
void BuildDisplays3Page(QWidget* p, TSettingsBinder& b) {
  BuildLayoutPage(p, b, PreviewScreen::X3, 0, 3);
}
void BuildGraphDisplays1Page(QWidget* p, TSettingsBinder& b) {
  BuildLayoutPage(p, b, PreviewScreen::Graph, 0, 3);
}
void BuildGraphDisplays2Page(QWidget* p, TSettingsBinder& b) {
  BuildLayoutPage(p, b, PreviewScreen::Graph, 3, 3);
}
void BuildGraphDisplays3Page(QWidget* p, TSettingsBinder& b) {
  BuildLayoutPage(p, b, PreviewScreen::Graph, 6, 2);
}
void BuildArrowDisplays1Page(QWidget* p, TSettingsBinder& b) {
  BuildLayoutPage(p, b, PreviewScreen::Arrow, 0, 3);
}
void BuildArrowDisplays2Page(QWidget* p, TSettingsBinder& b) {
  BuildLayoutPage(p, b, PreviewScreen::Arrow, 3, 3);
}
void BuildArrowDisplays3Page(QWidget* p, TSettingsBinder& b) {
  BuildLayoutPage(p, b, PreviewScreen::Arrow, 6, 2);
}
void BuildDisplays6Page(QWidget* p, TSettingsBinder& b) {
  BuildLayoutPage(p, b, PreviewScreen::X6, 0, 2);
}
void BuildInfoPanelPage(QWidget* p, TSettingsBinder& b) {
  BuildLayoutPage(p, b, PreviewScreen::Info, 0, 1);
}

const PageLayout kLayoutPages[] = {
    {"tsDisplays1", BuildDisplays1Page},           {"tsDisplays4a", BuildDisplays4aPage},
    {"tsDisplays4b", BuildDisplays4bPage},         {"tsDisplays9", BuildDisplays9Page},
    {"tsDisplays7a", BuildDisplays7aPage},         {"tsDisplays7b", BuildDisplays7bPage},
    {"tsDisplays3", BuildDisplays3Page},           {"tsGraphDisplays1", BuildGraphDisplays1Page},
    {"tsGraphDisplays2", BuildGraphDisplays2Page}, {"tsGraphDisplays3", BuildGraphDisplays3Page},
    {"tsArrowDisplays1", BuildArrowDisplays1Page}, {"tsArrowDisplays2", BuildArrowDisplays2Page},
    {"tsArrowDisplays3", BuildArrowDisplays3Page}, {"tsDisplays6", BuildDisplays6Page},
    {"tsInfoPanel", BuildInfoPanelPage},
};

}  // namespace tc
