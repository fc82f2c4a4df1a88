// SPDX-License-Identifier: GPL-3.0-or-later
// The registry of the pages' layouts, and the layout pieces every editor page
// is built from: the shared page layout of src/ui with the binder's controls
// and captions.
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include "editor/editor_page_builders.h"
#include "editor/settings_binder.h"
#include "ui/page_layout.h"

namespace tc {

namespace {
struct RegisteredLayout {
  const char* page;
  PageBuilder build;
};
// Filled by the layout files' constants before main; a function's static, so
// it exists whichever file starts first.
std::vector<RegisteredLayout>& Layouts() {
  static std::vector<RegisteredLayout> layouts;
  return layouts;
}
}  // namespace

PageLayout::PageLayout(const char* page, PageBuilder build) {
  Layouts().push_back({page, build});
}

PageBuilder FindPageLayout(std::string_view pageName) {
  for (const RegisteredLayout& l : Layouts())
    if (pageName == l.page) return l.build;
  return nullptr;
}

std::vector<std::string_view> RegisteredPageLayouts() {
  std::vector<std::string_view> names;
  for (const RegisteredLayout& l : Layouts()) names.emplace_back(l.page);
  return names;
}

QHBoxLayout* PageRow(QWidget* page) {
  return new TPageColumns(page);
}

QVBoxLayout* NewColumn(QHBoxLayout* row) {
  if (auto* columns = dynamic_cast<TPageColumns*>(row)) return columns->AddColumn();
  auto* column = new QVBoxLayout;
  row->addLayout(column, 1);
  return column;
}

QGroupBox* NewGroup(QWidget* parent, TSettingsBinder& binder, const TextPair& title,
                    QGridLayout** grid) {
  QGroupBox* group = NewPageGroup(parent, grid);
  binder.AddText(group, title);
  return group;
}

void AddSettings(QGridLayout* grid, TSettingsBinder& binder,
                 std::initializer_list<const char*> names, bool labelAbove) {
  for (const char* name : names) {
    QWidget* control = binder.Control(name);
    if (QLabel* label = binder.Label(name))
      AddCaptionedRow(grid, label, control, labelAbove);
    else
      AddWideRow(grid, control);
  }
}

}  // namespace tc
