// SPDX-License-Identifier: GPL-3.0-or-later
// The journal and oscilloscope viewers driven through their procedures and
// their controls, on sample settings.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <functional>

#include "catalog/variants.h"
#include "gui_fixture.h"
#include "model/fault_journal.h"
#include "model/journals.h"
#include "model/oscilloscope.h"
#include "model/settings_document.h"
#include "model/settings_file.h"
#include "model/tmk.h"
#include "ui/picture_view.h"
#include "ui/radio_group.h"
#include "util/cp1251.h"
#include "util/files.h"
#include "viewers/journal_viewer.h"
#include "viewers/osc_viewer.h"
#include "viewers/text_grid.h"
#include "viewers/view_windows.h"

namespace tc::test {
namespace {

using Kind = ScriptedMessageService::Kind;

// Acts on the first modal window that comes up, from inside its event loop,
// and closes it afterwards if the action did not, so a failing test never
// hangs in exec().
class ModalWatcher {
 public:
  explicit ModalWatcher(std::function<void(QWidget*)> action) : action_(std::move(action)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* w = QApplication::activeModalWidget();
      if (!w || fired_) return;
      fired_ = true;
      timer_.stop();
      action_(w);
      if (QApplication::activeModalWidget() == w) w->close();
    });
    timer_.start(5);
  }
  bool Fired() const { return fired_; }

 private:
  std::function<void(QWidget*)> action_;
  QTimer timer_;
  bool fired_ = false;
};

void PressEscape(QWidget* w) {
  QTest::keyClick(w, Qt::Key_Escape);
}

std::vector<uint8_t> BlockCopy(TMK& mk, int n) {
  const auto b = mk.Block(n);
  return {b.begin(), b.end()};
}

class ViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    SetEnglishVersion(true);
  }
  void TearDown() override { SetEnglishVersion(false); }

  // Loads a sample into mk_ as the main window's load step does.
  void Load(const char* sample = "v104-8k") {
    const QString file = WriteSampleFile(dir_.path() + "/" + sample + ".dvkps", sample);
    ReadSettingsFile(mk_, file.toStdString());
    mk_.DecodeSettingsBlocks();
  }
  QString Path(const QString& name) const { return dir_.path() + "/" + name; }

  // A journal viewer on screen, as the procedure would show it.
  std::unique_ptr<TMK_ViewJournalsDlg> ShowJournals(int codeKind = 0) {
    auto dlg = std::make_unique<TMK_ViewJournalsDlg>(mk_, codeKind, dir_.path());
    dlg->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    return dlg;
  }

  QTemporaryDir dir_;
  ScriptedMessageService messages_;
  ScriptedFileDialogService files_;
  SettingsDocument doc_;
  TMK& mk_ = doc_.Model();
};

// --- Journal viewer ------------------------------------------------------------------

TEST_F(ViewerTest, EmptyJournalsShowEmptyRowsAndBareFaultNumbers) {
  Load();
  ResetTripJournal(mk_);
  ResetRefuelJournal(mk_);
  ResetFaultJournal(mk_);
  for (int b : {7, 12}) mk_.EncodeBlock(b);

  for (bool english : {true, false}) {
    SetEnglishVersion(english);
    ModalWatcher watch([&](QWidget* w) {
      auto* dlg = qobject_cast<TMK_ViewJournalsDlg*>(w);
      ASSERT_NE(dlg, nullptr);
      EXPECT_EQ(dlg->PageControl->currentIndex(), 0);
      EXPECT_EQ(dlg->windowTitle(), english ? "Viewing logs" : "Просмотр журналов");
      EXPECT_EQ(dlg->PageControl->tabText(3), english ? "Faults log" : "Журнал ошибок");
      // The window's own buttons follow the language like every other text.
      EXPECT_EQ(dlg->bOK->text(), "OK");
      EXPECT_EQ(dlg->bCancel->text(), english ? "Cancel" : "Отмена");
      EXPECT_EQ(dlg->lSum[5]->text(),
                english ? "Reset 2 (between gas stations)" : "Сброс 2 ( Между заправками )");
      const QString empty = english ? "Empty" : "Пусто";
      // Every header fits its column ("Av. expense per hour" was clipped),
      // and the grid keeps the width of its columns together.
      for (TextGrid* g : {dlg->sgTrip, dlg->sgRefuel}) {
        int total = 0;
        for (int c = 0; c < g->columnCount(); ++c) {
          total += g->columnWidth(c);
          EXPECT_LE(g->fontMetrics().horizontalAdvance(g->Cell(0, c)) + 4, g->columnWidth(c))
              << g->Cell(0, c).toStdString();
        }
        EXPECT_EQ(total, 50 + 140 + 96 + 84 + 131 + 156 + 145 + 113 + 78);
      }
      for (TextGrid* g : {dlg->sgTrip, dlg->sgRefuel}) {
        ASSERT_EQ(g->rowCount(), 22);
        ASSERT_EQ(g->columnCount(), 9);
        EXPECT_EQ(g->Cell(1, 0), english ? "Last" : "Посл.");
        EXPECT_EQ(g->Cell(21, 0), "20");
        for (int r = 1; r <= 21; ++r) {
          EXPECT_EQ(g->Cell(r, 1), empty) << r;
          for (int c = 2; c < 9; ++c) EXPECT_EQ(g->Cell(r, c), "") << r << "," << c;
        }
      }
      for (int r = 1; r <= 7; ++r) {
        EXPECT_EQ(dlg->sgFaults->Cell(r, 0), QString::number(r - 1));
        EXPECT_EQ(dlg->sgFaults->Cell(r, 1), "");
        EXPECT_EQ(dlg->sgFaults->Cell(r, 2), "");
      }
      EXPECT_EQ(dlg->sgStoredData->Cell(0, 0), "");
      PressEscape(dlg);
    });
    ViewJournals(doc_, dir_.path(), nullptr);
    EXPECT_TRUE(watch.Fired());
  }
  EXPECT_EQ(messages_.shown().size(), 0u);
}

TEST_F(ViewerTest, DoubleClickOnGasOnlyZeroesThatSumOnly) {
  Load();
  constexpr int kGasOnly = 7, kPetrolOnly = 6, kGeneral = 0;
  const SumValues petrolBefore = ReadSum(mk_, kPetrolOnly);
  const SumValues generalBefore = ReadSum(mk_, kGeneral);
  ASSERT_NE(ReadSum(mk_, kGasOnly).gasMl, 0u);
  auto dlg = ShowJournals();
  dlg->PageControl->setCurrentIndex(2);
  TextGrid* g = dlg->sgSum[kGasOnly];
  ASSERT_NE(g->Cell(0, 1), "0:00");

  QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, QPoint(30, 30));

  const SumValues gas = ReadSum(mk_, kGasOnly);
  EXPECT_EQ(gas.seconds, 0u);
  EXPECT_EQ(gas.metres, 0u);
  EXPECT_EQ(gas.gasMl, 0u);
  EXPECT_EQ(g->Cell(0, 1), "0:00");
  EXPECT_EQ(g->Cell(1, 1), "0.000");
  EXPECT_EQ(g->Cell(2, 1), "0.000");
  for (int r = 3; r < 6; ++r) EXPECT_EQ(g->Cell(r, 1), "-----") << r;
  EXPECT_EQ(g->Cell(0, 0), "Time");
  // The neighbours keep their values.
  EXPECT_EQ(ReadSum(mk_, kPetrolOnly).metres, petrolBefore.metres);
  EXPECT_EQ(ReadSum(mk_, kGeneral).metres, generalBefore.metres);
  EXPECT_NE(dlg->sgSum[kPetrolOnly]->Cell(0, 1), "0:00");

  // The general sum keeps the whole kilometres it started from.
  ASSERT_NE(generalBefore.wholeKm, 0u);
  QTest::mouseDClick(dlg->sgSum[kGeneral]->viewport(), Qt::LeftButton, {}, QPoint(200, 110));
  EXPECT_EQ(ReadSum(mk_, kGeneral).metres, 0u);
  EXPECT_EQ(dlg->sgSum[kGeneral]->Cell(1, 1), QString("%1.000").arg(generalBefore.wholeKm));
}

TEST_F(ViewerTest, ExportWritesTheTableAsWindows1251Lines) {
  SetEnglishVersion(false);
  Load();
  auto dlg = ShowJournals();
  const QString out = Path("trips.txt");
  files_.Answer(out);
  QTest::mouseClick(dlg->bSaveTrip, Qt::LeftButton);

  ASSERT_EQ(files_.requests().size(), 1u);
  EXPECT_EQ(files_.requests()[0].kind, FileDialogRequest::Kind::Save);
  EXPECT_EQ(files_.requests()[0].defaultSuffix, "txt");
  EXPECT_EQ(files_.requests()[0].folder, dir_.path());
  ASSERT_TRUE(FileExists(out.toStdString()));

  const auto bytes = ReadWholeFile(out.toStdString());
  const std::string text(bytes.begin(), bytes.end());
  std::vector<std::string> lines;
  size_t at = 0;
  for (size_t crlf; (crlf = text.find("\r\n", at)) != std::string::npos; at = crlf + 2)
    lines.push_back(text.substr(at, crlf - at));
  EXPECT_EQ(at, text.size()) << "text after the last line end";
  ASSERT_EQ(lines.size(), 22u);
  for (size_t r = 0; r < lines.size(); ++r) {
    ASSERT_FALSE(lines[r].empty());
    EXPECT_EQ(lines[r].back(), '\t') << r;
    EXPECT_EQ(std::count(lines[r].begin(), lines[r].end(), '\t'), 9) << r;
    // Each cell is the one the grid shows.
    size_t from = 0;
    for (int c = 0; c < 9; ++c) {
      const size_t tab = lines[r].find('\t', from);
      const std::string cell = Cp1251ToUtf8(lines[r].substr(from, tab - from));
      EXPECT_EQ(QString::fromStdString(cell), dlg->sgTrip->Cell(int(r), c)) << r << "," << c;
      from = tab + 1;
    }
  }
  EXPECT_EQ(lines[0].substr(0, 2), "#\t");
  EXPECT_EQ(lines[0].substr(2, 19), Utf8ToCp1251("Дата и время записи"));

  // The refuelling tab exports its own table over the old file.
  files_.Answer(out);
  QTest::mouseClick(dlg->bSaveRefuel, Qt::LeftButton);
  const auto refuel = ReadWholeFile(out.toStdString());
  EXPECT_NE(refuel, bytes);
  EXPECT_EQ(messages_.shown().size(), 0u);
}

TEST_F(ViewerTest, ExportThatCannotBeWrittenIsReportedAndTheViewerStays) {
  Load();
  auto dlg = ShowJournals();
  files_.Answer(Path("no-such-folder/trips.txt"));
  EXPECT_FALSE(dlg->SaveJournal(Journal::Trips));
  EXPECT_EQ(messages_.Count(Kind::Error), 1);
  EXPECT_FALSE(messages_.Last(Kind::Error).isEmpty());
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_FALSE(FileExists(Path("no-such-folder/trips.txt").toStdString()));

  // A cancelled dialog writes nothing and says nothing.
  messages_.Clear();
  files_.Answer(std::nullopt);
  EXPECT_FALSE(dlg->SaveJournal(Journal::Trips));
  EXPECT_EQ(messages_.shown().size(), 0u);
}

TEST_F(ViewerTest, FaultListSelectionShowsThatRecordsStoredData) {
  Load();
  auto dlg = ShowJournals();
  dlg->PageControl->setCurrentIndex(3);
  // The first record is selected on opening.
  EXPECT_EQ(dlg->sgFaults->currentRow(), 1);
  EXPECT_EQ(dlg->sgStoredData->Cell(0, 0), "Trouble code");
  EXPECT_EQ(dlg->sgStoredData->Cell(0, 1), "P0133");
  EXPECT_EQ(dlg->sgStoredData->rowCount(), int(StoredDataRows(mk_, 0, dlg->Format()).size()));

  const QRect second = dlg->sgFaults->visualItemRect(dlg->sgFaults->item(2, 1));
  QTest::mouseClick(dlg->sgFaults->viewport(), Qt::LeftButton, {}, second.center());
  EXPECT_EQ(dlg->sgStoredData->Cell(0, 1), "P0301");

  // A record without stored data leaves the table empty.
  const QRect empty = dlg->sgFaults->visualItemRect(dlg->sgFaults->item(6, 1));
  QTest::mouseClick(dlg->sgFaults->viewport(), Qt::LeftButton, {}, empty.center());
  for (int r = 0; r < dlg->sgStoredData->rowCount(); ++r) {
    EXPECT_EQ(dlg->sgStoredData->Cell(r, 0), "");
    EXPECT_EQ(dlg->sgStoredData->Cell(r, 1), "");
  }

  // Clear empties the list and the stored data at once.
  QTest::mouseClick(dlg->bClearFaults, Qt::LeftButton);
  EXPECT_EQ(dlg->sgFaults->Cell(1, 2), "");
  EXPECT_EQ(dlg->sgStoredData->Cell(0, 0), "");
}

TEST_F(ViewerTest, FaultCodesFollowTheProtocolOfTheSettingsHeld) {
  // Another variant selected last (decimal codes) must not decide how the
  // codes of settings with a letter-code protocol read.
  Load("ve01-32k");
  doc_.SelectVariant();
  Load("v8003-32k");
  ModalWatcher watch([&](QWidget* w) {
    auto* dlg = qobject_cast<TMK_ViewJournalsDlg*>(w);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->sgFaults->Cell(1, 2), "P0133");
    EXPECT_EQ(dlg->sgFaults->Cell(2, 2), "P0301");
    w->close();
  });
  ViewJournals(doc_, dir_.path(), nullptr);
  EXPECT_TRUE(watch.Fired());
}

// Any ending but OK leaves the image and the block copies as they were,
// whatever was reset in between; OK carries the resets into the image.
TEST_F(ViewerTest, ResetsReachTheImageOnlyThroughOk) {
  Load();
  const auto image = mk_.Image();
  const auto b1 = BlockCopy(mk_, 1), b7 = BlockCopy(mk_, 7), b12 = BlockCopy(mk_, 12);
  const auto resetEverything = [](TMK_ViewJournalsDlg* dlg) {
    QTest::mouseClick(dlg->bClearTrip, Qt::LeftButton);
    QTest::mouseClick(dlg->bClearRefuel, Qt::LeftButton);
    QTest::mouseClick(dlg->bClearFaults, Qt::LeftButton);
    for (int s = 0; s < kSumCount; ++s) dlg->ResetSumTable(s);
    EXPECT_EQ(dlg->sgTrip->Cell(1, 1), EnglishVersion() ? "Empty" : "Пусто");
  };

  const std::vector<std::pair<const char*, std::function<void(QWidget*)>>> endings = {
      {"Esc", PressEscape},
      {"Cancel",
       [](QWidget* w) {
         QTest::mouseClick(qobject_cast<TMK_ViewJournalsDlg*>(w)->bCancel, Qt::LeftButton);
       }},
      {"close box", [](QWidget* w) { w->close(); }},
  };
  for (const auto& [name, end] : endings) {
    ModalWatcher watch([&](QWidget* w) {
      auto* dlg = qobject_cast<TMK_ViewJournalsDlg*>(w);
      ASSERT_NE(dlg, nullptr);
      resetEverything(dlg);
      end(w);
      EXPECT_FALSE(dlg->isVisible()) << name;
    });
    ViewJournals(doc_, dir_.path(), nullptr);
    ASSERT_TRUE(watch.Fired()) << name;
    EXPECT_EQ(mk_.Image(), image) << name;
    EXPECT_EQ(BlockCopy(mk_, 1), b1) << name;
    EXPECT_EQ(BlockCopy(mk_, 7), b7) << name;
    EXPECT_EQ(BlockCopy(mk_, 12), b12) << name;
  }

  // Clear on the trip tab, then OK: only the trip journal's days change.
  ModalWatcher ok([&](QWidget* w) {
    auto* dlg = qobject_cast<TMK_ViewJournalsDlg*>(w);
    QTest::mouseClick(dlg->bClearTrip, Qt::LeftButton);
    QTest::mouseClick(dlg->bOK, Qt::LeftButton);
  });
  ViewJournals(doc_, dir_.path(), nullptr);
  ASSERT_TRUE(ok.Fired());
  EXPECT_NE(mk_.Image(), image);
  TMK reread;
  reread.ReplaceImage(mk_.Image());
  reread.DeviceVersion = mk_.DeviceVersion;
  reread.RefreshDirectory();
  reread.DecodeSettingsBlocks();
  for (int r = 0; r < kJournalRecords; ++r) {
    EXPECT_TRUE(ReadJournalRecord(reread, Journal::Trips, r).Empty()) << r;
    EXPECT_EQ(ReadJournalRecord(reread, Journal::Refuels, r).day,
              ReadJournalRecord(mk_, Journal::Refuels, r).day);
  }
  EXPECT_FALSE(ReadJournalRecord(reread, Journal::Refuels, 0).Empty());
  EXPECT_EQ(BlockCopy(reread, 1), b1);
  EXPECT_EQ(BlockCopy(reread, 12), b12);
}

// --- Oscilloscope viewer --------------------------------------------------------------

// The column of the trigger time marker's tip (the only magenta pixel in
// row 253), or -1 when it is off the picture.
int TriggerMarkerX(const QImage& img) {
  int found = -1;
  for (int x = 0; x < img.width(); ++x)
    if (img.pixelColor(x, 253) == QColor(255, 0, 255)) {
      if (found >= 0) return -2;
      found = x;
    }
  return found;
}

TEST_F(ViewerTest, OscilloscopeRefusedForAVariantWithoutIt) {
  Load("ve01-32k");
  for (bool english : {true, false}) {
    SetEnglishVersion(english);
    messages_.Clear();
    ModalWatcher watch([](QWidget*) {});
    ViewOscilloscope(doc_, nullptr);
    QTest::qWait(20);
    EXPECT_FALSE(watch.Fired());
    EXPECT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.Last(Kind::Info),
              english ? "The oscilloscope is not supported in this version of the device."
                      : "В данной версии МК осцилллограф не поддерживается.");
  }
}

TEST_F(ViewerTest, OscilloscopeOpensForAVariantWithIt) {
  Load("v104-8k");
  const auto image = mk_.Image();
  ModalWatcher watch([&](QWidget* w) {
    auto* dlg = qobject_cast<TMK_ViewOscDlg*>(w);
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(doc_.Flags().VariantOscilloscope);
    EXPECT_EQ(dlg->windowTitle(), "Viewing the oscilloscope data");
    EXPECT_EQ(dlg->size(), QSize(1002, 523));
    EXPECT_EQ(dlg->ScrollBar->minimum(), -32);
    EXPECT_EQ(dlg->ScrollBar->maximum(), 992);
    EXPECT_EQ(dlg->ScrollBar->pageStep(), 32);
    EXPECT_EQ(dlg->ScrollBar->value(), 0);
    EXPECT_EQ(dlg->rgTimeBase->title(), "ms/div");
    EXPECT_EQ(dlg->rgTimeBase->Count(), 10);
    // The sample holds 2 ms/div, 0.5 V/div at 1:1 (5 V/div at 1:10), 1:10.
    EXPECT_EQ(dlg->rgTimeBase->ItemIndex(), 2);
    EXPECT_EQ(dlg->rgVoltsPerDiv->Items(), QStringList({"  2", "  5", " 10"}));
    EXPECT_EQ(dlg->rgVoltsPerDiv->ItemIndex(), 1);
    EXPECT_EQ(dlg->rgDivider->ItemIndex(), 1);
    EXPECT_FALSE(dlg->rgVoltsPerDiv->isEnabled());
    EXPECT_FALSE(dlg->rgDivider->isEnabled());
    EXPECT_EQ(dlg->PaintBox->Picture().size(), QSize(1002, 278));
    EXPECT_EQ(TriggerMarkerX(dlg->PaintBox->Picture()), 64);
    PressEscape(dlg);
    EXPECT_FALSE(dlg->isVisible());
  });
  ViewOscilloscope(doc_, nullptr);
  EXPECT_TRUE(watch.Fired());
  EXPECT_EQ(messages_.shown().size(), 0u);
  EXPECT_EQ(mk_.Image(), image);
}

// A click on the button's circle, where a user clicks.
void ClickRadio(QRadioButton* b) {
  QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(7, b->height() / 2));
}

TEST_F(ViewerTest, ScrollBarAndTimeBaseMoveThePlot) {
  Load("v104-8k");
  mk_.LoadOscRecords();
  const auto image = mk_.Image();
  TMK_ViewOscDlg dlg(mk_);
  dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
  const QImage start = dlg.PaintBox->Picture();

  // Recorded and viewed at 2 ms/div: one pixel per sample.
  dlg.ScrollBar->setValue(-16);
  EXPECT_EQ(dlg.Offset(), -16);
  EXPECT_EQ(TriggerMarkerX(dlg.PaintBox->Picture()), 80);
  dlg.ScrollBar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(dlg.Offset(), 16);
  EXPECT_EQ(TriggerMarkerX(dlg.PaintBox->Picture()), 48);
  EXPECT_NE(dlg.PaintBox->Picture(), start);

  // 0.5 ms/div spreads the trace four times: 16 samples are 64 pixels.
  ClickRadio(dlg.rgTimeBase->Button(0));
  EXPECT_EQ(dlg.rgTimeBase->ItemIndex(), 0);
  EXPECT_EQ(mk_.OscRecords[0][0], 0);
  EXPECT_EQ(TriggerMarkerX(dlg.PaintBox->Picture()), 0);
  dlg.ScrollBar->setValue(-16);
  EXPECT_EQ(TriggerMarkerX(dlg.PaintBox->Picture()), 128);

  // Back to the recording's time base and offset: the first picture again.
  ClickRadio(dlg.rgTimeBase->Button(2));
  dlg.ScrollBar->setValue(0);
  EXPECT_EQ(dlg.PaintBox->Picture(), start);
  // The choice lives in the model's copy of the header, never in the image.
  EXPECT_EQ(mk_.Image(), image);
  EXPECT_EQ(messages_.shown().size(), 0u);
}

TEST_F(ViewerTest, OscilloscopeWithAnIndexOutsideItsTableIsReportedNotOpened) {
  Load("v104-8k");
  auto edited = mk_.Image();
  edited[kOscRecordPos[1]] = 12;  // recording time base
  mk_.ReplaceImage(edited);
  ModalWatcher watch([](QWidget*) {});
  ViewOscilloscope(doc_, nullptr);
  QTest::qWait(20);
  EXPECT_FALSE(watch.Fired());
  EXPECT_EQ(messages_.Count(Kind::Error), 1);
  EXPECT_TRUE(messages_.Last(Kind::Error).startsWith("Range check error"));
}

// --- Main window ------------------------------------------------------------------------

TEST_F(MainFormTest, StepButtonsOpenTheViewers) {
  TMainForm& f = Open();
  LoadSample("v104-8k");
  ASSERT_TRUE(f.bViewJournals->isEnabled());
  // The viewers open in the middle of the screen wherever the main window is.
  f.move(0, 0);
  const QPoint middle = f.screen()->availableGeometry().center();
  auto expectCentred = [&](QWidget* w) {
    EXPECT_LE((w->frameGeometry().center() - middle).manhattanLength(), 2)
        << w->objectName().toStdString();
  };
  ModalWatcher journals([&](QWidget* w) {
    EXPECT_NE(qobject_cast<TMK_ViewJournalsDlg*>(w), nullptr);
    expectCentred(w);
    QTest::keyClick(w, Qt::Key_Escape);
  });
  QTest::mouseClick(f.bViewJournals, Qt::LeftButton);
  EXPECT_TRUE(journals.Fired());

  ModalWatcher osc([&](QWidget* w) {
    EXPECT_NE(qobject_cast<TMK_ViewOscDlg*>(w), nullptr);
    expectCentred(w);
    QTest::keyClick(w, Qt::Key_Escape);
  });
  QTest::mouseClick(f.bViewOsc, Qt::LeftButton);
  EXPECT_TRUE(osc.Fired());
  EXPECT_FALSE(f.SettingsChanged);

  LoadSample("ve01-32k");
  QTest::mouseClick(f.bViewOsc, Qt::LeftButton);
  EXPECT_EQ(messages_.Last(ScriptedMessageService::Kind::Info),
            "В данной версии МК осцилллограф не поддерживается.");
}

}  // namespace
}  // namespace tc::test
