// The sector map window, shown from the main window's real button and paged with its own.
#include <QRadioButton>

#include "tests/qt/qt_fixture.h"

namespace m1::qt::testing {
namespace {

class MapWindowTest : public ProgramTest {
 protected:
  // The main window with the sample open, then "Sector Display".
  SectorMapWindow& ShowMap() {
    MainWindow& main = StartMain();
    path_ = WriteFile("disk.dsk", SampleJv1());
    OpenThroughMenu(main, *dialogs_, path_);
    return ShowThrough(main, "Cmndsecdisp", &QtHost::MapWin);
  }
  std::string path_;
};

TEST_F(MapWindowTest, SectorDisplayButtonShowsTheMapOfTheOpenImage) {
  SectorMapWindow& map = ShowMap();
  EXPECT_EQ(host_->Module().SharedFilename, path_);
  EXPECT_EQ(BoxText(map, "TxtFilename").toStdString(), path_);
  EXPECT_EQ(BoxText(map, "Text1"), "JV1");
  EXPECT_EQ(BoxBackground(map, "Text1"), (Rgb{255, 224, 192}));
  EXPECT_TRUE(Child<QRadioButton>(map, "Option1")->isChecked());
  EXPECT_FALSE(Child<QRadioButton>(map, "Option2")->isChecked());
  EXPECT_TRUE(HasPrinted(host_->MapLogic()->surface, "Trk  0 : 0 "));
  EXPECT_FALSE(HasPrinted(host_->MapLogic()->surface, "Trk 21 : 0 "));
  EXPECT_EQ(map.Page()->size(), QSize(632, 488));
  EXPECT_EQ(Child(map, "Cmndfiledisp")->geometry(), QRect(344, 440, 137, 25));
  for (const char* word : {"sector display", "DMK", "JV", "m1view developers"}) {
    EXPECT_TRUE(map.windowTitle().contains(QString::fromLatin1(word))) << word;
  }
}

TEST_F(MapWindowTest, NextAndPreviousPageThroughTheTracks) {
  SectorMapWindow& map = ShowMap();
  Click(map, "Cmndnext");
  EXPECT_EQ(host_->MapLogic()->Pagenum, 1);
  EXPECT_TRUE(HasPrinted(host_->MapLogic()->surface, "Trk 21 : 0 "));
  EXPECT_FALSE(HasPrinted(host_->MapLogic()->surface, "Trk  0 : 0 "));
  Click(map, "Cmndprev");
  EXPECT_EQ(host_->MapLogic()->Pagenum, 0);
  EXPECT_TRUE(HasPrinted(host_->MapLogic()->surface, "Trk  0 : 0 "));
}

TEST_F(MapWindowTest, ChoosingTheOtherOrderKeepsThePage) {
  SectorMapWindow& map = ShowMap();
  Click(map, "Cmndnext");
  QTest::mouseClick(Child<QRadioButton>(map, "Option2"), Qt::LeftButton);
  Settle();
  EXPECT_EQ(host_->MapLogic()->Option2.value, true);
  EXPECT_EQ(host_->MapLogic()->Option1.value, false);
  EXPECT_FALSE(Child<QRadioButton>(map, "Option1")->isChecked());
  EXPECT_TRUE(HasPrinted(host_->MapLogic()->surface, "Trk 21 : 0 "));
}

TEST_F(MapWindowTest, FileDisplayModeBringsTheMainWindowBackAndReturningReloads) {
  SectorMapWindow& map = ShowMap();
  Click(map, "Cmndnext");
  Click(map, "Cmndfiledisp");
  ASSERT_TRUE(Activated(*host_->MainWin()));
  // Back to the map: the activation reads the shared file again from page 0.
  host_->ShowForm(FormId::Map);
  ASSERT_TRUE(Activated(map));
  EXPECT_EQ(host_->MapLogic()->Pagenum, 0);
  EXPECT_TRUE(HasPrinted(host_->MapLogic()->surface, "Trk  0 : 0 "));
}

TEST_F(MapWindowTest, ShowingTheMapTwiceMakesOneWindow) {
  SectorMapWindow& map = ShowMap();
  Click(*host_->MainWin(), "Cmndsecdisp");
  EXPECT_EQ(host_->MapWin(), &map);
}

TEST_F(MapWindowTest, CloseBoxEndsTheProgram) {
  SectorMapWindow& map = ShowMap();
  map.close();
  EXPECT_TRUE(host_->Ended());
  EXPECT_FALSE(host_->MainWin()->isVisible());
}

}  // namespace
}  // namespace m1::qt::testing
