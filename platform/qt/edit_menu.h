// The "&Edit" menu of the windows whose dump can be copied: "&Copy" (Ctrl+C) puts the dump on the
// clipboard as text.
#pragma once

class QAction;
class QMainWindow;
class QString;

namespace m1::qt {

// Adds the menu before the window's "&Help" menu (at the end when it has none) and returns its
// Copy action. Ctrl+C also reaches Copy from a box of the window that holds the focus but no
// selection; call it after the window's boxes are made.
QAction* AddEditMenu(QMainWindow* window);

// Puts text on the clipboard; an empty text leaves the clipboard as it was.
void PutOnClipboard(const QString& text);

}  // namespace m1::qt
