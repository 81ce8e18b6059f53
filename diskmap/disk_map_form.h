// The Disk map window: the picture of every sector record where it lies on the disk (DiskMap),
// the choice of grid or platters and of what colours the cells, the cell under the mouse named in
// the status bar, a clicked cell shown in the main window (or in hex where no index reaches it), a
// file chosen elsewhere lit in its record order, and the picture saved where the user says, never
// over the image. Its controls are plain values; the Qt form shows them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "diskmap/disk_map.h"
#include "viewer/main_disk.h"

namespace m1 {

class DiskMapForm {
 public:
  // The items of the two combo boxes, in the order of MapView and MapColouring.
  static constexpr std::array<const char*, 2> kViews{"Grid", "Platters"};
  static constexpr std::array<const char*, 3> kColourings{"Owner", "Health", "Density"};

  // metrics measure the picture's texts; they outlive the form.
  DiskMapForm(DiskViews& views, const TextMetrics& metrics) : map(metrics), views_(views) {}

  // Takes up the facts of an image (the window opening, or the main window showing another).
  void Load(const DiskFacts& facts, const std::string& filename);
  // The combo boxes: an item of kViews, of kColourings.
  void View_Change(int index);
  void Colouring_Change(int index);
  // The picture took a new size, in twips.
  void Picture_Resize(Twips width, Twips height);
  // The mouse at (x, y) twips of the picture; true when the cell under it changed.
  bool Picture_MouseMove(Twips x, Twips y);
  // The mouse left the picture; true when a cell was under it.
  bool Picture_MouseLeave();
  // A click: the cell's record shown, and chosenFile set to the file that owns it; false when
  // no cell is there.
  bool Picture_Click(Twips x, Twips y);
  // Lights the cells of a file of the file system in its record order (-1: none).
  void HighlightFile(int file);
  // Why a picture may not be written at path (the image's own file, by any name); nothing when it
  // may.
  std::optional<std::string> PictureRefusal(const std::string& path) const;

  // What the window shows.
  std::string caption;
  std::string status;       // of the cell under the mouse
  std::string pictureName;  // offered in the Save Picture dialog: beside the image, "-map.png"
  int viewIndex = 0;
  int colouringIndex = 0;
  std::optional<std::size_t> hovered;  // the cell under the mouse, outlined
  int chosenFile = -1;                 // the file of the cell clicked last; -1 for none
  DiskMap map;
  std::uint64_t revision = 0;  // counts the changes of the picture, the hover's outline aside

 private:
  void Changed() { ++revision; }

  DiskViews& views_;
  std::string image_;
  std::vector<std::string> statuses_;  // one per record
};

}  // namespace m1
