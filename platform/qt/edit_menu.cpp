#include "platform/qt/edit_menu.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace m1::qt {

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
  return copy;
}

void PutOnClipboard(const QString& text) {
  if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

}  // namespace m1::qt
