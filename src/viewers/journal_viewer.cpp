// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewers/journal_viewer.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "model/fault_journal.h"
#include "model/tmk.h"
#include "ui/dialog_placement.h"
#include "ui/message_service.h"
#include "ui/qt_text.h"
#include "util/errors.h"
#include "util/fixed_text.h"
#include "util/text_pair.h"
#include "viewers/text_grid.h"

namespace tc {
namespace {

constexpr int kClientWidth = 1016;
constexpr int kClientHeight = 523;
constexpr int kTabsHeight = 489;

// The window's own buttons read the same in both languages.
const TextPair kOk{"OK", "OK"};
const TextPair kCancel{"Отмена", "Cancel"};
const TextPair kExportFilter{"Текстовые файлы (*.txt);;Все файлы (*)",
                             "Text files (*.txt);;All files (*)"};
const char* const kExportSuffix = "txt";

// Runs one action of the window; an error is shown and the window stays.
template <class F>
void Guarded(QWidget* w, F&& action) {
  try {
    action();
  } catch (const TripError& e) {
    ShowError(e.what(), w);
  }
}

TextGrid::Shape JournalShape() {
  TextGrid::Shape s;
  s.rows = kJournalTableRows;
  s.columnWidths = {50, 140, 96, 84, 131, 156, 145, 113, 78};
  s.rowHeight = 18;
  s.headerRow = true;
  s.headerColumn = true;
  s.alignments.assign(s.columnWidths.size(), Qt::AlignRight);
  return s;
}

TextGrid::Shape SumShape() {
  TextGrid::Shape s;
  s.rows = 6;
  s.columnWidths = {147, 116};
  s.rowHeight = 20;
  s.alignments = {Qt::AlignLeft, Qt::AlignRight};
  return s;
}

TextGrid::Shape FaultListShape() {
  TextGrid::Shape s;
  s.rows = kFaultListRows;
  s.columnWidths = {50, 140, 231};
  s.rowHeight = 19;
  s.headerRow = true;
  s.headerColumn = true;
  return s;
}

TextGrid::Shape StoredDataShape() {
  TextGrid::Shape s;
  s.rows = int(kStoredItems.size());
  s.columnWidths = {380, 144};
  s.rowHeight = 18;
  s.alignments = {Qt::AlignLeft, Qt::AlignRight};
  return s;
}

// A table whose size is its whole content shows no scroll bars.
void FitWithoutScrollBars(TextGrid* g) {
  g->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  g->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

}  // namespace

TMK_ViewJournalsDlg::TMK_ViewJournalsDlg(TMK& mk, int codeKind, const QString& exportFolder,
                                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      mk_(mk),
      codeKind_(codeKind),
      fmt_{EnglishVersion(), UserDecimalSeparator()},
      exportDialog_(FileDialogRequest::Kind::Save, Q(kExportFilter), kExportSuffix) {
  setObjectName("MK_ViewJournalsDlg");
  setModal(true);
  setFixedSize(kClientWidth, kClientHeight);
  QFont f = font();
  f.setPixelSize(11);
  setFont(f);
  BuildControls();
  ApplyLanguage();

  PageControl->setCurrentIndex(0);
  exportDialog_.SetInitialFolder(exportFolder);
  FillJournal(Journal::Trips);
  FillJournal(Journal::Refuels);
  FillFaults();
  for (int s = 0; s < kSumCount; ++s) FillSum(s);
}

void TMK_ViewJournalsDlg::BuildControls() {
  PageControl = new QTabWidget(this);
  PageControl->setObjectName("PageControl");
  PageControl->setGeometry(0, 0, kClientWidth, kTabsHeight);
  auto page = [&](const char* name) {
    auto* w = new QWidget;
    w->setObjectName(name);
    PageControl->addTab(w, QString());
    return w;
  };
  auto button = [](QWidget* parent, const char* name, int x, int y, int w) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setGeometry(x, y, w, 25);
    b->setAutoDefault(false);
    return b;
  };
  tsTrip = page("tsTrip");
  tsRefuel = page("tsRefuel");
  tsAverage = page("tsAverage");
  tsFaults = page("tsFaults");

  // Journal tabs: the table, then Clear and Save to file at the right.
  auto journalTab = [&](QWidget* ts, const char* grid, const char* clear, const char* save,
                        TextGrid*& g, QPushButton*& bClear, QPushButton*& bSave) {
    g = new TextGrid(JournalShape(), ts);
    g->setObjectName(grid);
    g->setGeometry(2, 2, 1008, 425);
    bClear = button(ts, clear, 754, 432, 124);
    bSave = button(ts, save, 886, 432, 124);
  };
  journalTab(tsTrip, "sgTrip", "bClearTrip", "bSaveTrip", sgTrip, bClearTrip, bSaveTrip);
  journalTab(tsRefuel, "sgRefuel", "bClearRefuel", "bSaveRefuel", sgRefuel, bClearRefuel,
             bSaveRefuel);
  connect(bClearTrip, &QPushButton::clicked, this, [this] { ClearJournal(Journal::Trips); });
  connect(bClearRefuel, &QPushButton::clicked, this, [this] { ClearJournal(Journal::Refuels); });
  connect(bSaveTrip, &QPushButton::clicked, this, [this] { SaveJournal(Journal::Trips); });
  connect(bSaveRefuel, &QPushButton::clicked, this, [this] { SaveJournal(Journal::Refuels); });

  // Sums: three columns of captioned tables, in the order of kSums.
  constexpr int kColumnX[3] = {16, 370, 724};
  constexpr int kRowY[3] = {4, 157, 310};
  for (int s = 0; s < kSumCount; ++s) {
    const int x = kColumnX[s / 3];
    const int y = kRowY[s % 3];
    lSum[s] = new QLabel(tsAverage);
    lSum[s]->setObjectName(QString("lSum%1").arg(s));
    lSum[s]->setGeometry(x, y, 273, 16);
    sgSum[s] = new TextGrid(SumShape(), tsAverage);
    sgSum[s]->setObjectName(QString("sgSum%1").arg(s));
    sgSum[s]->setGeometry(x, y + 16, 273, 131);
    FitWithoutScrollBars(sgSum[s]);
    connect(sgSum[s], &TextGrid::gridDoubleClicked, this, [this, s] { ResetSumTable(s); });
  }
  lResetNote = new QLabel(tsAverage);
  lResetNote->setObjectName("lResetNote");
  lResetNote->setGeometry(kColumnX[2], kRowY[2], 273, 60);
  lResetNote->setWordWrap(true);
  lResetNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  // Faults: the fault list with Clear under it, the stored data at the right.
  sgFaults = new TextGrid(FaultListShape(), tsFaults);
  sgFaults->setObjectName("sgFaults");
  sgFaults->setGeometry(2, 2, 449, 409);
  sgFaults->setSelectionBehavior(QAbstractItemView::SelectRows);
  FitWithoutScrollBars(sgFaults);
  bClearFaults = button(tsFaults, "bClearFaults", 327, 416, 124);
  sgStoredData = new TextGrid(StoredDataShape(), tsFaults);
  sgStoredData->setObjectName("sgStoredData");
  sgStoredData->setGeometry(456, 0, 552, 461);
  sgStoredData->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(sgFaults, &QTableWidget::currentCellChanged, this, [this] { FillStoredData(); });
  connect(sgFaults, &QTableWidget::cellClicked, this, [this] { FillStoredData(); });
  connect(bClearFaults, &QPushButton::clicked, this, [this] { ClearFaults(); });

  bOK = button(this, "bOK", 848, 494, 75);
  bCancel = button(this, "bCancel", 932, 494, 75);
  connect(bOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(bCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TMK_ViewJournalsDlg::showEvent(QShowEvent* e) {
  // Centred on the screen, not on the main window.
  CentreOnScreen(this, parentWidget());
  QDialog::showEvent(e);
}

void TMK_ViewJournalsDlg::ApplyLanguage() {
  setWindowTitle(Q(kJournalViewerTitle));
  PageControl->setTabText(0, Q(kTripLogTab));
  PageControl->setTabText(1, Q(kPetrolLogTab));
  PageControl->setTabText(2, Q(kAverageTab));
  PageControl->setTabText(3, Q(kFaultsLogTab));
  for (QPushButton* b : {bClearTrip, bClearRefuel, bClearFaults}) b->setText(Q(kClearButton));
  for (QPushButton* b : {bSaveTrip, bSaveRefuel}) b->setText(Q(kSaveToFileButton));
  for (int s = 0; s < kSumCount; ++s) lSum[s]->setText(Q(kSums[s].caption));
  lResetNote->setText(Q(kSumResetNote));
  bOK->setText(Q(kOk));
  bCancel->setText(Q(kCancel));
}

// --- Filling ----------------------------------------------------------------------

void TMK_ViewJournalsDlg::FillJournal(Journal j) {
  // Empty records come with "Empty" in the date cell and nothing in the
  // value cells, so writing every cell also clears what a reset removed.
  JournalGrid(j)->SetRows(JournalTable(mk_, j, fmt_));
}

void TMK_ViewJournalsDlg::FillSum(int sum) {
  sgSum[sum]->SetRows(SumTable(mk_, sum, fmt_));
}

void TMK_ViewJournalsDlg::FillFaults() {
  sgFaults->SetRows(FaultListTable(mk_, codeKind_, fmt_));
  // Selecting the first record shows its stored data; the signal does not
  // come when that row was already current.
  sgFaults->setCurrentCell(1, 1);
  FillStoredData();
}

void TMK_ViewJournalsDlg::FillStoredData() {
  sgStoredData->ClearCells();
  const TextTable rows = StoredDataTable(mk_, sgFaults->currentRow(), fmt_);
  if (rows.empty()) return;
  sgStoredData->SetRowCount(int(rows.size()));
  sgStoredData->SetRows(rows);
}

// --- Actions ----------------------------------------------------------------------

void TMK_ViewJournalsDlg::ClearJournal(Journal j) {
  Guarded(this, [&] {
    if (j == Journal::Trips)
      ResetTripJournal(mk_);
    else
      ResetRefuelJournal(mk_);
    FillJournal(j);
  });
}

void TMK_ViewJournalsDlg::ClearFaults() {
  Guarded(this, [&] {
    ResetFaultJournal(mk_);
    FillFaults();
  });
}

void TMK_ViewJournalsDlg::ResetSumTable(int sum) {
  Guarded(this, [&] {
    ResetSum(mk_, sum);
    FillSum(sum);
  });
}

bool TMK_ViewJournalsDlg::SaveJournal(Journal j) {
  bool saved = false;
  Guarded(this, [&] {
    const TextTable table = JournalTable(mk_, j, fmt_);
    const auto path = exportDialog_.Execute(this);
    if (!path) return;
    ExportTable(QFile::encodeName(*path).toStdString(), table);
    saved = true;
  });
  return saved;
}

}  // namespace tc
