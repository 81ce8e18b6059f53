#include "diskmap/disk_map_form.h"

#include <filesystem>
#include <system_error>

namespace m1 {

void DiskMapForm::Load(const DiskFacts& facts, const std::string& filename) {
  caption = "Disk map - " + filename;
  image_ = filename;
  std::filesystem::path picture(filename);
  picture.replace_extension();
  pictureName = picture.string() + "-map.png";
  // The texts of every record now, so that the form keeps no reference to facts the main window
  // replaces with its next image.
  statuses_.clear();
  for (std::size_t i = 0; i < facts.listing.records.size(); ++i) {
    statuses_.push_back(facts.StatusText(i));
  }
  status = facts.listing.error.value_or("");
  hovered.reset();
  chosenFile = -1;
  map.Load(facts);
  Changed();
}

void DiskMapForm::View_Change(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= kViews.size()) return;
  viewIndex = index;
  map.SetView(static_cast<MapView>(index));
  Changed();
}

void DiskMapForm::Colouring_Change(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= kColourings.size()) return;
  colouringIndex = index;
  map.SetColouring(static_cast<MapColouring>(index));
  Changed();
}

void DiskMapForm::Picture_Resize(Twips width, Twips height) {
  map.SetSize(width, height);
  Changed();
}

bool DiskMapForm::Picture_MouseMove(Twips x, Twips y) {
  const std::optional<std::size_t> cell = map.CellAt(x, y);
  if (cell == hovered) return false;
  hovered = cell;
  status = cell ? statuses_[*cell] : "";
  return true;
}

bool DiskMapForm::Picture_MouseLeave() {
  if (!hovered) return false;
  hovered.reset();
  status.clear();
  return true;
}

bool DiskMapForm::Picture_Click(Twips x, Twips y) {
  const std::optional<std::size_t> cell = map.CellAt(x, y);
  if (!cell) return false;
  chosenFile = map.FileOf(*cell);
  ShowRecord(views_, map.Records()[*cell]);
  return true;
}

void DiskMapForm::HighlightFile(int file) {
  if (file == map.lit) return;
  map.SetLit(file);
  Changed();
}

std::optional<std::string> DiskMapForm::PictureRefusal(const std::string& path) const {
  namespace fs = std::filesystem;
  std::error_code sameError, pathError, imageError;
  // The same file by another name (a link, "..") is the same file.
  bool same = fs::equivalent(path, image_, sameError);
  const fs::path a = fs::weakly_canonical(path, pathError);
  const fs::path b = fs::weakly_canonical(image_, imageError);
  if (!pathError && !imageError && a == b) same = true;
  if (!same) return std::nullopt;
  return path + " is the disk image itself: the picture is never written over it.";
}

}  // namespace m1
