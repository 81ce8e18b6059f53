// The main window as a user meets it: the real widgets at their places, the File menu, the
// buttons clicked with the mouse and the boxes read back.
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>

#include "tests/qt/qt_fixture.h"

namespace m1::qt::testing {
namespace {

using MainWindowTest = ProgramTest;

TEST_F(MainWindowTest, ControlsStandAtTheirTwipsPlacesInPixels) {
  MainWindow& w = StartMain();
  // Twips / 15: the client area of 9480 x 7380 twips is 632 x 492 pixels.
  EXPECT_EQ(w.Page()->size(), QSize(632, 492));
  const struct {
    const char* name;
    QRect px;
  } places[] = {
      {"Label7", {8, 8, 33, 33}},          {"Txtfiletype", {40, 8, 33, 21}},
      {"TxtFilename", {88, 8, 537, 21}},   {"Text4", {312, 40, 193, 21}},
      {"CmndGotoTrk", {16, 104, 81, 22}},  {"Combo1", {104, 104, 57, 22}},
      {"List2", {176, 104, 281, 18}},      {"TxtDens", {0, 360, 33, 25}},
      {"Text6", {440, 144, 73, 21}},       {"Frame3", {472, 416, 153, 65}},
      {"CmndDirFind", {384, 432, 81, 33}}, {"Cmndhexedit", {552, 440, 65, 33}},
  };
  for (const auto& p : places) EXPECT_EQ(Child(w, p.name)->geometry(), p.px) << p.name;
  // Line4 runs down from (600, 2040) to (600, 6000), 2 pixels wide.
  EXPECT_EQ(Child(w, "Line4")->geometry(), QRect(39, 136, 2, 265));
  EXPECT_EQ(Child<QGroupBox>(w, "Frame1")->title(), "Sector step");
  EXPECT_EQ(Child<QLabel>(w, "Label10")->text(), "DAM");
  EXPECT_EQ(Child<QPushButton>(w, "CmndDirFind")->accessibleName(), "To Directory");
  EXPECT_EQ(Child<QPushButton>(w, "CmndNextsec")->text(), "Next Sec");
  // "Sector Display" is wider than its 65-pixel button: it takes two lines.
  EXPECT_EQ(Child<QPushButton>(w, "Cmndsecdisp")->text(), "Sector\nDisplay");
  EXPECT_EQ(ToRgb(Child<QComboBox>(w, "Combo1")->palette().color(QPalette::Base)),
            (Rgb{192, 192, 255}));
  EXPECT_EQ(ToRgb(Child<QListWidget>(w, "List2")->palette().color(QPalette::Base)),
            (Rgb{255, 192, 128}));
  EXPECT_EQ(BoxBackground(w, "Txtsector"), (Rgb{192, 255, 192}));
  EXPECT_EQ(BoxBackground(w, "Text6"), (Rgb{255, 192, 192}));
}

TEST_F(MainWindowTest, CaptionAndMenusAreThoseOfTheProgram) {
  MainWindow& w = StartMain();
  for (const char* word : {"m1view", "9.0", "JV1", "JV3", "DMK", "m1view developers"}) {
    EXPECT_TRUE(w.windowTitle().contains(QString::fromLatin1(word))) << word;
  }
  const QList<QAction*> top = w.menuBar()->actions();
  ASSERT_EQ(top.size(), 4);  // File, Edit, Disk (disk_windows_test.cpp), Help
  EXPECT_EQ(top[0]->text(), "    &File");
  EXPECT_EQ(top[1]->text(), "&Edit");
  EXPECT_EQ(top[2]->text(), "&Disk");
  EXPECT_EQ(top[3]->text(), "&Help");
  const QList<QAction*> items = top[0]->menu()->actions();
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[0]->text(), "&Open...");
  EXPECT_TRUE(items[1]->isSeparator());
  EXPECT_EQ(items[2]->text(), "E&xit");
  EXPECT_EQ(items[0]->shortcut(), QKeySequence(QKeySequence::Open));
}

TEST_F(MainWindowTest, OpenedJv1ImageFillsTheBoxesOfSectorZero) {
  MainWindow& w = StartMain();
  const std::string path = WriteFile("disk.dsk", SampleJv1());
  OpenThroughMenu(w, *dialogs_, path);
  ASSERT_EQ(dialogs_->opens.size(), 1u);
  EXPECT_EQ(dialogs_->opens[0].filterIndex, 2);
  EXPECT_EQ(BoxText(w, "TxtFilename").toStdString(), path);
  EXPECT_EQ(BoxText(w, "Txtfiletype"), "JV1");
  EXPECT_EQ(BoxBackground(w, "Txtfiletype"), (Rgb{255, 192, 128}));
  EXPECT_EQ(BoxText(w, "Text1"), " 35 Track");
  EXPECT_EQ(BoxText(w, "Text2"), " Single/Density");
  EXPECT_EQ(BoxTextColour(w, "Text2"), (Rgb{0, 160, 0}));
  EXPECT_EQ(BoxText(w, "Txttrk"), "0");
  EXPECT_EQ(BoxText(w, "Txtsector"), "0");
  EXPECT_EQ(BoxText(w, "Txttrkspt"), "10");
  EXPECT_EQ(BoxText(w, "TxtDens"), "S/D  ");
  EXPECT_EQ(BoxBackground(w, "TxtDens"), (Rgb{160, 255, 0}));
  EXPECT_EQ(BoxText(w, "Txtsectype"), "Data Sec.");
  EXPECT_EQ(BoxText(w, "Txtdam"), "0");
  EXPECT_EQ(BoxText(w, "Text6"), "0");
  // The combo box lists the 35 tracks.
  EXPECT_EQ(Child<QComboBox>(w, "Combo1")->count(), 35);
  // The dump is on the window: row 1 begins 00 FE 11.
  const auto printed = Printed(host_->MainLogic()->surface);
  ASSERT_GE(printed.size(), 4u);
  EXPECT_TRUE(HasPrinted(host_->MainLogic()->surface, "FE"));
  EXPECT_TRUE(HasPrinted(host_->MainLogic()->surface, "11"));
}

TEST_F(MainWindowTest, SectorAndTrackButtonsStepThroughTheImage) {
  MainWindow& w = StartWith(WriteFile("disk.dsk", SampleJv1()));
  Click(w, "CmndNextsec");
  ExpectBoxTexts(w, {{"Txtsecnum", "1"}, {"Txtsector", "1"}, {"Text6", "100"}});
  Click(w, "CmndNexTrack");
  ExpectBoxTexts(w, {{"Txttrk", "1"}, {"Txtsector", "0"}, {"Text6", "A00"}});
  Click(w, "CmndPrevTrk");
  EXPECT_EQ(BoxText(w, "Txttrk"), "0");
  Click(w, "CmndPrevsec");  // at index 0 already
  EXPECT_EQ(BoxText(w, "Txtsecnum"), "0");
}

TEST_F(MainWindowTest, ToDirectoryShowsTheFirstDirectorySector) {
  MainWindow& w = StartWith(WriteFile("disk.dsk", SampleJv1()));
  Click(w, "CmndDirFind");
  ExpectBoxTexts(w, {{"Txtsecnum", "170"}, {"Txttrk", "17"}, {"Txtsectype", "Dir Sec."}});
  EXPECT_EQ(BoxBackground(w, "Txtsectype"), (Rgb{255, 128, 128}));
  EXPECT_EQ(BoxBackground(w, "Txtsecnum"), (Rgb{255, 128, 128}));
  EXPECT_EQ(BoxText(w, "Txtdam"), "20");
  EXPECT_EQ(BoxText(w, "Text6"), "AA00");
}

TEST_F(MainWindowTest, TypedTrackGoesToThatTrack) {
  MainWindow& w = StartWith(WriteFile("disk.dsk", SampleJv1()));
  auto* combo = Child<QComboBox>(w, "Combo1");
  combo->lineEdit()->clear();
  QTest::keyClicks(combo->lineEdit(), "12");
  EXPECT_EQ(host_->MainLogic()->Combo1.text, "12");
  Click(w, "CmndGotoTrk");
  EXPECT_EQ(BoxText(w, "Txttrk"), "12");
  EXPECT_EQ(BoxText(w, "Text6"), "7800");
  // Picking a track from the list works the same way.
  combo->setCurrentIndex(3);
  EXPECT_EQ(host_->MainLogic()->Combo1.text, combo->itemText(3).toStdString());
  Click(w, "CmndGotoTrk");
  EXPECT_EQ(BoxText(w, "Txttrk"), "3");
}

TEST_F(MainWindowTest, CancelledOpenChangesNothing) {
  MainWindow& w = StartMain();
  dialogs_->answers.push_back(std::nullopt);
  w.findChild<QAction*>(QStringLiteral("mnuFileItem1"))->trigger();
  Settle();
  EXPECT_EQ(BoxText(w, "TxtFilename"), "");
  EXPECT_TRUE(Printed(host_->MainLogic()->surface).empty());
  EXPECT_TRUE(dialogs_->messages.empty());
}

TEST_F(MainWindowTest, TheDumpIsPaintedAgainFromItsItems) {
  MainWindow& w = StartWith(WriteFile("disk.dsk", SampleJv1()));
  const QImage first = w.Page()->grab().toImage();
  w.Page()->update();
  Settle();
  EXPECT_EQ(w.Page()->grab().toImage(), first);
  // Something besides the background is painted in the dump area.
  int painted = 0;
  for (int y = 170; y < 370; y += 2) {
    for (int x = 60; x < 580; x += 2) painted += first.pixelColor(x, y) != QColor(192, 192, 192);
  }
  EXPECT_GT(painted, 100);
}

TEST_F(MainWindowTest, CloseBoxEndsTheProgram) {
  MainWindow& w = StartMain();
  w.close();
  EXPECT_TRUE(host_->Ended());
  EXPECT_FALSE(w.isVisible());
}

TEST_F(MainWindowTest, ExitEndsTheProgramWithEveryWindow) {
  MainWindow& w = StartMain();
  Click(w, "Cmndhexedit");
  ASSERT_NE(host_->HexWin(), nullptr);
  EXPECT_TRUE(host_->HexWin()->isVisible());
  w.findChild<QAction*>(QStringLiteral("mnuFileItem4"))->trigger();
  EXPECT_TRUE(host_->Ended());
  EXPECT_FALSE(w.isVisible());
  EXPECT_FALSE(host_->HexWin()->isVisible());
}

}  // namespace
}  // namespace m1::qt::testing
