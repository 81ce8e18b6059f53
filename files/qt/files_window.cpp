#include "files/qt/files_window.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>
#include <utility>

#include "platform/qt/window_parts.h"

namespace m1::qt {

namespace {

// System and invisible files stand on a light blue background.
const QColor kHiddenRow(216, 228, 255);

// What the menu of a file's row offers, in menu order, each a handler of the logic over the row.
const std::pair<const char*, void (FilesForm::*)(int)> kRowActions[] = {
    {"Show &First Sector", &FilesForm::ShowFirstSector_Click},
};

}  // namespace

FilesWindow::FilesWindow(MainDisk& disk, std::function<void()> afterShow, QWidget* parent)
    : DiskTableWindow(disk, std::move(afterShow), parent, "Files", {720, 480}) {
  dos_ = ValueLabel(this, "dos");
  diskName_ = ValueLabel(this, "diskName");
  free_ = ValueLabel(this, "free");
  showHidden_ = new QCheckBox(tr("Show &system and invisible files"), this);
  showHidden_->setObjectName(QStringLiteral("showHidden"));
  connect(showHidden_, &QCheckBox::toggled, this,
          ThenSync(this, logic_, &FilesForm::ShowHidden_Click));
  showFound_ = new QCheckBox(tr("Show &deleted and lost files"), this);
  showFound_->setObjectName(QStringLiteral("showFound"));
  connect(showFound_, &QCheckBox::toggled, this,
          ThenSync(this, logic_, &FilesForm::ShowFound_Click));

  MakeTable("files", &FilesForm::Row::hidden, kHiddenRow, &FilesForm::Row::found);
  SortByHeadings();
  table_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(table_, &QTableView::customContextMenuRequested, this, &FilesWindow::OnRowMenu);
  count_ = ValueLabel(this, "count");
  problems_ = new QListWidget(this);
  problems_->setObjectName(QStringLiteral("problems"));
  problems_->setMaximumHeight(90);

  auto* facts = new QFormLayout;
  facts->addRow(tr("DOS:"), dos_);
  facts->addRow(tr("Disk name and date:"), diskName_);
  facts->addRow(tr("Free:"), free_);
  auto* top = new QHBoxLayout;
  top->addLayout(facts, 1);
  auto* boxes = new QVBoxLayout;
  boxes->addWidget(showHidden_);
  boxes->addWidget(showFound_);
  top->addLayout(boxes);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(table_, 1);
  layout->addWidget(count_);
  layout->addWidget(new QLabel(tr("Problems:"), this));
  layout->addWidget(problems_);
  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this] { emit FileChosen(chosen_ = ChosenFile()); });
}

int FilesWindow::ChosenFile() const {
  const FilesForm::Row* row = RowAt(logic_.rows, table_->selectionModel()->currentIndex().row());
  return row && !row->found ? static_cast<int>(row->file) : -1;
}

void FilesWindow::Reload() {
  chosen_ = -1;  // the numbers of the files are the old image's
  DiskTableWindow::Reload();
}

void FilesWindow::SelectFile(int file) {
  for (std::size_t row = 0; row < logic_.rows.size(); ++row) {
    if (!logic_.rows[row].found && static_cast<int>(logic_.rows[row].file) == file) {
      table_->selectRow(static_cast<int>(row));
      return;
    }
  }
  table_->selectionModel()->clearCurrentIndex();
  table_->clearSelection();
}

void FilesWindow::Sync() {
  setWindowTitle(FromText(logic_.caption));
  dos_->setText(FromText(logic_.dos));
  diskName_->setText(FromText(logic_.diskName + (logic_.date.empty() ? "" : "  " + logic_.date)));
  free_->setText(FromText(logic_.freeSpace));
  {
    const QSignalBlocker block(showHidden_);
    showHidden_->setChecked(logic_.showHidden);
  }
  {
    const QSignalBlocker block(showFound_);
    showFound_->setChecked(logic_.showFound);
  }
  // The rows are made anew: the chosen file stays chosen while it is shown.
  const int chosen = std::exchange(chosen_, -1);
  model_->Reset();
  ShowSort();
  SelectFile(chosen);
  if (chosen_ != chosen) emit FileChosen(chosen_);
  count_->setText(FromText(logic_.count));
  problems_->clear();
  for (const std::string& p : logic_.problems) problems_->addItem(FromText(p));
}

void FilesWindow::RowChosen(int row) {
  if (openFile_) {
    if (const FilesForm::Row* chosen = RowAt(logic_.rows, row))
      openFile_(chosen->file, chosen->found);
  } else {
    DiskTableWindow::RowChosen(row);
  }
}

void FilesWindow::OnRowMenu(const QPoint& pos) {
  const int row = table_->indexAt(pos).row();
  if (row < 0) return;
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("fileMenu"));
  menu->setAttribute(Qt::WA_DeleteOnClose);
  // What a double-click does: the file in the File window.
  connect(menu->addAction(tr("&Open File")), &QAction::triggered, this,
          [this, row] { RowChosen(row); });
  for (const auto& [text, handler] : kRowActions) {
    connect(menu->addAction(tr(text)), &QAction::triggered, this, [this, row, handler = handler] {
      (logic_.*handler)(row);
      afterShow_();
    });
  }
  menu->popup(table_->viewport()->mapToGlobal(pos));
}

}  // namespace m1::qt
