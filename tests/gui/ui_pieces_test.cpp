// SPDX-License-Identifier: GPL-3.0-or-later
// The shared Qt pieces: picture view, radio group, dialog centring, drop-down
// height and the page layout.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "ui/dialog_placement.h"
#include "ui/page_layout.h"
#include "ui/picture_view.h"
#include "ui/qt_text.h"
#include "ui/radio_group.h"
#include "util/rgb_image.h"

namespace tc {
namespace {

QPoint DeviceOf(const QSignalSpy& spy) {
  return spy.last().at(0).toPoint();
}

TEST(PictureViewTest, ClicksAtTheScaledPositionReportTheDevicePixel) {
  RgbImage screen(320, 240);
  screen.Set(317, 5, {10, 20, 30});
  TPictureView view;
  view.SetImage(screen);
  EXPECT_EQ(view.Picture().pixelColor(317, 5), QColor(10, 20, 30));
  EXPECT_EQ(view.sizeHint(), QSize(320, 240));

  // Fitted: the largest whole scale (2) that fits, centred.
  view.SetScale(0);
  view.resize(700, 500);
  EXPECT_EQ(view.Scale(), 2);
  EXPECT_EQ(view.PictureRect(), QRect(30, 10, 640, 480));
  QSignalSpy left(&view, &TPictureView::LeftClicked);
  QSignalSpy right(&view, &TPictureView::RightClicked);
  // Both screen pixels of device pixel 317 map back to it.
  QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(30 + 634, 10 + 10));
  QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(30 + 635, 10 + 11));
  ASSERT_EQ(left.count(), 2);
  EXPECT_EQ(left.at(0).at(0).toPoint(), QPoint(317, 5));
  EXPECT_EQ(DeviceOf(left), QPoint(317, 5));
  EXPECT_EQ(left.last().at(1).toPoint(), view.mapToGlobal(QPoint(665, 21)));
  QTest::mouseClick(&view, Qt::RightButton, {}, QPoint(30 + 639, 10 + 479));
  ASSERT_EQ(right.count(), 1);
  EXPECT_EQ(DeviceOf(right), QPoint(319, 239));
  // The black margin round the picture is no pixel of the device.
  QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(29, 200));
  QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(300, 490));
  EXPECT_EQ(left.count(), 2);
  EXPECT_FALSE(view.DevicePixelAt(QPoint(670, 100)));
}

TEST(PictureViewTest, FixedScaleDrawsFromTheCornerAndAnEmptyPictureReportsNothing) {
  TPictureView view;
  view.SetImage(RgbImage(80, 240));  // the info panel
  view.SetScale(3);
  view.resize(400, 800);
  EXPECT_EQ(view.sizeHint(), QSize(240, 720));
  EXPECT_EQ(view.DevicePixelAt(QPoint(239, 719)), QPoint(79, 239));
  EXPECT_EQ(view.DevicePixelAt(QPoint(3, 5)), QPoint(1, 1));
  EXPECT_FALSE(view.DevicePixelAt(QPoint(240, 10)));

  view.SetImage(RgbImage());
  EXPECT_TRUE(view.Picture().isNull());
  EXPECT_FALSE(view.DevicePixelAt(QPoint(0, 0)));
}

TEST(RadioGroupTest, KeepsTheChoiceWhenItemsAreSetAgain) {
  TRadioGroup group;
  group.setObjectName("rgTest");
  group.SetItems({"a", "b", "c"}, {true, false});
  EXPECT_EQ(group.ItemIndex(), -1);
  EXPECT_FALSE(group.Button(1)->isEnabled());
  EXPECT_TRUE(group.Button(2)->isEnabled());  // `enabled` shorter than the items
  EXPECT_EQ(group.Button(2)->objectName(), "rgTest_2");
  QSignalSpy clicked(&group, &TRadioGroup::Clicked);
  group.SetItemIndex(2);
  EXPECT_EQ(clicked.count(), 0);

  // New texts (the other language), same count: the choice stays.
  group.SetItems({"A", "B", "C"});
  EXPECT_EQ(group.ItemIndex(), 2);
  EXPECT_EQ(group.Items(), QStringList({"A", "B", "C"}));
  // More items and a new arrangement: still the same item.
  group.SetItems({"A", "B", "C", "D"}, {}, 2);
  EXPECT_EQ(group.ItemIndex(), 2);
  // The chosen item gone: nothing chosen, not some other item.
  group.SetItems({"A", "B"});
  EXPECT_EQ(group.ItemIndex(), -1);
  EXPECT_EQ(group.Button(2), nullptr);
  group.SetItemIndex(1);
  group.SetItemIndex(7);
  EXPECT_EQ(group.ItemIndex(), -1);

  group.show();
  QCoreApplication::processEvents();
  QTest::mouseClick(group.Button(0), Qt::LeftButton, {}, QPoint(7, group.Button(0)->height() / 2));
  ASSERT_EQ(clicked.count(), 1);
  EXPECT_EQ(clicked.last().at(0).toInt(), 0);
  EXPECT_EQ(group.ItemIndex(), 0);
}

TEST(RadioGroupTest, ItemsRunAlongRowsOrDownColumns) {
  TRadioGroup group;
  QStringList items;
  for (int i = 0; i < 10; ++i) items << QString::number(i);
  group.SetItems(items, {}, 2);
  group.resize(300, 200);
  group.show();
  QCoreApplication::processEvents();
  EXPECT_EQ(group.Button(1)->y(), group.Button(0)->y());
  EXPECT_GT(group.Button(1)->x(), group.Button(0)->x());

  group.SetColumnMajor(true);
  group.SetItems(items, {}, 2);
  QCoreApplication::processEvents();
  group.layout()->activate();
  EXPECT_EQ(group.Button(1)->x(), group.Button(0)->x());
  EXPECT_GT(group.Button(1)->y(), group.Button(0)->y());
  EXPECT_EQ(group.Button(5)->y(), group.Button(0)->y());
  EXPECT_GT(group.Button(5)->x(), group.Button(4)->x());
  EXPECT_EQ(group.Button(9)->y(), group.Button(4)->y());
}

TEST(DialogPlacementTest, CentresTheDialogOnItsScreen) {
  QDialog dlg;
  dlg.resize(300, 200);
  dlg.move(0, 0);
  CentreOnScreen(&dlg);
  dlg.show();
  CentreOnScreen(&dlg);
  const QPoint centre = dlg.screen()->availableGeometry().center();
  const QPoint got = dlg.frameGeometry().center();
  EXPECT_LE(std::abs(got.x() - centre.x()), 1);
  EXPECT_LE(std::abs(got.y() - centre.y()), 1);
}

TEST(QtTextTest, PicksTheLanguageAndKeepsCyrillic) {
  const TextPair t{"Бак", "Tank"};
  EXPECT_EQ(Q(t, false), QString::fromUtf8("Бак"));
  EXPECT_EQ(Q(t, true), "Tank");
  EXPECT_EQ(Q(t, false).size(), 3);
}

TEST(ComboTest, LongListsOpenAtMostTwentyItemsHigh) {
  QWidget window;
  auto* combo = new QComboBox(&window);
  for (int i = 0; i < 120; ++i) combo->addItem(QString("Protocol %1").arg(i));
  ConfigureCombo(combo);
  combo->setCurrentIndex(60);
  window.resize(300, 100);
  window.show();
  combo->showPopup();
  QCoreApplication::processEvents();
  QAbstractItemView* list = combo->view();
  ASSERT_TRUE(list->isVisible());
  const int row = list->sizeHintForRow(0);
  ASSERT_GT(row, 0);
  EXPECT_LE(list->window()->height(), 21 * row + 16);
  EXPECT_LT(list->window()->height(), window.screen()->availableGeometry().height() / 2);
  combo->hidePopup();
}

TEST(PageLayoutTest, ColumnsShareThePageAndCaptionsLineUp) {
  QWidget page;
  auto* columns = new TPageColumns(&page);
  QLabel* captions[3];
  QDoubleSpinBox* spins[3];
  QGroupBox* groups[3];
  const char* texts[3] = {"Short", "A much longer caption than that", "Mid caption"};
  QVBoxLayout* column = nullptr;
  for (int i = 0; i < 3; ++i) {
    if (i != 1) column = columns->AddColumn();  // groups 0 and 1 share a column
    QGridLayout* grid;
    groups[i] = NewPageGroup(&page, &grid);
    groups[i]->setTitle("Group");
    column->addWidget(groups[i]);
    captions[i] = new QLabel(texts[i]);
    spins[i] = new QDoubleSpinBox;
    spins[i]->setMaximumWidth(110);
    AddCaptionedRow(grid, captions[i], spins[i]);
    if (i != 0) column->addStretch(1);
  }
  // A page that ends its row with a stretch, as the pages do.
  columns->addStretch(1);
  page.resize(1000, 500);
  page.show();
  QCoreApplication::processEvents();
  columns->activate();

  // The two columns share the width; nothing bunches up on the left.
  EXPECT_GT(groups[2]->geometry().right(), 950);
  EXPECT_NEAR(groups[0]->width(), groups[2]->width(), 12);
  // Caption columns line up within a column, and a narrow control stays
  // beside its caption.
  const auto controlX = [&](int i) { return spins[i]->mapTo(&page, QPoint()).x(); };
  EXPECT_EQ(controlX(0), controlX(1));
  EXPECT_GT(controlX(0),
            captions[1]->mapTo(&page, QPoint()).x() + captions[1]->sizeHint().width() - 1);
  EXPECT_LT(controlX(2) - captions[2]->mapTo(&page, QPoint()).x(),
            captions[2]->sizeHint().width() + 40);
  // Groups are packed to the top.
  EXPECT_LT(groups[0]->y(), 20);
  EXPECT_LT(groups[1]->y(), groups[0]->geometry().bottom() + 20);
}

}  // namespace
}  // namespace tc
