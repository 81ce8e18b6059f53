#include "files/qt/files_window.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

namespace m1::qt {

namespace {

// System and invisible files stand on a light blue background.
const QColor kHiddenRow(216, 228, 255);

QLabel* Value(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

FilesWindow::FilesWindow(MainDisk& disk, std::function<void()> afterShow, QWidget* parent)
    : DiskTableWindow(disk, std::move(afterShow), parent) {
  setObjectName(QStringLiteral("Files"));
  resize(720, 480);

  dos_ = Value(this, "dos");
  diskName_ = Value(this, "diskName");
  free_ = Value(this, "free");
  showHidden_ = new QCheckBox(tr("Show &system and invisible files"), this);
  showHidden_->setObjectName(QStringLiteral("showHidden"));
  connect(showHidden_, &QCheckBox::toggled, this, &FilesWindow::OnShowHidden);

  MakeTable("files", &FilesForm::Row::hidden, kHiddenRow);
  problems_ = new QListWidget(this);
  problems_->setObjectName(QStringLiteral("problems"));
  problems_->setMaximumHeight(90);

  auto* facts = new QFormLayout;
  facts->addRow(tr("DOS:"), dos_);
  facts->addRow(tr("Disk name and date:"), diskName_);
  facts->addRow(tr("Free:"), free_);
  auto* top = new QHBoxLayout;
  top->addLayout(facts, 1);
  top->addWidget(showHidden_, 0, Qt::AlignBottom);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(table_, 1);
  layout->addWidget(new QLabel(tr("Problems:"), this));
  layout->addWidget(problems_);
  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this] { emit FileChosen(ChosenFile()); });
}

int FilesWindow::ChosenFile() const {
  const int row = table_->selectionModel()->currentIndex().row();
  if (row < 0 || static_cast<std::size_t>(row) >= logic_.rows.size()) return -1;
  return static_cast<int>(logic_.rows[static_cast<std::size_t>(row)].file);
}

void FilesWindow::SelectFile(int file) {
  for (std::size_t row = 0; row < logic_.rows.size(); ++row) {
    if (static_cast<int>(logic_.rows[row].file) == file) {
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
  model_->Reset();
  problems_->clear();
  for (const std::string& p : logic_.problems) problems_->addItem(FromText(p));
}

void FilesWindow::OnShowHidden(bool checked) {
  logic_.ShowHidden_Click(checked);
  Sync();
}

}  // namespace m1::qt
