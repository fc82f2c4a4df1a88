// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the Qt layout of an editor page joins its page: each layout file
// registers its builder against the page's name with one constant,
//
//   const PageLayout kCorrLayout("tsCorr", BuildCorrPage);
//
// and the window builds a page with it when the page is first shown. A page
// with no layout is shown with its caption and stays empty (or, like the
// colour sub-pages, is filled by the layout of the page that holds it).
// The shared layout helpers of the pages are declared here too.
#include <initializer_list>
#include <string_view>
#include <vector>

class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QVBoxLayout;
class QWidget;

namespace tc {

class TSettingsBinder;
struct TextPair;

using PageBuilder = void (*)(QWidget* page, TSettingsBinder& binder);

// Registers a layout while the program starts. Registration only records the
// name, so the order in which layout files start does not matter.
class PageLayout {
 public:
  PageLayout(const char* page, PageBuilder build);
};

// The layout registered for the page, or nullptr.
PageBuilder FindPageLayout(std::string_view pageName);
// Every registered page name, in registration order (a name twice if two
// layouts claim it), for the checks of the tests.
std::vector<std::string_view> RegisteredPageLayouts();

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
