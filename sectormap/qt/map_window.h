// The sector map window (form1) in Qt: its widgets, menus and lines, and slots that hand every
// event to the window logic and then show what it produced.
#pragma once

#include "health/map_disk.h"
#include "platform/qt/form_window.h"
#include "sectormap/form1.h"

class QLabel;

namespace m1::qt {

class SectorMapWindow final : public LogicWindow<form1> {
  Q_OBJECT

 public:
  SectorMapWindow(form1& logic, ActivationTracker& tracker);

  void Sync() override;

 protected:
  // The mouse over the page names the sector under it in the status bar.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* text1_ = nullptr;
  QLineEdit* filename_ = nullptr;
  QRadioButton* option1_ = nullptr;
  QRadioButton* option2_ = nullptr;

  // The status bar under the layout (sectormap/qt/pointing.cpp).
  void AddStatus();
  MapDisk disk_{logic_};
  QLabel* status_ = nullptr;
};

}  // namespace m1::qt
