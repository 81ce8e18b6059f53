// The hex editor window: loaded on its first activation from the main window, moved with the real
// scroll bar, the keys and the mouse wheel.
#include <QWheelEvent>

#include "tests/qt/qt_fixture.h"

namespace m1::qt::testing {
namespace {

class HexWindowTest : public ProgramTest {
 protected:
  HexWindow& ShowHex(bool withFile = true) {
    MainWindow& main = StartMain();
    if (withFile) OpenThroughMenu(main, *dialogs_, WriteFile("disk.dsk", SampleJv1()));
    return ShowThrough(main, "Cmndhexedit", &QtHost::HexWin);
  }
  QScrollBar* Bar(HexWindow& w) { return Child<QScrollBar>(w, "VScroll1"); }
  // The offset item that opens the page's first line.
  std::string FirstOffset() {
    const auto printed = Printed(host_->HexLogic()->surface);
    return printed.empty() ? std::string() : printed.front();
  }
};

TEST_F(HexWindowTest, HexEditorButtonLoadsTheOpenImage) {
  HexWindow& hex = ShowHex();
  // 35 x 10 x 256 = 89600 bytes = 0x15E00.
  EXPECT_EQ(BoxText(hex, "Text1"), "15E00");
  EXPECT_EQ(BoxText(hex, "Text2"), "JV1");
  EXPECT_EQ(FirstOffset(), " 0000000  ");
  // The bar reaches the last page: (89600 - 256) / 16 = 5584.
  EXPECT_EQ(Bar(hex)->maximum(), 5584);
  EXPECT_EQ(hex.Page()->size(), QSize(631, 554));
  EXPECT_EQ(Bar(hex)->geometry(), QRect(592, 104, 17, 409));
  for (const char* word : {"Hex", "4", "files and disk image files", "m1view developers"}) {
    EXPECT_TRUE(hex.windowTitle().contains(QString::fromLatin1(word))) << word;
  }
}

TEST_F(HexWindowTest, MovingTheScrollBarShowsThatPage) {
  HexWindow& hex = ShowHex();
  Bar(hex)->setValue(2);
  EXPECT_EQ(host_->HexLogic()->VScroll1.value, 2);
  EXPECT_EQ(FirstOffset(), " 0000020  ");
  Bar(hex)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(FirstOffset(), " 0000030  ");
}

TEST_F(HexWindowTest, KeysAndWheelMoveByLinesAndPages) {
  HexWindow& hex = ShowHex();
  const struct {
    int key;
    int value;
  } steps[] = {
      {Qt::Key_PageDown, 28}, {Qt::Key_Down, 29},  {Qt::Key_PageDown, 57}, {Qt::Key_Up, 56},
      {Qt::Key_PageUp, 28},   {Qt::Key_PageUp, 0}, {Qt::Key_Up, 0},
  };
  for (const auto& s : steps) {
    QTest::keyClick(hex.Page(), static_cast<Qt::Key>(s.key));
    EXPECT_EQ(Bar(hex)->value(), s.value) << s.key;
    EXPECT_EQ(host_->HexLogic()->VScroll1.value, s.value);
  }
  // Two notches towards the user go two lines on, one notch back one line back.
  const QPointF at(100, 200);
  QWheelEvent down(at, hex.Page()->mapToGlobal(at), QPoint(), QPoint(0, -240), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(hex.Page(), &down);
  EXPECT_EQ(Bar(hex)->value(), 2);
  QWheelEvent up(at, hex.Page()->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                 Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(hex.Page(), &up);
  EXPECT_EQ(Bar(hex)->value(), 1);
  EXPECT_EQ(FirstOffset(), " 0000010  ");
}

TEST_F(HexWindowTest, WithoutAFileTheWindowStaysEmpty) {
  HexWindow& hex = ShowHex(false);
  EXPECT_EQ(BoxText(hex, "TxtFilename"), "");
  EXPECT_EQ(BoxText(hex, "Text1"), "");
  EXPECT_TRUE(Printed(host_->HexLogic()->surface).empty());
}

TEST_F(HexWindowTest, AFailedLoadOnActivationIsTriedAgainOnlyAtTheNextActivation) {
  MainWindow& main = StartMain();
  host_->Module().SharedFilename = QDir(dir_.path()).filePath("missing.dsk").toStdString();
  host_->ShowForm(FormId::Hex);
  HexWindow& hex = *host_->HexWin();
  ASSERT_TRUE(Activated(hex));
  ASSERT_EQ(dialogs_->messages.size(), 1u);
  EXPECT_EQ(dialogs_->messages[0].title, "Text Editor");
  // The window system gives the window back after the box: no new activation, no new message.
  QEvent activate(QEvent::WindowActivate);
  QCoreApplication::sendEvent(&hex, &activate);
  Settle();
  EXPECT_EQ(dialogs_->messages.size(), 1u);
  // Going to the main window and back is an activation again.
  host_->ShowForm(FormId::Main);
  ASSERT_TRUE(Activated(main));
  host_->ShowForm(FormId::Hex);
  ASSERT_TRUE(Activated(hex));
  EXPECT_EQ(dialogs_->messages.size(), 2u);
}

TEST_F(HexWindowTest, ExitFromItsMenuEndsTheProgram) {
  HexWindow& hex = ShowHex();
  hex.findChild<QAction*>(QStringLiteral("mnuFileItem4"))->trigger();
  EXPECT_TRUE(host_->Ended());
  EXPECT_FALSE(host_->MainWin()->isVisible());
}

}  // namespace
}  // namespace m1::qt::testing
