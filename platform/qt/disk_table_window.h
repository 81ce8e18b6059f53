// What the tables over a disk share (the Disk health and Files windows): a child window of the
// main window over the disk it shows and the logic of one form, with one table of text rows read
// from that logic (marked rows on a tinted background), and a chosen row (double-click or Enter)
// shown in another window.
#pragma once

#include <QHeaderView>
#include <QLayout>
#include <QTableView>
#include <QWidget>
#include <algorithm>
#include <functional>

#include "platform/qt/rows_model.h"
#include "platform/qt/window_parts.h"

namespace m1::qt {

// A table of rows that can be chosen, named `name`, over the model; not editable.
QTableView* NewRowsTable(const char* name, RowsModel* model, QWidget* parent);
// The width table needs to show every column whole: the columns at the width of their widest
// cell, its frame and its vertical scroll bar.
int WholeWidth(const QTableView& table);
// Makes every column of table as wide as its widest cell or heading. The sort arrow of a heading
// is not counted: only the sorted column makes room for it (ShowSortArrow), so the table stays as
// narrow as its texts allow.
void FitColumns(QTableView& table);
// Shows the arrow of a sort by column (-1: none) in the headings, the column widened for it.
void ShowSortArrow(QTableView& table, int column, bool ascending);

// Form: the window's logic, made over the disk, with kHeadings, rows of cells, Load and
// Row_DoubleClick; and, where its headings sort, Heading_Click, sortColumn and ascending. Disk:
// where the facts come from, with Facts() and Filename().
template <class Form, class Disk>
class DiskTableWindow : public QWidget {
 public:
  // afterShow runs when a chosen row showed a sector or bytes in another window. The window is
  // named `name` (which tests find it by) and opens at `size` pixels.
  DiskTableWindow(Disk& disk, std::function<void()> afterShow, QWidget* parent, const char* name,
                  QSize size)
      : QWidget(parent, Qt::Window), disk_(disk), afterShow_(std::move(afterShow)), logic_(disk) {
    setObjectName(QString::fromLatin1(name));
    resize(size);
  }

  // Takes up the image the main window shows, and shows what the logic made of it.
  virtual void Reload() {
    logic_.Load(disk_.Facts(), disk_.Filename());
    Sync();
    FitColumns(*table_);
  }
  virtual void Sync() = 0;
  const Form& Logic() const { return logic_; }
  // Widens the window, before its first showing, until every column of the table shows whole.
  void OpenWide() {
    const QMargins margins = layout() ? layout()->contentsMargins() : QMargins();
    resize(std::max(width(), WholeWidth(*table_) + margins.left() + margins.right()), height());
  }

 protected:
  // The table, named `name`, over the logic's rows: a row is marked where its member `marked` is
  // true, and greyed where its member `greyed` is (when given).
  void MakeTable(const char* name, bool Form::Row::*marked, QColor mark,
                 bool Form::Row::*greyed = nullptr) {
    const auto& rows = logic_.rows;
    RowsModel::Source source{
        {Form::kHeadings.begin(), Form::kHeadings.end()},
        [&rows] { return static_cast<int>(rows.size()); },
        [&rows](int row, int column) -> const std::string& {
          return rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)];
        },
        [&rows, marked](int row) { return rows[static_cast<std::size_t>(row)].*marked; }};
    if (greyed) {
      source.greyed = [&rows, greyed](int row) {
        return rows[static_cast<std::size_t>(row)].*greyed;
      };
    }
    model_ = new RowsModel(std::move(source), mark, this);
    table_ = NewRowsTable(name, model_, this);
    connect(table_, &QTableView::activated, this,
            [this](const QModelIndex& index) { RowChosen(index.row()); });
  }
  // A row chosen (double-click or Enter): by default what the logic shows of it in another window.
  virtual void RowChosen(int row) {
    logic_.Row_DoubleClick(row);
    afterShow_();
  }

  // Headings that sort the rows: a click runs the logic's Heading_Click; the logic's sortColumn
  // (-1: none) and ascending say how the rows stand.
  void SortByHeadings() {
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    connect(header, &QHeaderView::sectionClicked, this,
            ThenSync(this, logic_, &Form::Heading_Click));
  }
  // Shows the logic's sort by the arrow of its heading (called by Sync).
  void ShowSort() { ShowSortArrow(*table_, logic_.sortColumn, logic_.ascending); }

  Disk& disk_;
  std::function<void()> afterShow_;
  Form logic_;
  QTableView* table_ = nullptr;
  RowsModel* model_ = nullptr;
};

}  // namespace m1::qt
