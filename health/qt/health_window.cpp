#include "health/qt/health_window.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QTableView>
#include <QVBoxLayout>

#include "platform/qt/window_parts.h"

namespace m1::qt {

namespace {

// Rows with a problem stand on a light red background.
const QColor kProblemRow(255, 216, 216);

}  // namespace

HealthWindow::HealthWindow(MainDisk& disk, std::function<void()> afterShow, QWidget* parent)
    : DiskTableWindow(disk, std::move(afterShow), parent, "DiskHealth", {900, 520}) {
  summary_ = ValueLabel(this, "summary");
  problemsOnly_ = new QCheckBox(tr("&Problems only"), this);
  problemsOnly_->setObjectName(QStringLiteral("problemsOnly"));
  connect(problemsOnly_, &QCheckBox::toggled, this,
          ThenSync(this, logic_, &HealthForm::ProblemsOnly_Click));

  MakeTable("records", &HealthForm::Row::problem, kProblemRow);
  SortByHeadings();

  auto* top = new QHBoxLayout;
  top->addWidget(summary_, 1);
  top->addWidget(problemsOnly_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(table_);
}

void HealthWindow::Sync() {
  setWindowTitle(FromText(logic_.caption));
  summary_->setText(FromText(logic_.summary));
  {
    const QSignalBlocker block(problemsOnly_);
    problemsOnly_->setChecked(logic_.problemsOnly);
  }
  model_->Reset();
  ShowSort();
}

}  // namespace m1::qt
