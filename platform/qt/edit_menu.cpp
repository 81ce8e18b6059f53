#include "platform/qt/edit_menu.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace m1::qt {

namespace {

// A box that holds the focus takes Ctrl+C for itself. The window's boxes are read-only, and one
// of them usually has the focus, so with nothing selected in the box the key goes on to Copy.
class CopyPastEmptySelection final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ShortcutOverride) {
      const auto* box = qobject_cast<QLineEdit*>(watched);
      if (box != nullptr && !box->hasSelectedText() &&
          static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        event->ignore();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

QAction* AddEditMenu(QMainWindow* window) {
  QMenuBar* bar = window->menuBar();
  auto* edit = new QMenu(QStringLiteral("&Edit"), bar);
  edit->setObjectName(QStringLiteral("mnuEdit"));
  QAction* help = nullptr;
  for (QAction* top : bar->actions()) {
    if (top->objectName() == QLatin1String("Help")) help = top;
  }
  bar->insertMenu(help, edit);
  QAction* copy = edit->addAction(QStringLiteral("&Copy"));
  copy->setObjectName(QStringLiteral("mnuEditCopy"));
  copy->setShortcut(QKeySequence::Copy);
  auto* filter = new CopyPastEmptySelection(window);
  for (QLineEdit* box : window->findChildren<QLineEdit*>()) box->installEventFilter(filter);
  return copy;
}

void PutOnClipboard(const QString& text) {
  if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

}  // namespace m1::qt
