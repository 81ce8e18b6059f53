// A window's table: its sort by the column headings (a click on a heading sorts by that column, a
// second click the other way round; numeric columns sort by number, the rest by their text), and
// its rows by the number the window gives them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace m1 {

// A click on heading `column` of a table of `columns`: sortColumn becomes it, ascending unless it
// already sorted by it. False when there is no such column (nothing changes).
inline bool ClickHeading(int column, int columns, int& sortColumn, bool& ascending) {
  if (column < 0 || column >= columns) return false;
  ascending = column == sortColumn ? !ascending : true;
  sortColumn = column;
  return true;
}

// The logic of a window whose table sorts by its headings: Rebuild makes the rows anew, in the
// order sortColumn and ascending say.
class SortedTable {
 public:
  // A column heading: sorts by that column, the other way round when it already sorts by it.
  void Heading_Click(int column) {
    if (ClickHeading(column, columns_, sortColumn, ascending)) Rebuild();
  }

  int sortColumn = -1;  // -1: the order of the disk
  bool ascending = true;

 protected:
  explicit SortedTable(int columns) : columns_(columns) {}
  SortedTable(const SortedTable&) = default;
  SortedTable& operator=(const SortedTable&) = default;
  ~SortedTable() = default;
  virtual void Rebuild() = 0;

 private:
  int columns_;
};

// Sorts rows (each with its cells) by column, keeping the order of equals: by numericKey(row) where
// the column is numeric (an optional number, given for every row or none), by the cell's text
// otherwise.
template <class Row, class NumericKey>
void SortRows(std::vector<Row>& rows, int column, bool ascending, NumericKey numericKey) {
  const auto cell = static_cast<std::size_t>(column);
  std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
    const auto ka = numericKey(a);
    const auto kb = numericKey(b);
    const auto& ta = a.cells[cell];
    const auto& tb = b.cells[cell];
    return ascending ? (ka ? *ka < *kb : ta < tb) : (ka ? *kb < *ka : tb < ta);
  });
}

// Row `row` of a table as the window numbers its rows, or nullptr where there is no such row.
template <class Row>
const Row* RowAt(const std::vector<Row>& rows, int row) {
  return row >= 0 && static_cast<std::size_t>(row) < rows.size()
             ? &rows[static_cast<std::size_t>(row)]
             : nullptr;
}

}  // namespace m1
