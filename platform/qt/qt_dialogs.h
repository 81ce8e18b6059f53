// Message boxes and the Open dialog of the desktop.
#pragma once

#include <QString>

#include "platform/dialogs.h"

namespace m1::qt {

// Lines of a message joined by "\r" (or "\r\n"), as the window logic writes them, with Qt's "\n".
QString MessageText(const std::string& text);

// A filter list of shown names and patterns joined by "|" ("Dsk Files (*.dsk)|*.dsk") as Qt's
// filter string ("Dsk Files (*.dsk);;..."), one entry for each name. A pattern of "*.*" means
// every file, as it does on the desktops the list was written for, so it becomes "*"; patterns are
// trimmed, and several patterns joined by ";" are given to Qt with spaces.
QStringList QtFilters(const std::string& filter);

class QtDialogs final : public Dialogs {
 public:
  void MsgBox(const std::string& text, const std::string& title, MsgIcon icon) override;
  // Starts in the program's folder, then in the folder of the file chosen last.
  std::optional<std::string> ShowOpen(const std::string& filter, int filterIndex) override;

 private:
  QString folder_;
};

}  // namespace m1::qt
