// What the Disk health and Files windows share: a child window of the main window over the disk it
// shows, with one table of text rows read from the window's logic (marked rows on a tinted
// background), and a chosen row (double-click or Enter) shown in another window.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "health/main_disk.h"
#include "platform/qt/rows_model.h"

class QTableView;

namespace m1::qt {

class DiskTableWindow : public QWidget {
 public:
  // afterShow runs when a chosen row showed a sector or bytes in another window.
  DiskTableWindow(MainDisk& disk, std::function<void()> afterShow, QWidget* parent);

 protected:
  // The table, named `name`, over the rows the logic holds: each row's cells, and marked where
  // the row's member `marked` is true.
  template <class Row, std::size_t N>
  void MakeTable(const char* name, const std::array<const char*, N>& headings,
                 const std::vector<Row>& rows, bool Row::*marked, QColor mark) {
    RowsModel::Source source{
        {headings.begin(), headings.end()},
        [&rows] { return static_cast<int>(rows.size()); },
        [&rows](int row, int column) -> const std::string& {
          return rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)];
        },
        [&rows, marked](int row) { return rows[static_cast<std::size_t>(row)].*marked; }};
    MakeTable(name, std::move(source), mark);
  }

  MainDisk& disk_;
  std::function<void()> afterShow_;
  QTableView* table_ = nullptr;
  RowsModel* model_ = nullptr;

 private:
  void MakeTable(const char* name, RowsModel::Source source, QColor mark);
};

}  // namespace m1::qt
