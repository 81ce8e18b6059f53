// Pictures of the three windows with an image open, for the documentation. Runs only when
// M1VIEW_SHOT_DIR names a folder to write them to (under Xvfb: see docs/README of the pictures).
#include <QFileInfo>
#include <QMouseEvent>
#include <QTableView>

#include "diskmap/qt/disk_map_window.h"
#include "files/qt/files_window.h"
#include "fileview/qt/file_window.h"
#include "health/qt/health_window.h"
#include "tests/qt/qt_fixture.h"

namespace m1::qt::testing {
namespace {

// Skips unless M1VIEW_SHOT_DIR is set; the sample is M1VIEW_SHOT_SAMPLE when it names a file,
// else the built-in JV1 sample.
class Shots : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    out = qEnvironmentVariable("M1VIEW_SHOT_DIR");
    if (out.isEmpty()) GTEST_SKIP() << "set M1VIEW_SHOT_DIR to write the pictures";
    sample = qEnvironmentVariable("M1VIEW_SHOT_SAMPLE").toStdString();
    if (sample.empty() || !QFileInfo::exists(QString::fromStdString(sample))) {
      sample = WriteFile("sample.dsk", SampleJv1());
    }
  }
  QString out;
  std::string sample;
};

TEST_F(Shots, SaveEachWindowWithASampleOpen) {
  MainWindow& main = StartWith(sample);
  Click(main, "CmndDirFind");
  Click(main, "CmndNextsec");
  Click(main, "CmndNextsec");
  Settle();
  ASSERT_TRUE(main.grab().save(QDir(out).filePath("main.png")));
  Click(main, "Cmndsecdisp");
  ASSERT_TRUE(Activated(*host_->MapWin()));
  ASSERT_TRUE(host_->MapWin()->grab().save(QDir(out).filePath("sectormap.png")));
  host_->ShowForm(FormId::Main);
  ASSERT_TRUE(Activated(main));
  Click(main, "Cmndhexedit");
  ASSERT_TRUE(Activated(*host_->HexWin()));
  ASSERT_TRUE(host_->HexWin()->grab().save(QDir(out).filePath("hexview.png")));
}

// The hex window and the sector map explaining what is under the mouse in their status bars: the
// first ID address mark pointer of the sample's first track image (offset 10h), and the boot
// sector.
TEST_F(Shots, SaveTheExplanationsUnderTheMouse) {
  const auto hover = [](FormWindow& w, const DrawOp& item) {
    const QPoint at(item.x / 15 + 4, item.y / 15 + 4);
    QMouseEvent move(QEvent::MouseMove, at, w.Page()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w.Page(), &move);
    Settle();
  };
  MainWindow& main = StartWith(sample);
  Click(main, "Cmndhexedit");
  HexWindow& hex = *host_->HexWin();
  ASSERT_TRUE(Activated(hex));
  // A line is 33 items (its offset, 16 bytes, 16 characters): item 34 is byte 0 of line 1.
  hover(hex, host_->HexLogic()->surface.Items().at(34));
  ASSERT_TRUE(hex.grab().save(QDir(out).filePath("hexview-hover.png")));

  host_->ShowForm(FormId::Map);
  SectorMapWindow& map = *host_->MapWin();
  ASSERT_TRUE(Activated(map));
  const auto& items = host_->MapLogic()->surface.Items();
  const auto label = std::find_if(items.begin(), items.end(),
                                  [](const DrawOp& op) { return op.text == "Trk  0 : 0 "; });
  ASSERT_NE(label, items.end());
  const auto sector0 = std::find_if(items.begin(), items.end(), [&](const DrawOp& op) {
    return op.y == label->y && op.x > label->x && op.text.ends_with("0");
  });
  ASSERT_NE(sector0, items.end());
  hover(map, *sector0);
  ASSERT_TRUE(map.grab().save(QDir(out).filePath("sectormap-hover.png")));
}

TEST_F(Shots, SaveTheDiskWindowsWithASampleOpen) {
  MainWindow& main = StartWith(sample);
  main.findChild<QAction*>(QStringLiteral("mnuDiskHealth"))->trigger();
  Settle();
  auto* health = main.findChild<HealthWindow*>();
  ASSERT_NE(health, nullptr);
  ASSERT_TRUE(health->grab().save(QDir(out).filePath("health.png")));
  main.findChild<QAction*>(QStringLiteral("mnuDiskFiles"))->trigger();
  Settle();
  auto* files = main.findChild<FilesWindow*>();
  ASSERT_NE(files, nullptr);
  ASSERT_TRUE(files->grab().save(QDir(out).filePath("files.png")));
  main.findChild<QAction*>(QStringLiteral("mnuDiskMap"))->trigger();
  Settle();
  auto* map = main.findChild<DiskMapWindow*>();
  ASSERT_NE(map, nullptr);
  ASSERT_TRUE(map->grab().save(QDir(out).filePath("diskmap.png")));
  Child<QComboBox>(*map, "view")->setCurrentIndex(1);
  Settle();
  ASSERT_TRUE(map->grab().save(QDir(out).filePath("diskmap-platters.png")));

  // The File window on the first /CMD file listed, else on the first file.
  QTableView* table = files->findChild<QTableView*>(QStringLiteral("files"));
  QAbstractItemModel* rows = table->model();
  if (rows->rowCount() == 0) return;
  int row = 0;
  for (int r = rows->rowCount() - 1; r >= 0; --r) {
    if (rows->index(r, FilesForm::kExt).data().toString() == QLatin1String("CMD")) row = r;
  }
  emit table->activated(rows->index(row, 0));
  Settle();
  auto* file = main.findChild<FileWindow*>();
  ASSERT_NE(file, nullptr);
  ASSERT_TRUE(file->grab().save(QDir(out).filePath("file.png")));
}

}  // namespace
}  // namespace m1::qt::testing
