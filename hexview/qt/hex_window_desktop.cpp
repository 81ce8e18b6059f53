// The hex window's ways in from the desktop, beside its designed controls: a file dropped on the
// window opens through its own Open path, Edit > Copy puts the page on the clipboard, and the
// byte under the mouse is explained in the status bar under the page.
#include <QAction>

#include "hexview/qt/hex_window.h"
#include "platform/qt/edit_menu.h"
#include "platform/qt/file_drops.h"

namespace m1::qt {

void HexWindow::AddDesktopWays() {
  connect(new FileDrops(this), &FileDrops::Dropped, this,
          [this](const QString& path) { Run(&form2::OpenChosen, ToText(path)); });
  connect(AddEditMenu(this), &QAction::triggered, this,
          [this] { PutOnClipboard(FromText(logic_.CopyText())); });
  hover_ = new HoverStatus(this, Page());
  connect(hover_, &HoverStatus::Hovered, this,
          [this](int x, int y) { hover_->Show(logic_.HoverText(x, y)); });
}

}  // namespace m1::qt
