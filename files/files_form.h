// The Files window: the DOS of the disk, its disk name, date and free space, and its files as the
// directory holds them (name, extension, size, attributes, date, extents). System and invisible
// files are listed and marked, and hidden with one box. With another box, the files the DOS killed
// (their state in the attributes) and the runs of granules allocated to no file (what they seem to
// hold) follow the files, greyed. Its controls are plain values; the Qt form shows them.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/table_sort.h"
#include "viewer/main_disk.h"

namespace m1 {

class FilesForm : public SortedTable {
 public:
  enum Column { kName, kExt, kSize, kAttributes, kDate, kExtents, kColumns };
  static constexpr std::array<const char*, kColumns> kHeadings{"Name",       "Ext",  "Size",
                                                               "Attributes", "Date", "Extents"};

  struct Row {
    std::size_t file = 0;  // in the file system's list; a found row: in deleted, then unowned
    bool hidden = false;   // a system or invisible file
    std::array<std::string, kColumns> cells;
    bool found = false;  // a deleted file or a run of granules allocated to no file
  };

  explicit FilesForm(DiskViews& views) : SortedTable(kColumns), views_(views) {}

  // Takes up the facts of an image (the window opening, or the main window showing another).
  void Load(const DiskFacts& facts, const std::string& filename);
  // The "system and invisible files" box.
  void ShowHidden_Click(bool checked) {
    showHidden = checked;
    Rebuild();
  }
  // The "deleted and lost files" box.
  void ShowFound_Click(bool checked) {
    showFound = checked;
    Rebuild();
  }
  // (Heading_Click, of SortedTable, sorts sizes as numbers and dates by year, month and day.)

  // A row of the table, as shown: its file's first sector in the main window.
  void Row_DoubleClick(int row) { ShowFirstSector_Click(row); }
  // The row menu's "Show First Sector".
  void ShowFirstSector_Click(int row);

  // What the window shows.
  std::string caption;
  std::string dos;                    // "Newdos/80 2.0", or why there is none
  std::string diskName;               // "NEWDOS80"
  std::string date;                   // as the disk holds it
  std::string freeSpace;              // "42 granules, 53760 bytes"
  std::vector<std::string> problems;  // of the file system as a whole and of its files
  std::vector<Row> rows;              // in the order shown
  std::string count;                  // of the files shown: "37 files, 123456 bytes"
  bool showHidden = true;
  bool showFound = false;

 private:
  // A deleted file or an unowned run as its row shows it.
  struct Found {
    std::array<std::string, kColumns> cells;
    bool hidden = false;
    std::vector<FileSector> sectors;
  };

  void Rebuild() override;

  DiskViews& views_;
  std::vector<DosFile> files_;
  std::vector<Found> found_;
  std::vector<SectorRecord> records_;
  bool newdos_ = false;
};

}  // namespace m1
