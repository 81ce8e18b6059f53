// Where the windows open and how they come back: inside the screen, never smaller than their
// layout, and restored from the taskbar whenever they are asked for again.
#include "platform/qt/window_place.h"

#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <functional>
#include <utility>

#include "files/qt/files_window.h"
#include "health/qt/health_window.h"
#include "tests/qt/qt_fixture.h"

namespace m1::qt::testing {
namespace {

using WindowPlace = ProgramTest;

TEST(FitInside, MovesAFrameOntoTheScreenAndShrinksItNoFurtherThanItsMinimum) {
  const QRect screen(0, 30, 800, 570);  // a panel of 30 pixels across the top
  const struct {
    QRect frame;
    QSize minimum;
    QRect fitted;
  } cases[] = {
      {{100, 100, 300, 200}, {50, 50}, {100, 100, 300, 200}},  // inside: stays
      {{10, 0, 300, 200}, {50, 50}, {10, 30, 300, 200}},       // under the panel: below it
      {{700, 500, 300, 200}, {50, 50}, {500, 400, 300, 200}},  // past the right and bottom
      {{-50, -50, 1800, 700}, {400, 300}, {0, 30, 800, 570}},  // too large: the whole area
      {{100, 100, 900, 700}, {850, 620}, {0, 30, 850, 620}},   // its minimum too: top left
  };
  for (const auto& c : cases) EXPECT_EQ(FitInside(c.frame, c.minimum, screen), c.fitted);
}

TEST_F(WindowPlace, MainWindowKeepsItsLayoutAndEveryWindowOpensOnTheScreen) {
  MainWindow& w = StartWith(WriteFile("disk.dsk", SampleJv1()));
  // 9480 x 7380 twips are 632 x 492 pixels, with the menu bar above and the status bar below.
  EXPECT_EQ(w.minimumSize(), QSize(632, w.menuBar()->height() + 492 + w.statusBar()->height()));
  EXPECT_EQ(w.Page()->size(), QSize(632, 492));  // a status line does not take a pixel from it
  Click(w, "Cmndsecdisp");
  Click(w, "Cmndhexedit");
  for (const char* item : {"mnuDiskHealth", "mnuDiskFiles"}) {
    w.findChild<QAction*>(QString::fromLatin1(item))->trigger();
  }
  Settle();
  const QWidget* windows[] = {&w, host_->MapWin(), host_->HexWin(), w.findChild<HealthWindow*>(),
                              w.findChild<FilesWindow*>()};
  for (const QWidget* shown : windows) {
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->screen()->availableGeometry().contains(shown->frameGeometry()))
        << shown->objectName().toStdString();
  }
}

TEST_F(WindowPlace, AMinimisedWindowComesBackWhenAskedFor) {
  MainWindow& w = StartWith(WriteFile("disk.dsk", SampleJv1()));
  const std::pair<const char*, std::function<QWidget*()>> ways[] = {
      {"mnuDiskHealth", [&w] { return w.findChild<HealthWindow*>(); }},
      {"mnuDiskFiles", [&w] { return w.findChild<FilesWindow*>(); }},
      {"Cmndhexedit", [this] { return host_->HexWin(); }},
  };
  for (const auto& [way, window] : ways) {
    const auto ask = [&w, way = way] {
      if (auto* item = w.findChild<QAction*>(QString::fromLatin1(way))) {
        item->trigger();
      } else {
        Click(w, way);
      }
      Settle();
    };
    ask();
    ASSERT_NE(window(), nullptr) << way;
    window()->showMinimized();
    Settle();
    ASSERT_TRUE(window()->isMinimized()) << way;
    ask();
    EXPECT_FALSE(window()->isMinimized()) << way;
    EXPECT_TRUE(window()->isVisible()) << way;
    EXPECT_TRUE(QTest::qWaitForWindowActive(window())) << way;
  }
}

}  // namespace
}  // namespace m1::qt::testing
