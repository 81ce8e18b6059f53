// The File window as a user meets it: a file chosen in the Files window opens with its listing,
// a line leads to its sector in the main window, Save As and Copy, a lost file opens the same way,
// and another image closes it.
#include "fileview/qt/file_window.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTextBlock>

#include "files/qt/files_window.h"
#include "tests/qt/qt_fixture.h"
#include "tests/support/files_disk.h"

namespace m1::qt::testing {
namespace {

using FileWindowTest = ProgramTest;

TEST_F(FileWindowTest, ChosenFileShowsItsListingLeadsToItsSectorAndSavesItsBytes) {
  MainWindow& w = StartWith(WriteFile("files.dsk", m1::testing::FilesDisk()));
  w.findChild<QAction*>(QStringLiteral("mnuDiskFiles"))->trigger();
  Settle();
  auto* files = w.findChild<FilesWindow*>();
  ASSERT_NE(files, nullptr);
  QTableView* table = Child<QTableView>(*files, "files");
  ASSERT_EQ(table->model()->rowCount(), 3);
  EXPECT_EQ(table->model()->index(2, 0).data().toString(), "TEN");
  emit table->activated(table->model()->index(2, 0));
  Settle();

  auto* file = w.findChild<FileWindow*>();
  ASSERT_NE(file, nullptr);
  EXPECT_TRUE(file->isVisible());
  EXPECT_EQ(Child<QLabel>(*file, "name")->text(), "TEN/BAS");
  EXPECT_EQ(Child<QLabel>(*file, "kind")->text(), "basic");
  auto* tabs = Child<QTabWidget>(*file, "tabs");
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(0), "Listing");
  EXPECT_EQ(tabs->tabText(1), "Bytes");
  auto* listing = Child<QPlainTextEdit>(*file, "Listing");
  EXPECT_EQ(listing->toPlainText(), "10 PRINT \"HI\"\n20 END");

  // The program lies in track 5 sector 5.
  listing->setTextCursor(QTextCursor(listing->document()->findBlockByNumber(1)));
  Click(*file, "showSector");
  EXPECT_EQ(BoxText(w, "Txttrk"), "5");
  EXPECT_EQ(BoxText(w, "Txtsector"), "5");

  const std::string saved = QDir(dir_.path()).filePath(QStringLiteral("TEN.BAS")).toStdString();
  std::string suggested;
  file->SetAskPath([&](const std::string& offered) -> std::optional<std::string> {
    suggested = offered;
    return saved;
  });
  Click(*file, "saveAs");
  EXPECT_EQ(suggested, QDir::homePath().toStdString() + "/TEN.BAS");
  EXPECT_EQ(QFileInfo(QString::fromStdString(saved)).size(), 20);
  EXPECT_EQ(Child<QLabel>(*file, "status")->text().toStdString(),
            "Saved 20 bytes to " + saved + ".");

  // With nothing selected, Copy takes the whole view.
  QGuiApplication::clipboard()->clear();
  file->findChild<QAction*>(QStringLiteral("mnuEditCopy"))->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "10 PRINT \"HI\"\n20 END\n");

  // The killed OLD/TXT and the lost granule follow the files once shown.
  Child<QCheckBox>(*files, "showFound")->click();
  ASSERT_EQ(table->model()->rowCount(), 5);
  emit table->activated(table->model()->index(4, 0));
  Settle();
  EXPECT_EQ(Child<QLabel>(*file, "name")->text(), "T7 G0 x1 (allocated to no file)");

  OpenThroughMenu(w, *dialogs_, WriteFile("sample.dsk", SampleJv1()));
  EXPECT_FALSE(file->isVisible());
}

}  // namespace
}  // namespace m1::qt::testing
