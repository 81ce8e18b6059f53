// The Files window in Qt: the DOS, disk name, date and free space, the box that shows or hides
// system and invisible files, the table of files and the problems found, over the logic of
// FilesForm. A child window of the main window, which owns it.
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

  void Sync() override;
  // The file of the chosen row; -1 when none is chosen.
  int ChosenFile() const;

 public slots:
  // Chooses the row of a file (none when it is not shown).
  void SelectFile(int file);

 signals:
  // The chosen row changed to this file's (-1: none).
  void FileChosen(int file);

 private slots:
  void OnShowHidden(bool checked);

 private:
  QLabel* dos_ = nullptr;
  QLabel* diskName_ = nullptr;
  QLabel* free_ = nullptr;
  QCheckBox* showHidden_ = nullptr;
  QListWidget* problems_ = nullptr;
};

}  // namespace m1::qt
