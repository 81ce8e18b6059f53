// Modal message boxes and the common file-open dialog, as the window logic sees them.
#pragma once

#include <optional>
#include <string>

namespace m1 {

enum class MsgIcon { None, Exclamation };

// The Open dialog's filter of the sector map and the hex editor; the main window adds JV3 files.
inline constexpr const char* kImageFilesFilter =
    "All Files (*.*)|*.*|Dsk Files (*.dsk)|*.dsk|Dmk Files (*.dmk)|*.dmk";

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A modal message box with one OK button. Lines of the text are joined by "\r".
  virtual void MsgBox(const std::string& text, const std::string& title, MsgIcon icon) = 0;
  // The Open dialog. filter is the list of shown names and patterns joined by "|"
  // ("All Files (*.*)|*.*|Dsk Files (*.dsk)|*.dsk"), filterIndex the 1-based entry chosen at first.
  // Returns the chosen path, or nothing when the user cancels.
  virtual std::optional<std::string> ShowOpen(const std::string& filter, int filterIndex) = 0;
};

}  // namespace m1
