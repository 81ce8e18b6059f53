// The sector map's ways in from the desktop, beside its designed controls: a file dropped on the
// window opens through its own Open path, and the place, health and owner of the sector under the
// mouse stand in the status bar under the map and in a tooltip.
#include "platform/qt/file_drops.h"
#include "sectormap/qt/map_window.h"

namespace m1::qt {

void SectorMapWindow::AddDesktopWays() {
  connect(new FileDrops(this), &FileDrops::Dropped, this,
          [this](const QString& path) { Run(&form1::OpenChosen, ToText(path)); });
  hover_ = new HoverStatus(this, Page());
  connect(hover_, &HoverStatus::Hovered, this, [this](int x, int y) {
    const StatusParts parts = disk_.PartsAt(x, y);
    hover_->Show(parts.Lead(), parts.health, parts.Trail());
  });
}

}  // namespace m1::qt
