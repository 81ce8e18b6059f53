// The sector map window (form1) in Qt: its widgets, menus and lines, and slots that hand every
// event to the window logic and then show what it produced.
#pragma once

#include "platform/qt/form_window.h"
#include "platform/qt/hover_status.h"
#include "sectormap/form1.h"
#include "sectormap/map_disk.h"

namespace m1::qt {

class SectorMapWindow final : public LogicWindow<form1> {
  Q_OBJECT

 public:
  SectorMapWindow(form1& logic, ActivationTracker& tracker);

  void Sync() override;

 private:
  // The ways in from the desktop: files dropped on the window, the explanation of the sector under
  // the mouse.
  void AddDesktopWays();

  QLineEdit* text1_ = nullptr;
  QLineEdit* filename_ = nullptr;
  QRadioButton* option1_ = nullptr;
  QRadioButton* option2_ = nullptr;
  HoverStatus* hover_ = nullptr;
  MapDisk disk_{logic_};  // the health and owner of the sector under the mouse
};

}  // namespace m1::qt
