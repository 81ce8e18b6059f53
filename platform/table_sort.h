// The sort of a window's table by its column headings: a click on a heading sorts by that column,
// a second click the other way round; numeric columns sort by number, the rest by their text.
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

}  // namespace m1
