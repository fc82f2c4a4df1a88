// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/report_actions.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QUrl>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "editor_core/report_html.h"
#include "model/settings_document.h"
#include "ui/dialog_folder.h"
#include "ui/file_dialog_service.h"
#include "ui/message_service.h"
#include "ui/qt_text.h"
#include "util/errors.h"
#include "util/files.h"

namespace tc {

namespace {

const TextPair kSaveTitle{"Сохранить отчёт о настройках", "Save the settings report"};
const TextPair kPrintTitle{"Печать отчёта о настройках", "Print the settings report"};
const TextPair kOverwrite{"Файл уже существует. Переписать?",
                          "The file already exists. Rewrite it?"};
const TextPair kSaved{"Отчёт сохранён в файл ", "The report was saved to "};
const TextPair kPageOf[2] = {{"Страница ", "Page "}, {" из ", " of "}};
const TextPair kFooterTitle{"Настройки маршрутного компьютера", "Trip computer settings"};
const TextPair kCannotPrint{"Не удалось начать печать: принтер или файл недоступен.",
                            "Printing could not start: the printer or the file is unavailable."};
const char* const kHtmlFilter = "HTML (*.html *.htm)";

std::string LocalPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

// A4 with the margins the report's own page style asks browsers for.
void SetA4(QPagedPaintDevice& device) {
  device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                   QMarginsF(12, 15, 12, 15), QPageLayout::Millimeter));
}

// The page a vertical position lies on. A block moved to the top of a page
// starts at a whole multiple of the page height, give or take rounding.
int PageOf(qreal y, qreal pageHeight) {
  return int((y + 0.5) / pageHeight);
}

// Sets a page break before the block; false when it starts a page already.
bool BreakBefore(QTextBlock block) {
  QTextCursor c(block);
  QTextBlockFormat f = c.blockFormat();
  if (f.pageBreakPolicy() == QTextFormat::PageBreak_AlwaysBefore) return false;
  f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
  c.setBlockFormat(f);
  return true;
}

bool BreakBefore(QTextFrame* frame) {
  QTextFrameFormat f = frame->frameFormat();
  if (f.pageBreakPolicy() == QTextFormat::PageBreak_AlwaysBefore) return false;
  f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
  frame->setFrameFormat(f);
  return true;
}

// Moves every top-level table that crosses a page boundary, and would fit
// on one page, to the start of the next page, together with the heading
// (and the note under it) right above it; a heading the layout left at the
// foot of a page, its table already on the next one, follows its table.
// Returns the tables that still cross a boundary.
int KeepBlocksWhole(QTextDocument& doc, bool move) {
  const qreal pageHeight = doc.pageSize().height();
  QAbstractTextDocumentLayout* layout = doc.documentLayout();
  for (int pass = 0; pass < 400; ++pass) {
    int cut = 0;
    bool changed = false;
    // The first heading since the last table, if any.
    QTextBlock lead;
    for (auto it = doc.rootFrame()->begin(); !it.atEnd() && !changed; ++it) {
      if (QTextFrame* frame = it.currentFrame()) {
        const QRectF r = layout->frameBoundingRect(frame);
        const int top = PageOf(r.top(), pageHeight);
        const bool crosses = r.height() <= pageHeight && top != PageOf(r.bottom() - 1, pageHeight);
        if (crosses) ++cut;
        const bool leadAlone =
            lead.isValid() && PageOf(layout->blockBoundingRect(lead).top(), pageHeight) != top;
        if (move && (crosses || leadAlone))
          changed = lead.isValid() ? BreakBefore(lead) : crosses && BreakBefore(frame);
        lead = QTextBlock();
        continue;
      }
      const QTextBlock block = it.currentBlock();
      if (block.blockFormat().headingLevel() > 0 && !lead.isValid()) lead = block;
    }
    if (!changed) return cut;
  }
  return -1;
}

SettingsReport MakeReport(const SettingsDocument& doc, const QString& sourceName, bool english) {
  ReportOptions o;
  o.english = english;
  o.fileName = QFileInfo(sourceName).fileName().toStdString();
  o.embedPictures = false;
  return MakeSettingsReport(doc, o);
}

class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

PrintedReport PrintReport(QPagedPaintDevice& device, const SettingsReport& report, bool english) {
  QPainter painter;
  if (!painter.begin(&device)) throw TripError(kCannotPrint.Get(english));
  const qreal dpi = device.logicalDpiY();
  const QRectF area(QPointF(0, 0), device.pageLayout().paintRectPixels(int(dpi)).size());
  const qreal footer = dpi * 8 / 25.4;  // 8 mm for the page number

  QTextDocument doc;
  doc.documentLayout()->setPaintDevice(&device);
  QFont font("DejaVu Sans");
  font.setPointSizeF(9);
  doc.setDefaultFont(font);
  doc.setDocumentMargin(0);
  for (const ReportPicture& p : report.pictures)
    doc.addResource(QTextDocument::ImageResource, QUrl(QString::fromStdString(p.name)),
                    QImage::fromData(p.png.data(), int(p.png.size()), "PNG"));
  doc.setHtml(QString::fromStdString(report.html));
  doc.setPageSize(QSizeF(area.width(), area.height() - footer));
  PrintedReport printed;
  printed.cutBlocks = KeepBlocksWhole(doc, true);
  printed.pages = doc.pageCount();

  const qreal pageHeight = doc.pageSize().height();
  QFont small("DejaVu Sans");
  small.setPointSizeF(7.5);
  for (int page = 0; page < printed.pages; ++page) {
    if (page > 0) device.newPage();
    painter.save();
    painter.translate(0, -page * pageHeight);
    doc.drawContents(&painter, QRectF(0, page * pageHeight, area.width(), pageHeight));
    painter.restore();
    painter.setFont(small);
    painter.setPen(Qt::darkGray);
    const QRectF line(0, area.height() - footer * 0.6, area.width(), footer * 0.6);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignBottom, Q(kFooterTitle, english));
    painter.drawText(line, Qt::AlignRight | Qt::AlignBottom,
                     Q(kPageOf[0], english) + QString::number(page + 1) + Q(kPageOf[1], english) +
                         QString::number(printed.pages));
  }
  painter.end();
  return printed;
}

PrintedReport PrintSettingsReportToPdf(const SettingsDocument& doc, const QString& sourceName,
                                       const QString& pdfPath, bool english) {
  const SettingsReport report = MakeReport(doc, sourceName, english);
  // Written beside the target and renamed over it, so a failure leaves any
  // earlier file as it was.
  const std::string target = LocalPath(pdfPath);
  const std::string part = target + ".part";
  PrintedReport printed;
  {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QFile::decodeName(part.c_str()));
    printer.setDocName(Q(kFooterTitle, english));
    SetA4(printer);
    try {
      printed = PrintReport(printer, report, english);
    } catch (...) {
      std::error_code ignored;
      std::filesystem::remove(part, ignored);
      throw;
    }
  }
  std::error_code ec;
  std::filesystem::rename(part, target, ec);
  if (ec) {
    std::filesystem::remove(part, ec);
    throw FileError(
        TextPair{"Не удалось записать файл ", "Could not write the file "}.Get(english) + target);
  }
  return printed;
}

void SaveSettingsReport(QWidget* parent, const SettingsDocument& doc, const QString& sourceName) {
  const bool english = EnglishVersion();
  FileDialogRequest request;
  request.kind = FileDialogRequest::Kind::Save;
  request.caption = Q(kSaveTitle, english);
  request.folder = DialogStartFolder();
  request.filter = kHtmlFilter;
  request.defaultSuffix = "html";
  const auto path = FileDialogs().Run(parent, request);
  if (!path) return;
  if (FileExists(LocalPath(*path)) && !AskYesNo(kOverwrite.Get(english), parent)) return;
  try {
    std::string html;
    {
      WaitCursor wait;
      ReportOptions o;
      o.english = english;
      o.fileName = QFileInfo(sourceName).fileName().toStdString();
      html = MakeSettingsReport(doc, o).html;
    }
    WriteFileAtomic(LocalPath(*path), html);
  } catch (const std::exception& e) {
    ShowError(e.what(), parent);
    return;
  }
  ShowInfo(kSaved.Get(english) + LocalPath(*path), parent);
}

void PrintSettingsReport(QWidget* parent, const SettingsDocument& doc, const QString& sourceName) {
  const bool english = EnglishVersion();
  try {
    // Made first, so a document without settings says so before any dialog.
    const SettingsReport report = MakeReport(doc, sourceName, english);
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(Q(kFooterTitle, english));
    SetA4(printer);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(Q(kPrintTitle, english));
    if (dialog.exec() != QDialog::Accepted) return;
    WaitCursor wait;
    PrintReport(printer, report, english);
  } catch (const std::exception& e) {
    ShowError(e.what(), parent);
  }
}

}  // namespace tc
