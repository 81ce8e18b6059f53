// The Disk map window as a user meets it: opened from the Disk menu, the cell under the mouse
// named and a click leading to its sector, the picture saved (never over the image), and a file
// chosen in the Files window lit on the map.
#include "diskmap/qt/disk_map_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTableView>

#include "diskmap/qt/map_picture.h"
#include "files/qt/files_window.h"
#include "tests/qt/qt_fixture.h"
#include "tests/support/dos_disks.h"

namespace m1::qt::testing {
namespace {

class DiskMap : public ProgramTest {
 protected:
  // The middle of a cell of the grid, in pixels of the picture.
  static QPoint Middle(const DiskMapWindow& map, std::size_t cell) {
    const TwipsRect& box = map.Logic().map.cells.at(cell).box;
    return {Px(box.left + box.width / 2), Px(box.top + box.height / 2)};
  }
  static void Hover(DiskMapWindow& map, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, map.Picture()->mapToGlobal(at), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(map.Picture(), &move);
  }
};

TEST_F(DiskMap, HoverAndClickReachTheSectorAndThePictureIsSaved) {
  const std::string image = WriteFile("damaged.dmk", DamagedDmk());
  MainWindow& w = StartWith(image);
  DiskMapWindow* map = Chosen<DiskMapWindow>(w, "mnuDiskMap");
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(map->windowTitle().toStdString(), "Disk map - " + image);
  ASSERT_EQ(map->Logic().map.cells.size(), 9u);

  // The fifth record is track 1 sector 1.
  Hover(*map, Middle(*map, 4));
  const QString status = Child<QLabel>(*map, "hoverStatus")->text();
  EXPECT_TRUE(status.startsWith("track 1 side 0 sector 1: ID CRC ok, data CRC bad"))
      << status.toStdString();
  QTest::mouseClick(map->Picture(), Qt::LeftButton, Qt::NoModifier, Middle(*map, 4));
  Settle();
  EXPECT_EQ(BoxText(w, "Txtsecnum"), "4");
  EXPECT_EQ(BoxText(w, "Txttrk"), "1");
  EXPECT_EQ(BoxText(w, "Txtsector"), "1");

  QString offered;
  QString answer = QDir(dir_.path()).filePath("map.png");
  map->SetAskSavePath([&](QWidget*, const QString& suggested) {
    offered = suggested;
    return answer;
  });
  Click(*map, "savePicture");
  EXPECT_EQ(offered.toStdString(), QDir(dir_.path()).filePath("damaged-map.png").toStdString());
  const QImage saved(answer);
  ASSERT_FALSE(saved.isNull());
  EXPECT_EQ(saved.size(), map->Picture()->size() * map->Picture()->devicePixelRatioF());

  // Answering the image's own name leaves the image as it was.
  answer = QString::fromStdString(image);
  Click(*map, "savePicture");
  EXPECT_TRUE(map->statusBar()->currentMessage().contains("is the disk image itself"));
  QFile file(answer);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const Bytes expected = DamagedDmk();
  EXPECT_EQ(file.readAll(), QByteArray(reinterpret_cast<const char*>(expected.data()),
                                       static_cast<qsizetype>(expected.size())));
}

TEST_F(DiskMap, FileChosenInTheFilesWindowIsLitAndAClickedCellChoosesItsFile) {
  MainWindow& w = StartWith(WriteFile("newdos.dsk", fuzzing::DosDisks()[0].file));
  w.findChild<QAction*>(QStringLiteral("mnuDiskFiles"))->trigger();
  Settle();
  auto* files = w.findChild<FilesWindow*>();
  ASSERT_NE(files, nullptr);
  DiskMapWindow* map = Chosen<DiskMapWindow>(w, "mnuDiskMap");
  ASSERT_NE(map, nullptr);
  QTableView* table = Child<QTableView>(*files, "files");
  // Rows BOOT/SYS, ONE/BAS, LONG/CMD.
  ASSERT_EQ(table->model()->rowCount(), 3);
  table->selectRow(2);
  EXPECT_EQ(map->Logic().map.lit, 2);
  // Track 8 sector 0 (the 81st record) is LONG/CMD's first; track 5 sector 5 (the 56th) is
  // ONE/BAS's first.
  EXPECT_EQ(map->Logic().map.cells[80].order, 1);
  QTest::mouseClick(map->Picture(), Qt::LeftButton, Qt::NoModifier, Middle(*map, 55));
  Settle();
  EXPECT_EQ(table->currentIndex().row(), 1);
  EXPECT_EQ(map->Logic().map.lit, 1);

  // Sorted by name the other way round (ONE/BAS, LONG/CMD, BOOT/SYS), ONE/BAS stays chosen and lit.
  QHeaderView* headings = table->horizontalHeader();
  emit headings->sectionClicked(0);
  emit headings->sectionClicked(0);
  EXPECT_EQ(table->currentIndex().row(), 0);
  EXPECT_EQ(map->Logic().map.lit, 1);
  // BOOT/SYS chosen, then hidden with the system files: nothing is chosen or lit.
  table->selectRow(2);
  EXPECT_EQ(map->Logic().map.lit, 0);
  Child<QCheckBox>(*files, "showHidden")->setChecked(false);
  EXPECT_FALSE(table->currentIndex().isValid());
  EXPECT_EQ(map->Logic().map.lit, -1);
}

}  // namespace
}  // namespace m1::qt::testing
