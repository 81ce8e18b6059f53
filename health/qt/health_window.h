// The Disk health window in Qt: the summary line, the "problems only" box and the table of sector
// records, over the logic of HealthForm. A child window of the main window, which owns it.
#pragma once

#include "health/health_form.h"
#include "platform/qt/disk_table_window.h"

class QCheckBox;
class QLabel;

namespace m1::qt {

class HealthWindow final : public DiskTableWindow<HealthForm, MainDisk> {
  Q_OBJECT

 public:
  HealthWindow(MainDisk& disk, std::function<void()> afterShow, QWidget* parent);

  void Sync() override;

 private:
  QLabel* summary_ = nullptr;
  QCheckBox* problemsOnly_ = nullptr;
};

}  // namespace m1::qt
