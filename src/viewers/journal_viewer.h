// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// TMK_ViewJournalsDlg: the journals held in the settings — trips,
// refuellings, the eight accumulated sums and the fault journal with its
// stored engine data — with their resets and a text export of the two
// journals. It works on TMK's block copies; whether its resets reach the
// image is up to whoever opened it (see ViewJournals).
#include <QDialog>
#include <QString>
#include <array>

#include "model/journal_tables.h"
#include "ui/file_dialog_service.h"

class QLabel;
class QPushButton;
class QTabWidget;

namespace tc {

class TMK;
class TextGrid;

class TMK_ViewJournalsDlg : public QDialog {
  Q_OBJECT
 public:
  // codeKind: the fault-code kind of the engine-control protocol (an unknown
  // kind lists the faults without their codes). exportFolder: where the
  // export dialog starts.
  TMK_ViewJournalsDlg(TMK& mk, int codeKind, const QString& exportFolder,
                      QWidget* parent = nullptr);

  // --- Controls ------------------------------------------------------------------
  QTabWidget* PageControl;
  QWidget* tsTrip;
  QWidget* tsRefuel;
  QWidget* tsAverage;
  QWidget* tsFaults;
  TextGrid* sgTrip;
  TextGrid* sgRefuel;
  std::array<TextGrid*, kSumCount> sgSum;
  std::array<QLabel*, kSumCount> lSum;
  QLabel* lResetNote;
  TextGrid* sgFaults;
  TextGrid* sgStoredData;
  QPushButton* bClearTrip;
  QPushButton* bSaveTrip;
  QPushButton* bClearRefuel;
  QPushButton* bSaveRefuel;
  QPushButton* bClearFaults;
  QPushButton* bOK;
  QPushButton* bCancel;

  // --- Actions (what the buttons and double clicks do) ----------------------------
  void ClearJournal(Journal j);
  void ClearFaults();
  void ResetSumTable(int sum);
  // Asks for a file and writes the journal's table to it; false when the
  // dialog was cancelled or the file could not be written (said in a box).
  bool SaveJournal(Journal j);

  const CellFormat& Format() const { return fmt_; }

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void BuildControls();
  void ApplyLanguage();
  void FillJournal(Journal j);
  void FillSum(int sum);
  void FillFaults();
  void FillStoredData();
  TextGrid* JournalGrid(Journal j) const { return j == Journal::Trips ? sgTrip : sgRefuel; }

  TMK& mk_;
  int codeKind_;
  CellFormat fmt_;
  FileDialog exportDialog_;
};

}  // namespace tc
