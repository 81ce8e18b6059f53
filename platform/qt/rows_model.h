// A table of text rows for a QTableView, read from a window's logic: headings, the cell texts of
// each row, which rows are marked (shown on a tinted background) and which greyed (their text in
// the colour of disabled text). The logic sorts and filters;
// the model only shows what it holds, and is told when that changed.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QPalette>
#include <functional>
#include <string>
#include <vector>

#include "platform/qt/qt_convert.h"

namespace m1::qt {

class RowsModel final : public QAbstractTableModel {
 public:
  struct Source {
    std::vector<const char*> headings;
    std::function<int()> rows;
    std::function<const std::string&(int row, int column)> cell;
    std::function<bool(int row)> marked;
    std::function<bool(int row)> greyed = nullptr;  // none greyed without it
  };

  RowsModel(Source source, QColor mark, QObject* parent)
      : QAbstractTableModel(parent), source_(std::move(source)), mark_(mark) {}

  // The logic's rows changed: the view reads them all again.
  void Reset() {
    beginResetModel();
    endResetModel();
  }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : source_.rows();
  }
  int columnCount(const QModelIndex& parent = QModelIndex()) const override {
    return parent.isValid() ? 0 : static_cast<int>(source_.headings.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return FromText(source_.cell(index.row(), index.column()));
    if (role == Qt::BackgroundRole && source_.marked(index.row())) return mark_;
    if (role == Qt::ForegroundRole && source_.greyed && source_.greyed(index.row())) {
      return QPalette().color(QPalette::Disabled, QPalette::Text);
    }
    return {};
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    if (section < 0 || section >= columnCount()) return {};
    return QString::fromLatin1(source_.headings[static_cast<std::size_t>(section)]);
  }

 private:
  Source source_;
  QColor mark_;
};

}  // namespace m1::qt
