// The ways in from the desktop, on the real widgets: a file named on the command line, dropped on
// a window or chosen in the Open dialog shows the same; Edit > Copy and Ctrl+C put the dump on the
// clipboard; the status bar under a window says what is under the mouse.
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QStatusBar>
#include <QUrl>

#include "tests/qt/qt_fixture.h"

namespace m1::qt::testing {
namespace {

class DesktopTest : public ProgramTest {
 protected:
  // A file dragged from a file manager and let go over widget (the events a drop delivers).
  static void Drop(QWidget* widget, const std::string& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &drop);
    Settle();
  }
  // The mouse moved to (x, y) pixels of the window's drawing surface.
  static void Hover(FormWindow& w, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, w.Page()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w.Page(), &move);
  }
  static QString Status(FormWindow& w) { return Child<QLabel>(w, "hoverStatus")->text(); }
  static QString Clipboard() { return QGuiApplication::clipboard()->text(); }

  // What the main window shows: its boxes and its drawing.
  struct Shown {
    std::vector<std::string> boxes;
    std::vector<DrawOp> drawn;
    friend bool operator==(const Shown&, const Shown&) = default;
  };
  static Shown ShownBy(QtHost& host) {
    Shown s;
    for (const char* name : {"TxtFilename", "Txtfiletype", "Text1", "Text2", "Txttrk", "Text6"}) {
      s.boxes.push_back(BoxText(*host.MainWin(), name).toStdString());
    }
    s.drawn = host.MainLogic()->surface.Items();
    return s;
  }
};

TEST_F(DesktopTest, AFileShowsTheSameFromTheCommandLineADropAndTheDialog) {
  const std::string path = WriteFile("disk.dsk", SampleJv1());
  // The dialog.
  OpenThroughMenu(StartMain(), *dialogs_, path);
  const Shown byDialog = ShownBy(*host_);
  EXPECT_EQ(byDialog.boxes[0], path);
  // The command line, by a path relative to the folder the program starts in.
  host_ = std::make_unique<QtHost>(std::make_unique<RecordingDialogs>());
  ASSERT_TRUE(QDir::setCurrent(dir_.path()));
  host_->Start("disk.dsk");
  ASSERT_TRUE(Activated(*host_->MainWin()));
  EXPECT_EQ(ShownBy(*host_), byDialog);
  // A drop anywhere on the window, here on its drawing surface.
  host_ = std::make_unique<QtHost>(std::make_unique<RecordingDialogs>());
  MainWindow& w = StartMain();
  Drop(w.Page(), path);
  EXPECT_EQ(ShownBy(*host_), byDialog);
}

TEST_F(DesktopTest, AFileThatCannotBeOpenedGetsTheOpenFailureMessage) {
  host_->Start(QDir(dir_.path()).filePath("missing.dsk").toStdString());
  ASSERT_TRUE(Activated(*host_->MainWin()));
  ASSERT_EQ(dialogs_->messages.size(), 1u);
  EXPECT_EQ(dialogs_->messages[0].text,
            "Error encountered while trying to open file, please retry.");
  EXPECT_TRUE(dialogs_->opens.empty());
}

TEST_F(DesktopTest, AFileDroppedOnTheOtherWindowsOpensThere) {
  MainWindow& main = StartMain();
  const std::string path = WriteFile("disk.dsk", SampleJv1());
  Click(main, "Cmndsecdisp");
  Drop(host_->MapWin(), path);
  EXPECT_EQ(BoxText(*host_->MapWin(), "TxtFilename").toStdString(), path);
  EXPECT_TRUE(HasPrinted(host_->MapLogic()->surface, "Trk  0 : 0 "));
  host_->ShowForm(FormId::Hex);
  Drop(host_->HexWin(), path);
  EXPECT_EQ(BoxText(*host_->HexWin(), "Text1"), "15E00");
  // The main window's boxes are untouched: each window opened the file on its own.
  EXPECT_EQ(BoxText(main, "TxtFilename"), "");
}

TEST_F(DesktopTest, CopyPutsTheDumpOnTheClipboard) {
  MainWindow& main = StartWith(WriteFile("disk.dsk", SampleJv1()));
  const QString sector0 =
      "00000000  00 FE 11 42 4F 4F 54 00  00 00 00 00 00 00 00 00  |...BOOT.........|\n";
  const QList<QAction*> top = main.menuBar()->actions();
  ASSERT_EQ(top.size(), 4);  // File, Edit, Disk, Help
  EXPECT_EQ(top[1]->text(), "&Edit");
  Child<QAction>(main, "mnuEditCopy")->trigger();
  EXPECT_TRUE(Clipboard().startsWith(sector0)) << Clipboard().toStdString();
  EXPECT_EQ(Clipboard().count(QLatin1Char('\n')), 16);
  // Ctrl+C, with a button holding the focus, then a box that has nothing selected.
  QGuiApplication::clipboard()->clear();
  Click(main, "CmndNextsec");
  QTest::keyClick(&main, Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(Clipboard().startsWith("00000000  00 00 00")) << Clipboard().toStdString();
  QGuiApplication::clipboard()->clear();
  auto* box = Child<QLineEdit>(main, "TxtFilename");
  box->setFocus();
  QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(Clipboard().startsWith("00000000  00 00 00")) << Clipboard().toStdString();
  // With text selected in the box, the box copies its selection.
  box->setSelection(0, 4);
  QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(Clipboard(), box->text().left(4));
  // The hex window copies its page of 28 lines.
  Click(main, "Cmndhexedit");
  ASSERT_TRUE(Activated(*host_->HexWin()));
  Child<QAction>(*host_->HexWin(), "mnuEditCopy")->trigger();
  EXPECT_TRUE(Clipboard().startsWith(sector0));
  EXPECT_EQ(Clipboard().count(QLatin1Char('\n')), 28);
}

TEST_F(DesktopTest, TheStatusBarUnderTheDesignedAreaTellsWhatIsUnderTheMouse) {
  MainWindow& main = StartWith(WriteFile("disk.dsk", SampleJv1()));
  Click(main, "Cmndhexedit");
  HexWindow& hex = *host_->HexWin();
  ASSERT_TRUE(Activated(hex));
  // The bar lies under the drawing surface, which keeps its designed size.
  EXPECT_EQ(hex.Page()->size(), QSize(631, 554));
  EXPECT_GE(hex.statusBar()->geometry().top(), hex.Page()->geometry().bottom());
  // Over the second byte of the page's first line: its item, three pixels in.
  const DrawOp& byte1 = host_->HexLogic()->surface.Items().at(2);
  Hover(hex, QPoint(byte1.x / 15 + 3, byte1.y / 15 + 3));
  EXPECT_TRUE(Status(hex).startsWith("0000001: ")) << Status(hex).toStdString();
  EXPECT_TRUE(hex.Page()->toolTip().startsWith("0000001: "));
  Hover(hex, QPoint(2, 2));  // over no byte
  EXPECT_EQ(Status(hex), "");
  // The sector map: over sector 0 of track 0.
  host_->ShowForm(FormId::Map);
  SectorMapWindow& map = *host_->MapWin();
  ASSERT_TRUE(Activated(map));
  EXPECT_EQ(map.Page()->size(), QSize(632, 488));
  const auto& items = host_->MapLogic()->surface.Items();
  const auto sector0 = std::find_if(
      items.begin(), items.end(), [](const DrawOp& op) { return op.text == " 0 " && op.x > 1000; });
  ASSERT_NE(sector0, items.end());
  Hover(map, QPoint(sector0->x / 15 + 8, sector0->y / 15 + 3));
  // JV1 records no ID fields and no CRCs.
  EXPECT_EQ(Status(map), "track 0 side 0 sector 0: no CRCs recorded") << Status(map).toStdString();
}

}  // namespace
}  // namespace m1::qt::testing
