// Pictures of the three windows with an image open, for the documentation. Runs only when
// M1VIEW_SHOT_DIR names a folder to write them to (under Xvfb: see docs/README of the pictures).
#include <QFileInfo>
#include <QTableView>

#include "files/qt/files_window.h"
#include "health/qt/health_window.h"
#include "tests/qt/qt_fixture.h"

namespace m1::qt::testing {
namespace {

using Shots = ProgramTest;

TEST_F(Shots, SaveEachWindowWithASampleOpen) {
  const QString out = qEnvironmentVariable("M1VIEW_SHOT_DIR");
  if (out.isEmpty()) GTEST_SKIP() << "set M1VIEW_SHOT_DIR to write the pictures";
  std::string sample = qEnvironmentVariable("M1VIEW_SHOT_SAMPLE").toStdString();
  if (sample.empty() || !QFileInfo::exists(QString::fromStdString(sample))) {
    sample = WriteFile("sample.dsk", SampleJv1());
  }
  MainWindow& main = StartMain();
  OpenThroughMenu(main, *dialogs_, sample);
  Click(main, "CmndDirFind");
  Click(main, "CmndNextsec");
  Click(main, "CmndNextsec");
  Settle();
  ASSERT_TRUE(main.grab().save(QDir(out).filePath("main.png")));
  Click(main, "Cmndsecdisp");
  ASSERT_TRUE(QTest::qWaitForWindowActive(host_->MapWin()));
  Settle();
  ASSERT_TRUE(host_->MapWin()->grab().save(QDir(out).filePath("sectormap.png")));
  host_->ShowForm(FormId::Main);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
  Settle();
  Click(main, "Cmndhexedit");
  ASSERT_TRUE(QTest::qWaitForWindowActive(host_->HexWin()));
  Settle();
  ASSERT_TRUE(host_->HexWin()->grab().save(QDir(out).filePath("hexview.png")));
}

TEST_F(Shots, SaveTheDiskWindowsWithASampleOpen) {
  const QString out = qEnvironmentVariable("M1VIEW_SHOT_DIR");
  if (out.isEmpty()) GTEST_SKIP() << "set M1VIEW_SHOT_DIR to write the pictures";
  std::string sample = qEnvironmentVariable("M1VIEW_SHOT_SAMPLE").toStdString();
  if (sample.empty() || !QFileInfo::exists(QString::fromStdString(sample))) {
    sample = WriteFile("sample.dsk", SampleJv1());
  }
  MainWindow& main = StartMain();
  OpenThroughMenu(main, *dialogs_, sample);
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
}

}  // namespace
}  // namespace m1::qt::testing
