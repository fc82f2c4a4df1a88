// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings report from the program: saved as one HTML page, or printed
// through the print dialog to a printer or a PDF file, in the program's
// language. The report itself comes from the core (editor_core/report_html.h);
// this file only asks for a file or a printer and lays the pages out.
#include <QString>

#include "util/text_pair.h"

class QPagedPaintDevice;
class QWidget;

namespace tc {

class SettingsDocument;
struct SettingsReport;

// Texts of the main window's actions that run these.
inline constexpr TextPair kSaveReportAction{"Сохранить отчёт о настройках (HTML)...",
                                            "Save settings report (HTML)..."};
inline constexpr TextPair kPrintReportAction{"Печать отчёта о настройках...",
                                             "Print settings report..."};

// Asks for a file (and whether to replace one that exists) and writes the
// report of the document there. `sourceName` is how the header names the
// settings (a file name; empty when they were read from the device). Errors
// reach the user as a message; the document is never changed.
void SaveSettingsReport(QWidget* parent, const SettingsDocument& doc, const QString& sourceName);
// Shows the print dialog (A4, a printer or a PDF file) and prints the report.
void PrintSettingsReport(QWidget* parent, const SettingsDocument& doc, const QString& sourceName);

// What printing laid out: the pages, and the tables and pictures that
// still cross a page boundary although they would fit on one page (none
// unless something is wrong).
struct PrintedReport {
  int pages = 0;
  int cutBlocks = 0;
};
// Lays the report out on the device's pages (A4 as the caller set it): a
// table or picture that would cross a page boundary starts a new page, with
// the heading over it; each page carries its number. Throws TripError when
// the device cannot be painted on.
PrintedReport PrintReport(QPagedPaintDevice& device, const SettingsReport& report, bool english);
// Prints the report of the document straight into a PDF file, without a
// dialog, in the given language. Throws TripError on failure.
PrintedReport PrintSettingsReportToPdf(const SettingsDocument& doc, const QString& sourceName,
                                       const QString& pdfPath, bool english);

}  // namespace tc
