#include "fileview/qt/file_window.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QVBoxLayout>
#include <tuple>

#include "platform/qt/edit_menu.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/window_parts.h"

namespace m1::qt {

namespace {

// A problem in red, anything else in the window text colour.
void SetTextColour(QLabel* label, bool problem) {
  QPalette palette = label->palette();
  palette.setColor(
      QPalette::WindowText,
      problem ? ToQColor(colour::kRed) : QApplication::palette(label).color(QPalette::WindowText));
  label->setPalette(palette);
}

QString Joined(const std::vector<ShownLine>& lines) {
  std::string text;
  for (const ShownLine& line : lines) {
    if (!text.empty()) text += '\n';
    text += line.text;
  }
  return FromText(text);
}

}  // namespace

FileWindow::FileWindow(MainDisk& disk, std::function<void()> afterShow, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      disk_(disk),
      afterShow_(std::move(afterShow)),
      logic_(disk, saves_) {
  setObjectName(QStringLiteral("File"));
  resize(760, 560);
  askPath_ = [this](const std::string& suggested) -> std::optional<std::string> {
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Save File As"), FromText(suggested));
    if (path.isEmpty()) return std::nullopt;
    return ToText(path);
  };

  auto* page = new QWidget(this);
  auto* facts = new QFormLayout;
  for (const auto& [name, title, text] :
       {std::tuple{"name", QT_TR_NOOP("Name:"), &FileForm::name},
        std::tuple{"size", QT_TR_NOOP("Size:"), &FileForm::size},
        std::tuple{"kind", QT_TR_NOOP("Kind:"), &FileForm::kind}}) {
    QLabel* label = ValueLabel(page, name);
    facts->addRow(tr(title), label);
    facts_.emplace_back(label, text);
  }
  problems_ = ValueLabel(page, "problems");
  problems_->setWordWrap(true);
  tabs_ = new QTabWidget(page);
  tabs_->setObjectName(QStringLiteral("tabs"));
  auto* showSector = new QPushButton(tr("Show &Sector"), page);
  showSector->setObjectName(QStringLiteral("showSector"));
  auto* saveAs = new QPushButton(tr("Save &As..."), page);
  saveAs->setObjectName(QStringLiteral("saveAs"));
  connect(showSector, &QPushButton::clicked, this, &FileWindow::OnShowSector);
  connect(saveAs, &QPushButton::clicked, this, &FileWindow::OnSaveAs);
  status_ = ValueLabel(this, "status");
  statusBar()->addWidget(status_, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(showSector);
  buttons->addStretch(1);
  buttons->addWidget(saveAs);
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(facts);
  layout->addWidget(problems_);
  layout->addWidget(tabs_, 1);
  layout->addLayout(buttons);
  setCentralWidget(page);

  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  QAction* save = file->addAction(tr("Save &As..."));
  save->setObjectName(QStringLiteral("mnuFileSaveAs"));
  save->setShortcut(QKeySequence::SaveAs);
  connect(save, &QAction::triggered, this, &FileWindow::OnSaveAs);
  file->addSeparator();
  QAction* close = file->addAction(tr("&Close"));
  close->setObjectName(QStringLiteral("mnuFileClose"));
  close->setShortcut(QKeySequence::Close);
  connect(close, &QAction::triggered, this, &QWidget::close);
  connect(AddEditMenu(this), &QAction::triggered, this, &FileWindow::OnCopy);
}

void FileWindow::Open(FileChoice which) {
  logic_.Load(disk_.Facts(), which, disk_.Filename());
  ShowTabs();
  Sync();
}

void FileWindow::Sync() {
  setWindowTitle(FromText(logic_.caption));
  for (const auto& [label, text] : facts_) label->setText(FromText(logic_.*text));
  std::string problems;
  for (const std::string& p : logic_.problems) problems += (problems.empty() ? "" : "\n") + p;
  problems_->setText(FromText(problems));
  problems_->setVisible(!problems.empty());
  SetTextColour(problems_, true);
  status_->setText(FromText(logic_.status));
  SetTextColour(status_, logic_.statusIsProblem);
}

void FileWindow::ShowTabs() {
  while (tabs_->count() > 0) {
    QWidget* old = tabs_->widget(0);
    tabs_->removeTab(0);
    old->deleteLater();
  }
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  for (const FileForm::Tab& tab : logic_.tabs) {
    auto* view = new QPlainTextEdit(tabs_);
    view->setObjectName(FromText(tab.title));
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFont(fixed);
    view->setPlainText(Joined(tab.lines));
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this, &FileWindow::OnContextMenu);
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
    tabs_->addTab(view, FromText(tab.title));
  }
}

QPlainTextEdit* FileWindow::CurrentView() const {
  return qobject_cast<QPlainTextEdit*>(tabs_->currentWidget());
}

void FileWindow::ShowSectorAt(const QTextCursor& place) {
  if (logic_.ShowSector_Click(tabs_->currentIndex(), place.blockNumber(), place.positionInBlock()))
    afterShow_();
  Sync();
}

bool FileWindow::eventFilter(QObject* watched, QEvent* event) {
  QPlainTextEdit* view = CurrentView();
  if (view != nullptr && watched == view->viewport() &&
      event->type() == QEvent::MouseButtonDblClick) {
    ShowSectorAt(view->cursorForPosition(static_cast<QMouseEvent*>(event)->position().toPoint()));
    return true;
  }
  // With nothing selected, Ctrl+C goes on to Edit > Copy, which copies the whole view.
  if (view != nullptr && watched == view && event->type() == QEvent::ShortcutOverride &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy) &&
      !view->textCursor().hasSelection()) {
    event->ignore();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void FileWindow::OnShowSector() {
  if (QPlainTextEdit* view = CurrentView()) ShowSectorAt(view->textCursor());
}

void FileWindow::OnSaveAs() {
  if (const auto path = askPath_(logic_.SuggestedPath(ToText(QDir::homePath()))))
    logic_.SaveAs(*path);
  Sync();
}

void FileWindow::OnCopy() {
  QPlainTextEdit* view = CurrentView();
  QString text = view ? view->textCursor().selectedText() : QString();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  PutOnClipboard(text.isEmpty() ? FromText(logic_.CopyText(tabs_->currentIndex())) : text);
}

void FileWindow::OnContextMenu(const QPoint& at) {
  QPlainTextEdit* view = CurrentView();
  if (view == nullptr) return;
  const QTextCursor place = view->cursorForPosition(at);
  QMenu menu(this);
  connect(menu.addAction(tr("Show &Sector")), &QAction::triggered, this,
          [this, place] { ShowSectorAt(place); });
  connect(menu.addAction(tr("&Copy")), &QAction::triggered, this, &FileWindow::OnCopy);
  menu.exec(view->viewport()->mapToGlobal(at));
}

}  // namespace m1::qt
