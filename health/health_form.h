// The Disk health window: every sector record of the image as it lies in the file, one row each,
// with its CRC verdicts and remarks, sortable by any column, filtered to the problems on request,
// and a summary line. Its controls are plain values; the Qt form shows them.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/table_sort.h"
#include "viewer/main_disk.h"

namespace m1 {

class HealthForm : public SortedTable {
 public:
  enum Column {
    kTrack,
    kSide,
    kSector,
    kSize,
    kDensity,
    kDataMark,
    kIdCrc,
    kDataCrc,
    kOffset,
    kRemarks,
    kColumns
  };
  static constexpr std::array<const char*, kColumns> kHeadings{
      "Track",     "Side",   "Sector",   "Size",        "Density",
      "Data mark", "ID CRC", "Data CRC", "File offset", "Remarks"};

  struct Row {
    std::size_t record = 0;  // in the listing
    bool problem = false;
    std::array<std::string, kColumns> cells;
  };

  explicit HealthForm(DiskViews& views) : SortedTable(kColumns), views_(views) {}

  // Takes up the facts of an image (the window opening, or the main window showing another).
  void Load(const DiskFacts& facts, const std::string& filename);
  // The "problems only" box.
  void ProblemsOnly_Click(bool checked) {
    problemsOnly = checked;
    Rebuild();
  }
  // A row of the table, as shown.
  void Row_DoubleClick(int row);

  // What the window shows.
  std::string caption;
  std::string summary;
  std::vector<Row> rows;  // in the order shown
  bool problemsOnly = false;

 private:
  void Rebuild() override;

  DiskViews& views_;
  std::vector<SectorRecord> records_;
};

}  // namespace m1
