// The File window in Qt: the file's name, size and kind, its problems in red, a tab for each view
// (the decoded ones, then its bytes) in a fixed-pitch font, "Show Sector" (button, context menu,
// double-click on a line), "Save As..." and Edit > Copy, over the logic of FileForm. A child
// window of the main window, which owns it.
#pragma once

#include <QMainWindow>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fileview/file_form.h"

class QLabel;
class QPlainTextEdit;
class QTabWidget;
class QTextCursor;

namespace m1::qt {

class FileWindow final : public QMainWindow {
  Q_OBJECT

 public:
  // Where to save: the suggested path in, the chosen one out (the dialog has asked before
  // replacing a file), nothing when the user cancels.
  using AskPath = std::function<std::optional<std::string>(const std::string& suggested)>;

  // afterShow runs when a line or byte showed its sector or bytes in another window.
  FileWindow(MainDisk& disk, std::function<void()> afterShow, QWidget* parent);

  // Shows a file of the image the main window shows.
  void Open(FileChoice which);
  // Shows what the logic holds: the labels and the status line.
  void Sync();
  const FileForm& Logic() const { return logic_; }
  // The Save dialog by default.
  void SetAskPath(AskPath ask) { askPath_ = std::move(ask); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  void OnShowSector();
  void OnSaveAs();
  void OnCopy();
  void OnContextMenu(const QPoint& at);

 private:
  // Makes a tab for each view of the file.
  void ShowTabs();
  QPlainTextEdit* CurrentView() const;
  // Show Sector at a place of the current tab's text.
  void ShowSectorAt(const QTextCursor& place);

  MainDisk& disk_;
  std::function<void()> afterShow_;
  DiskSaveFiles saves_;
  FileForm logic_;
  AskPath askPath_;
  // The labels of the file's name, size and kind, each with the text of the logic it shows.
  std::vector<std::pair<QLabel*, std::string FileForm::*>> facts_;
  QLabel* problems_ = nullptr;
  QLabel* status_ = nullptr;
  QTabWidget* tabs_ = nullptr;
};

}  // namespace m1::qt
