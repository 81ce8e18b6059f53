#include "platform/qt/disk_table_window.h"

#include <QHeaderView>

namespace m1::qt {

QTableView* NewRowsTable(const char* name, RowsModel* model, QWidget* parent) {
  auto* table = new QTableView(parent);
  table->setObjectName(QString::fromLatin1(name));
  table->setModel(model);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->verticalHeader()->setVisible(false);
  // One line of text a row, as in a file manager's list.
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

}  // namespace m1::qt
