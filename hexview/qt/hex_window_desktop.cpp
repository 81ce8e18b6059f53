// The hex window's ways in from the desktop, beside its designed controls: a file dropped on the
// window opens through its own Open path, Edit > Copy puts the page on the clipboard, and the
// byte under the mouse is explained in the status bar under the page.
#include <QAction>

#include "hexview/qt/hex_window.h"
#include "platform/qt/edit_menu.h"
#include "platform/qt/file_drops.h"

namespace m1::qt {

void HexWindow::AddDesktopWays() {
  connect(new FileDrops(this), &FileDrops::Dropped, this, &HexWindow::OnDrop);
  connect(AddEditMenu(this), &QAction::triggered, this, &HexWindow::OnCopy);
  hover_ = new HoverStatus(this, Page());
  connect(hover_, &HoverStatus::Hovered, this, &HexWindow::OnHover);
}

void HexWindow::OnDrop(const QString& path) {
  logic_.OpenChosen(ToText(path));
  Sync();
}
void HexWindow::OnCopy() {
  PutOnClipboard(FromText(logic_.CopyText()));
}
void HexWindow::OnHover(int x, int y) {
  hover_->Show(logic_.HoverText(x, y));
}

}  // namespace m1::qt
