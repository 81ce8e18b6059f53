// The Files window in Qt: the DOS, disk name, date and free space, the boxes that show or hide
// system and invisible files and deleted and lost files, the table of files and the problems
// found, over the logic of FilesForm. A child window of the main window, which owns it.
#pragma once

#include "files/files_form.h"
#include "platform/qt/disk_table_window.h"

class QCheckBox;
class QLabel;
class QListWidget;

namespace m1::qt {

class FilesWindow final : public DiskTableWindow<FilesForm, MainDisk> {
  Q_OBJECT

 public:
  // afterShow runs when a chosen file showed its first sector in another window.
  FilesWindow(MainDisk& disk, std::function<void()> afterShow, QWidget* parent);

  void Reload() override;
  void Sync() override;
  // From now on a chosen row opens its file through open (the row's file and found), rather than
  // showing the file's first sector.
  void SetOpenFile(std::function<void(std::size_t file, bool found)> open) {
    openFile_ = std::move(open);
  }

  // The file of the chosen row; -1 when none is chosen, or a deleted or lost file is.
  int ChosenFile() const;

 public slots:
  // Chooses the row of a file (none when it is not shown).
  void SelectFile(int file);

 signals:
  // The chosen row changed to this file's (-1: none).
  void FileChosen(int file);

 protected:
  void RowChosen(int row) override;

 private slots:
  // The menu of the row under pos (in the table's viewport).
  void OnRowMenu(const QPoint& pos);

 private:
  QLabel* dos_ = nullptr;
  QLabel* count_ = nullptr;
  QLabel* diskName_ = nullptr;
  QLabel* free_ = nullptr;
  QCheckBox* showHidden_ = nullptr;
  QCheckBox* showFound_ = nullptr;
  QListWidget* problems_ = nullptr;
  std::function<void(std::size_t, bool)> openFile_;
  int chosen_ = -1;  // the file last chosen, as FileChosen said it
};

}  // namespace m1::qt
