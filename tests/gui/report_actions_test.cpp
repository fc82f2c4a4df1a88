// SPDX-License-Identifier: GPL-3.0-or-later
// The settings report from the program: printed offscreen into a PDF file
// (A4, page numbers, no table cut across a page), saved as HTML through the
// save dialog, and every failure told to the user with nothing written and
// the document left alone.
#include "app/report_actions.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <regex>
#include <string>

#include "gui_fixture.h"
#include "model/sample_image.h"
#include "model/settings_document.h"
#include "ui/scripted_services.h"
#include "util/errors.h"
#include "util/files.h"

namespace tc {
namespace {

std::unique_ptr<SettingsDocument> Sample(const std::string& name) {
  const SampleSetup setup = SampleSetupByName(name);
  return OpenSettingsDocument(BuildSampleImage(setup), setup.deviceVersion);
}

std::string Bytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return "";
  return f.readAll().toStdString();
}

// Pages of a PDF file as its page objects count them.
int PdfPages(const std::string& pdf) {
  static const std::regex page("/Type\\s*/Page[^s]");
  return int(
      std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

TEST(ReportPrintTest, EachSamplePrintsOnWholeA4PagesInBothLanguages) {
  QTemporaryDir dir;
  for (const char* name : {"v104-8k", "v8003-32k", "ve01-32k"}) {
    auto doc = Sample(name);
    const test::ModelState before(doc->Model());
    for (const bool english : {false, true}) {
      SCOPED_TRACE(std::string(name) + (english ? " en" : " ru"));
      const QString pdf = dir.path() + "/" + name + (english ? "-en" : "-ru") + ".pdf";
      const PrintedReport printed =
          PrintSettingsReportToPdf(*doc, QString(name) + ".dvkps", pdf, english);
      const std::string bytes = Bytes(pdf);
      ASSERT_EQ(bytes.rfind("%PDF", 0), 0u);
      EXPECT_GT(printed.pages, 3);
      EXPECT_EQ(PdfPages(bytes), printed.pages);
      EXPECT_EQ(printed.cutBlocks, 0) << "a table or picture crosses a page boundary";
      // A4 portrait in points.
      EXPECT_NE(bytes.find("/MediaBox [0 0 595"), std::string::npos);
      EXPECT_FALSE(QFile::exists(pdf + ".part"));
    }
    EXPECT_TRUE(test::ModelState(doc->Model()) == before);
  }
}

TEST(ReportPrintTest, AFileThatCannotBeWrittenIsReportedAndLeavesNothing) {
  QTemporaryDir dir;
  auto doc = Sample("v104-8k");
  const QString pdf = dir.path() + "/missing/folder/r.pdf";
  EXPECT_THROW(PrintSettingsReportToPdf(*doc, "s.dvkps", pdf, false), TripError);
  EXPECT_FALSE(QFile::exists(pdf));
  // An earlier file of that name survives a failed print.
  const QString kept = dir.path() + "/kept.pdf";
  WriteFileAtomic(kept.toStdString(), std::string("earlier"));
  SettingsDocument empty;
  EXPECT_THROW(PrintSettingsReportToPdf(empty, "", kept, true), TripError);
  EXPECT_EQ(Bytes(kept), "earlier");
}

TEST(ReportSaveTest, SavesTheReportInTheProgramsLanguageAndAsksBeforeReplacing) {
  QTemporaryDir dir;
  ScriptedMessageService messages;
  ScriptedFileDialogService files;
  auto doc = Sample("v8003-32k");
  const test::ModelState before(doc->Model());
  const bool wasEnglish = EnglishVersion();
  SetEnglishVersion(true);
  const QString out = dir.path() + "/report.html";
  files.Answer(out);
  SaveSettingsReport(nullptr, *doc, "/some/folder/car.dvkps");
  std::string html = Bytes(out);
  EXPECT_NE(html.find("lang=\"en\""), std::string::npos);
  EXPECT_NE(html.find("car.dvkps"), std::string::npos);
  EXPECT_EQ(html.find("/some/folder"), std::string::npos);
  ASSERT_EQ(files.requests().size(), 1u);
  EXPECT_EQ(files.requests()[0].kind, FileDialogRequest::Kind::Save);
  EXPECT_EQ(files.requests()[0].defaultSuffix, "html");
  EXPECT_EQ(messages.Count(ScriptedMessageService::Kind::Info), 1);

  // The file exists: No keeps it, Yes replaces it (now in Russian).
  WriteFileAtomic(out.toStdString(), std::string("kept"));
  files.Answer(out);
  messages.Answer(false);
  SaveSettingsReport(nullptr, *doc, "car.dvkps");
  EXPECT_EQ(Bytes(out), "kept");
  SetEnglishVersion(false);
  files.Answer(out);
  messages.Answer(true);
  SaveSettingsReport(nullptr, *doc, "car.dvkps");
  html = Bytes(out);
  EXPECT_NE(html.find("lang=\"ru\""), std::string::npos);
  EXPECT_EQ(messages.unexpectedQuestions(), 0);

  // A cancelled dialog writes nothing and says nothing.
  messages.Clear();
  files.Answer(std::nullopt);
  SaveSettingsReport(nullptr, *doc, "car.dvkps");
  EXPECT_TRUE(messages.shown().empty());
  EXPECT_TRUE(test::ModelState(doc->Model()) == before);
  SetEnglishVersion(wasEnglish);
}

TEST(ReportSaveTest, FailuresReachTheUserAsMessages) {
  QTemporaryDir dir;
  ScriptedMessageService messages;
  ScriptedFileDialogService files;
  const bool wasEnglish = EnglishVersion();
  SetEnglishVersion(false);
  // No settings yet: said so, in the user's language, and no file.
  SettingsDocument empty;
  const QString out = dir.path() + "/r.html";
  files.Answer(out);
  SaveSettingsReport(nullptr, empty, "");
  EXPECT_EQ(messages.Count(ScriptedMessageService::Kind::Error), 1);
  EXPECT_TRUE(messages.Last(ScriptedMessageService::Kind::Error).contains("считайте"));
  EXPECT_FALSE(QFile::exists(out));
  // A folder that does not exist.
  auto doc = Sample("v104-8k");
  const QString nowhere = dir.path() + "/no/such/r.html";
  files.Answer(nowhere);
  SaveSettingsReport(nullptr, *doc, "s.dvkps");
  EXPECT_EQ(messages.Count(ScriptedMessageService::Kind::Error), 2);
  EXPECT_FALSE(QFile::exists(nowhere));
  // Printing without settings stops before any dialog, with the message.
  PrintSettingsReport(nullptr, empty, "");
  EXPECT_EQ(messages.Count(ScriptedMessageService::Kind::Error), 3);
  SetEnglishVersion(wasEnglish);
}

// The print dialog, answered as a user who picks "print to file" does: the
// report lands in the PDF file the dialog names.
TEST(ReportPrintTest, ThePrintDialogPrintsToThePdfFileItNames) {
  QTemporaryDir dir;
  ScriptedMessageService messages;
  auto doc = Sample("v104-8k");
  const QString pdf = dir.path() + "/dialog.pdf";
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    seen = true;
    dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
    dialog->printer()->setOutputFileName(pdf);
    if (auto* name = dialog->findChild<QLineEdit*>("filename")) name->setText(pdf);
    dialog->accept();
  });
  PrintSettingsReport(nullptr, *doc, "s.dvkps");
  EXPECT_TRUE(seen);
  EXPECT_TRUE(messages.shown().empty())
      << messages.Last(ScriptedMessageService::Kind::Error).toStdString();
  const std::string bytes = Bytes(pdf);
  EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
  EXPECT_GT(PdfPages(bytes), 3);
}

}  // namespace
}  // namespace tc
