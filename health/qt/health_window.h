// The Disk health window in Qt: the summary line, the "problems only" box and the table of sector
// records, over the logic of HealthForm. A child window of the main window, which owns it.
#pragma once

#include "health/health_form.h"
#include "health/qt/disk_table_window.h"

class QCheckBox;
class QLabel;

namespace m1::qt {

class HealthWindow final : public DiskTableWindow {
  Q_OBJECT

 public:
  // afterShow runs when a chosen row (double-click or Enter) showed a sector or bytes in another
  // window.
  HealthWindow(MainDisk& disk, std::function<void()> afterShow, QWidget* parent);

  // Takes up the image the main window shows, and shows what the logic made of it.
  void Reload();
  void Sync();
  const HealthForm& Logic() const { return logic_; }

 private slots:
  void OnProblemsOnly(bool checked);
  void OnHeading(int column);
  void OnActivated(const QModelIndex& index);

 private:
  HealthForm logic_;
  QLabel* summary_ = nullptr;
  QCheckBox* problemsOnly_ = nullptr;
};

}  // namespace m1::qt
