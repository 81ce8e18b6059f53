#include "health/qt/disk_table_window.h"

#include <QHeaderView>
#include <QTableView>

namespace m1::qt {

DiskTableWindow::DiskTableWindow(MainDisk& disk, std::function<void()> afterShow, QWidget* parent)
    : QWidget(parent, Qt::Window), disk_(disk), afterShow_(std::move(afterShow)) {}

void DiskTableWindow::MakeTable(const char* name, RowsModel::Source source, QColor mark) {
  model_ = new RowsModel(std::move(source), mark, this);
  table_ = new QTableView(this);
  table_->setObjectName(QString::fromLatin1(name));
  table_->setModel(model_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->setVisible(false);
  // One line of text a row, as in a file manager's list.
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
  table_->horizontalHeader()->setStretchLastSection(true);
}

}  // namespace m1::qt
