// The sector map window (form1) in Qt: its widgets, menus and lines, and slots that hand every
// event to the window logic and then show what it produced.
#pragma once

#include "platform/qt/form_window.h"
#include "sectormap/form1.h"

namespace m1::qt {

class SectorMapWindow final : public LogicWindow<form1> {
  Q_OBJECT

 public:
  SectorMapWindow(form1& logic, ActivationTracker& tracker);

  void Sync() override;

 private:
  QLineEdit* text1_ = nullptr;
  QLineEdit* filename_ = nullptr;
  QRadioButton* option1_ = nullptr;
  QRadioButton* option2_ = nullptr;
};

}  // namespace m1::qt
