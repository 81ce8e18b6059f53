// The Disk menu, its Health and Files windows (a file chosen there opening in the File window),
// and the status bars of the main window and the sector map, as a user meets them.
#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPalette>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>

#include "files/qt/files_window.h"
#include "fileview/qt/file_window.h"
#include "health/qt/health_window.h"
#include "tests/qt/qt_fixture.h"

namespace m1::qt::testing {
namespace {

class DiskWindows : public ProgramTest {
 protected:
  QString Status(QWidget& w, const char* name) { return Child<QLabel>(w, name)->text(); }
};

TEST_F(DiskWindows, StatusBarLiesUnderTheUnchangedLayout) {
  MainWindow& w = StartMain();
  EXPECT_EQ(w.Page()->size(), QSize(632, 492));
  EXPECT_EQ(w.height(), w.menuBar()->height() + 492 + w.statusBar()->height());
  const QList<QAction*> top = w.menuBar()->actions();
  ASSERT_EQ(top.size(), 4);  // File, Edit, Disk, Help
  EXPECT_EQ(top[2]->text(), "&Disk");
  EXPECT_EQ(top[3]->text(), "&Help");
  const QList<QAction*> items = top[2]->menu()->actions();
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[0]->text(), "&Health...");
  EXPECT_EQ(items[1]->text(), "&Files...");
  EXPECT_EQ(items[2]->text(), "&Map...");
  EXPECT_EQ(Status(w, "diskStatus"), "");
}

TEST_F(DiskWindows, StatusNamesThePresentSectorsHealth) {
  MainWindow& w = StartWith(WriteFile("damaged.dmk", DamagedDmk()));
  EXPECT_TRUE(Status(w, "diskStatus").startsWith("track 0 side 0 sector 0: ID CRC ok, data CRC ok"))
      << Status(w, "diskStatus").toStdString();
  Click(w, "CmndNexTrack");
  Click(w, "CmndNextsec");
  EXPECT_EQ(BoxText(w, "Txtsecnum"), "4");
  EXPECT_TRUE(
      Status(w, "diskStatus").startsWith("track 1 side 0 sector 1: ID CRC ok, data CRC bad"))
      << Status(w, "diskStatus").toStdString();
}

TEST_F(DiskWindows, HealthTableListsEveryRecordAndLeadsToItsSector) {
  MainWindow& w = StartWith(WriteFile("damaged.dmk", DamagedDmk()));
  auto* health = Chosen<HealthWindow>(w, "mnuDiskHealth");
  ASSERT_NE(health, nullptr);
  EXPECT_EQ(Child<QLabel>(*health, "summary")->text(),
            "9 records: 8 good, 0 bad ID CRC, 1 bad data CRC, 0 no data mark, 0 duplicates");
  QAbstractItemModel* model = Child<QTableView>(*health, "records")->model();
  ASSERT_EQ(model->rowCount(), 9);
  EXPECT_EQ(model->headerData(7, Qt::Horizontal).toString(), "Data CRC");
  EXPECT_EQ(model->index(4, 0).data().toString(), "1");  // track
  EXPECT_EQ(model->index(4, 2).data().toString(), "1");  // sector
  const QString verdict = model->index(4, 7).data().toString();
  EXPECT_TRUE(verdict.startsWith("bad (written ")) << verdict.toStdString();
  EXPECT_EQ(model->index(5, 7).data().toString(), "ok");
  // The window opens wide enough for the Remarks column; the long verdict shows whole, and its
  // tooltip holds it too.
  QTableView* records = Child<QTableView>(*health, "records");
  EXPECT_LT(records->horizontalHeader()->sectionViewportPosition(9), records->viewport()->width());
  EXPECT_GE(records->columnWidth(7), records->fontMetrics().horizontalAdvance(verdict));
  EXPECT_EQ(model->index(4, 7).data(Qt::ToolTipRole).toString(), verdict);
  EXPECT_FALSE(model->index(5, 7).data(Qt::ToolTipRole).isValid());

  Child<QCheckBox>(*health, "problemsOnly")->click();
  ASSERT_EQ(model->rowCount(), 1);
  QTableView* table = Child<QTableView>(*health, "records");
  emit table->activated(model->index(0, 0));
  Settle();
  EXPECT_EQ(BoxText(w, "Txtsecnum"), "4");
  EXPECT_EQ(BoxText(w, "Txttrk"), "1");
  EXPECT_EQ(BoxText(w, "Txtsector"), "1");
}

TEST_F(DiskWindows, BytesHandedToTheHexWindowShowFromTheirLine) {
  MainWindow& w = StartMain();
  const std::string path = WriteFile("damaged.dmk", DamagedDmk());
  OpenThroughMenu(w, *dialogs_, path);
  // Offset 0x1B32 lies on line 0x1B3 of 16 bytes.
  host_->ShowFileBytes(path, 0x1B32);
  HexWindow& hex = *host_->HexWin();
  ASSERT_TRUE(Activated(hex));
  EXPECT_EQ(BoxText(hex, "TxtFilename").toStdString(), path);
  EXPECT_EQ(Child<QScrollBar>(hex, "VScroll1")->value(), 0x1B3);
  EXPECT_EQ(host_->HexLogic()->fpasave2, 0x1B30);
}

TEST_F(DiskWindows, FilesWindowSaysWhenNoFileSystemIsFound) {
  MainWindow& w = StartWith(WriteFile("damaged.dmk", DamagedDmk()));
  auto* files = Chosen<FilesWindow>(w, "mnuDiskFiles");
  ASSERT_NE(files, nullptr);
  EXPECT_EQ(Child<QLabel>(*files, "dos")->text(), "No file system recognised");
  EXPECT_EQ(Child<QTableView>(*files, "files")->model()->rowCount(), 0);
}

// The utility disk of ../shared/real: an LS-DOS 6.2 data disk of 37 files in JV3.
TEST_F(DiskWindows, FilesWindowListsTheRealDiskAndOpensAFileThatLeadsToItsFirstSector) {
  const std::string path = std::string(M1VIEW_REAL_IMAGES) + "/utility-jv3-sd80.dsk";
  if (!QFileInfo::exists(QString::fromStdString(path))) GTEST_SKIP() << path << " is not there";
  MainWindow& w = StartWith(path);
  auto* files = Chosen<FilesWindow>(w, "mnuDiskFiles");
  ASSERT_NE(files, nullptr);
  EXPECT_EQ(Child<QLabel>(*files, "dos")->text(), "LS-DOS 6.2");
  EXPECT_EQ(Child<QLabel>(*files, "diskName")->text(), "XTRSUTIL  12/31/87");
  EXPECT_EQ(Child<QLabel>(*files, "free")->text(), "21 granules, 26880 bytes");  // 21 x 5 x 256
  QTableView* table = Child<QTableView>(*files, "files");
  QAbstractItemModel* model = table->model();
  ASSERT_EQ(model->rowCount(), 37);
  EXPECT_EQ(model->index(0, 0).data().toString(), "BOOT");
  EXPECT_EQ(model->index(0, 3).data().toString(), "system, invisible, protection 6");
  Child<QCheckBox>(*files, "showHidden")->click();
  ASSERT_LT(model->rowCount(), 37);
  // EXPORT/CMD lies in granule 0 of track 1: its first byte lies in track 1 sector 0. The row's
  // menu opens it in the File window (as a double-click does) or shows its first sector.
  EXPECT_EQ(model->index(0, 0).data().toString(), "EXPORT");
  emit table->customContextMenuRequested(table->visualRect(model->index(0, 0)).center());
  auto* menu = files->findChild<QMenu*>(QStringLiteral("fileMenu"));
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->actions().size(), 2);
  EXPECT_EQ(menu->actions()[0]->text(), "&Open File");
  EXPECT_EQ(menu->actions()[1]->text(), "Show &First Sector");
  menu->actions()[0]->trigger();
  menu->close();
  Settle();
  auto* file = w.findChild<FileWindow*>();
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(Child<QLabel>(*file, "name")->text(), "EXPORT/CMD");
  auto* tabs = Child<QTabWidget>(*file, "tabs");
  tabs->setCurrentIndex(tabs->count() - 1);  // the bytes, from the first
  Click(*file, "showSector");
  EXPECT_EQ(BoxText(w, "Txttrk"), "1");
  EXPECT_EQ(BoxText(w, "Txtsector"), "0");
  EXPECT_TRUE(Child<QLabel>(w, "diskStatus")->text().endsWith("EXPORT/CMD, record 1 of 3"))
      << Child<QLabel>(w, "diskStatus")->text().toStdString();

  // The Size heading sorts by the number: each size is at most the next.
  Child<QCheckBox>(*files, "showHidden")->click();
  EXPECT_TRUE(Child<QLabel>(*files, "count")->text().startsWith("37 files, "));
  emit table->horizontalHeader()->sectionClicked(2);
  for (int row = 1; row < model->rowCount(); ++row) {
    EXPECT_LE(model->index(row - 1, 2).data().toLongLong(),
              model->index(row, 2).data().toLongLong())
        << row;
  }
  EXPECT_EQ(table->horizontalHeader()->sortIndicatorSection(), 2);
}

// A TRSDOS 2.3 disk of 35 single-density tracks with one file, ONE/BAS (HIT byte 0x46) on track 1
// granule 0, and granule 0 of track 5 allocated in the GAT: one run allocated to no file, shown
// greyed once its box is ticked.
TEST_F(DiskWindows, FilesWindowGreysTheLostFilesItShowsOnRequest) {
  m1::testing::Jv1Builder jv1(35);
  Bytes gat(256, 0xFC);
  gat[1] = gat[5] = 0xFD;
  gat[17] = 0xFF;
  gat[0xCD] = 0x00;
  Bytes hit(256, 0x00);
  hit[0] = 0x46;
  jv1.Put(17, 0, 0, gat).Put(17, 1, 0, hit).Put(17, 2, 0, Bytes(256, 0x00));
  jv1.Put(17, 2, 0, m1::testing::DirEntry{0x10, "ONE", "BAS", 0, 0, 0x10, 1, {0x01, 0x00}}.Build());
  MainWindow& w = StartWith(WriteFile("lost.dsk", jv1.Build()));
  auto* files = Chosen<FilesWindow>(w, "mnuDiskFiles");
  ASSERT_NE(files, nullptr);
  QAbstractItemModel* model = Child<QTableView>(*files, "files")->model();
  ASSERT_EQ(model->rowCount(), 1);
  Child<QCheckBox>(*files, "showFound")->click();
  ASSERT_EQ(model->rowCount(), 2);
  EXPECT_EQ(model->index(1, 3).data().toString(), "allocated to no file");
  EXPECT_EQ(model->index(1, 3).data(Qt::ForegroundRole).value<QColor>(),
            QPalette().color(QPalette::Disabled, QPalette::Text));
  EXPECT_FALSE(model->index(0, 3).data(Qt::ForegroundRole).isValid());
  // The lost run is no file of the file system: choosing it chooses no file (not ONE/BAS, the
  // first, whose number its row shares).
  Child<QTableView>(*files, "files")->selectRow(1);
  EXPECT_EQ(files->ChosenFile(), -1);
}

TEST_F(DiskWindows, SectorMapStatusNamesTheSectorUnderTheMouse) {
  MainWindow& w = StartWith(WriteFile("damaged.dmk", DamagedDmk()));
  Click(w, "Cmndsecdisp");
  SectorMapWindow& map = *host_->MapWin();
  ASSERT_TRUE(Activated(map));
  const auto drawn = host_->MapLogic()->SectorAt(0, 0);
  EXPECT_FALSE(drawn);
  ASSERT_GE(host_->MapLogic()->drawnSectors.size(), 9u);
  // The fifth sector drawn is track 1 sector 1; point at the middle of its number.
  const form1::DrawnSector& s = host_->MapLogic()->drawnSectors[4];
  const QPoint at(Px((s.left + s.right) / 2), Px((s.top + s.bottom) / 2));
  QMouseEvent move(QEvent::MouseMove, at, map.Page()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(map.Page(), &move);
  EXPECT_TRUE(
      Status(map, "hoverStatus").startsWith("track 1 side 0 sector 1: ID CRC ok, data CRC bad"))
      << Status(map, "hoverStatus").toStdString();
}

}  // namespace
}  // namespace m1::qt::testing
