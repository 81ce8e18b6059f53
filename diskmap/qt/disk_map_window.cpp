#include "diskmap/qt/disk_map_window.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QVBoxLayout>

#include "diskmap/qt/map_picture.h"
#include "platform/qt/hover_status.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/window_parts.h"

namespace m1::qt {

namespace {

QComboBox* Choices(QWidget* parent, const char* name, auto items) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromLatin1(name));
  for (const char* item : items) box->addItem(QString::fromLatin1(item));
  return box;
}

QString AskWithDialog(QWidget* parent, const QString& suggested) {
  return QFileDialog::getSaveFileName(parent, QObject::tr("Save Picture"), suggested,
                                      QObject::tr("PNG pictures (*.png)"));
}

}  // namespace

DiskMapWindow::DiskMapWindow(MainDisk& disk, std::function<void()> afterShow, QWidget* parent)
    : QMainWindow(parent),
      disk_(disk),
      afterShow_(std::move(afterShow)),
      metrics_(MapFont()),
      logic_(disk, metrics_),
      askSavePath_(AskWithDialog) {
  setObjectName(QStringLiteral("DiskMap"));
  resize(960, 620);

  view_ = Choices(this, "view", DiskMapForm::kViews);
  colouring_ = Choices(this, "colouring", DiskMapForm::kColourings);
  auto* save = new QPushButton(tr("&Save Picture..."), this);
  save->setObjectName(QStringLiteral("savePicture"));
  picture_ = new MapPicture(logic_, this);
  picture_->setObjectName(QStringLiteral("picture"));
  auto* viewLabel = new QLabel(tr("&View:"), this);
  viewLabel->setBuddy(view_);
  auto* colouringLabel = new QLabel(tr("&Colour by:"), this);
  colouringLabel->setBuddy(colouring_);

  auto* top = new QHBoxLayout;
  top->addWidget(viewLabel);
  top->addWidget(view_);
  top->addSpacing(16);
  top->addWidget(colouringLabel);
  top->addWidget(colouring_);
  top->addStretch(1);
  top->addWidget(save);
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->addLayout(top);
  layout->addWidget(picture_, 1);
  setCentralWidget(central);
  hover_ = new HoverStatus(this, picture_);

  connect(view_, &QComboBox::currentIndexChanged, this,
          ThenSync(this, logic_, &DiskMapForm::View_Change));
  connect(colouring_, &QComboBox::currentIndexChanged, this,
          ThenSync(this, logic_, &DiskMapForm::Colouring_Change));
  connect(save, &QPushButton::clicked, this, &DiskMapWindow::OnSavePicture);
  connect(picture_, &MapPicture::Resized, this, &DiskMapWindow::OnResized);
  connect(picture_, &MapPicture::Clicked, this, &DiskMapWindow::OnClicked);
  connect(picture_, &MapPicture::Left, this, &DiskMapWindow::OnLeft);
  connect(hover_, &HoverStatus::Hovered, this, &DiskMapWindow::OnHover);
}

void DiskMapWindow::Reload() {
  logic_.Load(disk_.Facts(), disk_.Filename());
  logic_.Picture_Resize(picture_->width() * kTwipsPerPixel, picture_->height() * kTwipsPerPixel);
  Sync();
}

void DiskMapWindow::Sync() {
  setWindowTitle(FromText(logic_.caption));
  {
    const QSignalBlocker blockView(view_);
    const QSignalBlocker blockColouring(colouring_);
    view_->setCurrentIndex(logic_.viewIndex);
    colouring_->setCurrentIndex(logic_.colouringIndex);
  }
  hover_->Show(logic_.status);
  picture_->update();
}

void DiskMapWindow::HighlightFile(int file) {
  logic_.HighlightFile(file);
  picture_->update();
}

void DiskMapWindow::OnResized(int width, int height) {
  logic_.Picture_Resize(width, height);
}
void DiskMapWindow::OnHover(int x, int y) {
  if (logic_.Picture_MouseMove(x, y)) Sync();
}
void DiskMapWindow::OnLeft() {
  if (logic_.Picture_MouseLeave()) Sync();
}

void DiskMapWindow::OnClicked(int x, int y) {
  if (!logic_.Picture_Click(x, y)) return;
  afterShow_();
  if (logic_.chosenFile >= 0) emit FileChosen(logic_.chosenFile);
}

void DiskMapWindow::OnSavePicture() {
  const QString path = askSavePath_(this, FromText(logic_.pictureName));
  if (path.isEmpty()) return;
  if (const auto refusal = logic_.PictureRefusal(ToText(path))) {
    statusBar()->showMessage(FromText(*refusal), 10000);
    return;
  }
  const QImage picture = RenderMap(logic_.map, picture_->devicePixelRatioF());
  statusBar()->showMessage(
      picture.save(path, "PNG") ? tr("Saved %1").arg(path) : tr("Could not write %1").arg(path),
      10000);
}

}  // namespace m1::qt
