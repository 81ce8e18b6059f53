// The main window's ways in from the desktop, beside its designed controls: a file dropped on the
// window opens as if chosen in the Open dialog, and Edit > Copy puts the sector dump on the
// clipboard.
#include <QAction>

#include "platform/qt/edit_menu.h"
#include "platform/qt/file_drops.h"
#include "viewer/qt/main_window.h"

namespace m1::qt {

void MainWindow::AddDesktopWays() {
  connect(new FileDrops(this), &FileDrops::Dropped, this,
          [this](const QString& path) { OpenChosen(ToText(path)); });
  connect(AddEditMenu(this), &QAction::triggered, this,
          [this] { PutOnClipboard(FromText(logic_.CopyText())); });
}

void MainWindow::OpenChosen(const std::string& path) {
  Run(&Mainform::OpenChosen, path);
}

}  // namespace m1::qt
