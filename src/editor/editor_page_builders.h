#pragma once
// The functions that lay out the controls of each editor page. A page with
// no builder is shown with its caption and stays empty.
#include <string_view>

class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QVBoxLayout;
class QWidget;

namespace tc {

class TSettingsBinder;
struct TextPair;

using PageBuilder = void (*)(QWidget* page, TSettingsBinder& binder);
PageBuilder FindPageBuilder(std::string_view pageName);

void BuildCorrPage(QWidget* page, TSettingsBinder& binder);
void BuildMethPage(QWidget* page, TSettingsBinder& binder);
void BuildLimitsPage(QWidget* page, TSettingsBinder& binder);
void BuildVoicePage(QWidget* page, TSettingsBinder& binder);
void BuildAverPage(QWidget* page, TSettingsBinder& binder);
void BuildParkPage(QWidget* page, TSettingsBinder& binder);
void BuildDiversPage(QWidget* page, TSettingsBinder& binder);
void BuildTankPage(QWidget* page, TSettingsBinder& binder);
void BuildServicePage(QWidget* page, TSettingsBinder& binder);
void BuildUniMeasPage(QWidget* page, TSettingsBinder& binder);
// Display layouts, one builder per page that shows previews (layout_pages.cpp).
void BuildDisplays1Page(QWidget* page, TSettingsBinder& binder);
void BuildDisplays4aPage(QWidget* page, TSettingsBinder& binder);
void BuildDisplays4bPage(QWidget* page, TSettingsBinder& binder);
void BuildDisplays9Page(QWidget* page, TSettingsBinder& binder);
void BuildDisplays7aPage(QWidget* page, TSettingsBinder& binder);
void BuildDisplays7bPage(QWidget* page, TSettingsBinder& binder);
void BuildDisplays3Page(QWidget* page, TSettingsBinder& binder);
void BuildGraphDisplays1Page(QWidget* page, TSettingsBinder& binder);
void BuildGraphDisplays2Page(QWidget* page, TSettingsBinder& binder);
void BuildGraphDisplays3Page(QWidget* page, TSettingsBinder& binder);
void BuildArrowDisplays1Page(QWidget* page, TSettingsBinder& binder);
void BuildArrowDisplays2Page(QWidget* page, TSettingsBinder& binder);
void BuildArrowDisplays3Page(QWidget* page, TSettingsBinder& binder);
void BuildDisplays6Page(QWidget* page, TSettingsBinder& binder);
void BuildInfoPanelPage(QWidget* page, TSettingsBinder& binder);
// The colour schemes page with its sub-pages (colors_page.cpp).
void BuildColorsPage(QWidget* page, TSettingsBinder& binder);
void BuildHotMenuPage(QWidget* page, TSettingsBinder& binder);
void BuildBlocksPage(QWidget* page, TSettingsBinder& binder);

// Layout helpers shared by the pages.
// The page's row of columns.
QHBoxLayout* PageRow(QWidget* page);
// A column of group boxes, packed to the top.
QVBoxLayout* NewColumn(QHBoxLayout* row);
// A titled group box with a two-column grid (caption, control).
QGroupBox* NewGroup(QWidget* parent, TSettingsBinder& binder, const TextPair& title,
                    QGridLayout** grid);
// Appends the controls of the named settings to the grid: spin edits and
// combo boxes with their caption on the left (or above, with labelAbove),
// radio groups and check boxes across both columns.
void AddSettings(QGridLayout* grid, TSettingsBinder& binder,
                 std::initializer_list<const char*> names, bool labelAbove = false);

}  // namespace tc
