#include "app/qt_host.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "app/disk_windows.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/window_place.h"

namespace m1::qt {

QtHost::QtHost(std::unique_ptr<Dialogs> dialogs)
    : dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtDialogs>()),
      platform_{metrics_, *dialogs_, files_, *this, module_} {}

QtHost::~QtHost() {
  // The forms go first; they show the surfaces of the logic objects.
  hexWin_.reset();
  mapWin_.reset();
  mainWin_.reset();
}

void QtHost::Start(const std::optional<std::string>& file) {
  std::optional<std::string> path = file;
  if (path && !path->empty()) *path = ToText(QFileInfo(FromText(*path)).absoluteFilePath());
  ShowForm(FormId::Main);
  if (!path || !mainWin_) return;
  QTimer::singleShot(0, mainWin_.get(), [this, p = *path] {
    if (!ended_) mainWin_->OpenChosen(p);
  });
}

void QtHost::ShowForm(FormId form) {
  if (ended_) return;
  BringForward(Create(form));
}

template <class Logic, class Window>
Window& QtHost::Made(std::unique_ptr<Logic>& logic, std::unique_ptr<Window>& window) {
  if (!window) {
    logic = std::make_unique<Logic>(platform_);
    window = std::make_unique<Window>(*logic, tracker_);
    Load(*window);
  }
  return *window;
}

FormWindow& QtHost::Create(FormId form) {
  switch (form) {
    case FormId::Map:
      return Made(mapLogic_, mapWin_);
    case FormId::Hex:
      return Made(hexLogic_, hexWin_);
    case FormId::Main:
      break;
  }
  if (!mainWin_) new DiskWindows(Made(mainLogic_, mainWin_));
  return Made(mainLogic_, mainWin_);
}

void QtHost::Load(FormWindow& window) {
  window.Load();
  window.KeepClientArea();
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (screen != nullptr) OpenCentredOn(window, screen->availableGeometry().center());
}

void QtHost::EndProgram() {
  if (ended_) return;
  ended_ = true;
  for (FormWindow* window :
       {static_cast<FormWindow*>(mainWin_.get()), static_cast<FormWindow*>(mapWin_.get()),
        static_cast<FormWindow*>(hexWin_.get())}) {
    if (window == nullptr) continue;
    window->SetEnding();
    window->hide();
  }
  files_.CloseAll();
  QCoreApplication::exit(0);
}

void QtHost::DoEvents() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtHost::ChangeToProgramFolder() {
  QDir::setCurrent(QCoreApplication::applicationDirPath());
}

void QtHost::ShowFileBytes(const std::string& path, std::int64_t offset) {
  if (ended_) return;
  ShowForm(FormId::Hex);
  hexLogic_->ShowBytesAt(path, offset);
  hexWin_->Sync();
}

}  // namespace m1::qt
