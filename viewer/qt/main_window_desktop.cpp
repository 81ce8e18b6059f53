// The main window's ways in from the desktop, beside its designed controls: a file dropped on the
// window opens as if chosen in the Open dialog, and Edit > Copy puts the sector dump on the
// clipboard.
#include <QAction>

#include "platform/qt/edit_menu.h"
#include "platform/qt/file_drops.h"
#include "viewer/qt/main_window.h"

namespace m1::qt {

void MainWindow::AddDesktopWays() {
  connect(new FileDrops(this), &FileDrops::Dropped, this, &MainWindow::OnDrop);
  connect(AddEditMenu(this), &QAction::triggered, this, &MainWindow::OnCopy);
}

void MainWindow::OpenChosen(const std::string& path) {
  logic_.OpenChosen(path);
  Sync();
}
void MainWindow::OnDrop(const QString& path) {
  OpenChosen(ToText(path));
}
void MainWindow::OnCopy() {
  PutOnClipboard(FromText(logic_.CopyText()));
}

}  // namespace m1::qt
