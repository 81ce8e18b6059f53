#include "files/files_form.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <system_error>

namespace m1 {

namespace {

// Every sector of the DOSes read here holds 256 bytes, so a granule of n sectors holds n x 256.
constexpr std::int64_t kDosSectorBytes = 256;

std::string AttributesText(const DosFile& f) {
  std::string text;
  const auto add = [&text](const std::string& word) { text += (text.empty() ? "" : ", ") + word; };
  if (f.system) add("system");
  if (f.invisible) add("invisible");
  if (f.protection != 0) add("protection " + std::to_string(f.protection));
  return text;
}

// "T17 G0 x2, T18 G1 x3": each extent's track (Newdos/80: its lump), first granule and granules.
std::string ExtentsText(const std::vector<FileExtent>& extents, bool lumps) {
  std::string text;
  for (const FileExtent& e : extents) {
    if (!text.empty()) text += ", ";
    text += (lumps ? "L" : "T") + std::to_string(e.track) + " G" + std::to_string(e.granule) +
            " x" + std::to_string(e.count);
  }
  return text;
}

// The date a file sorts by, its year, month and day as one number: the directory gives "MM/DD/YY"
// (LDOS) or "MM/YY" (Model III TRSDOS), years of the 1900s. -1: no date.
std::int64_t DateKey(const std::optional<std::string>& date) {
  if (!date) return -1;
  std::vector<int> parts;
  const char* at = date->data();
  const char* end = at + date->size();
  while (at < end) {
    int value = 0;
    const auto [next, error] = std::from_chars(at, end, value);
    if (error != std::errc()) return -1;
    parts.push_back(value);
    at = next < end && *next == '/' ? next + 1 : end;
  }
  if (parts.size() == 3) return parts[2] * 10000 + parts[0] * 100 + parts[1];
  if (parts.size() == 2) return parts[1] * 10000 + parts[0] * 100;
  return -1;
}

// The value a numeric column sorts by; the other columns sort by their text.
std::optional<std::int64_t> NumericKey(const DosFile& f, int column) {
  if (column == FilesForm::kSize) return f.size;
  if (column == FilesForm::kDate) return DateKey(f.date);
  return std::nullopt;
}

}  // namespace

void FilesForm::Load(const DiskFacts& facts, const std::string& filename) {
  caption = "Files - " + filename;
  records_ = facts.listing.records;
  problems.clear();
  diskName.clear();
  date.clear();
  freeSpace.clear();
  files_.clear();
  found_.clear();
  newdos_ = false;
  if (!facts.fs) {
    dos = facts.listing.error ? *facts.listing.error : "No file system recognised";
    Rebuild();
    count.clear();  // no directory to count
    return;
  }
  const FileSystem& fs = *facts.fs;
  newdos_ = fs.dos == "Newdos/80";
  dos = fs.dos + (fs.version ? " " + *fs.version : "");
  diskName = fs.diskName.value_or("");
  date = fs.date.value_or("");
  if (fs.freeGranules) {
    const std::int64_t bytes =
        std::int64_t{*fs.freeGranules} * fs.sectorsPerGranule * kDosSectorBytes;
    freeSpace = std::to_string(*fs.freeGranules) + " granules, " + std::to_string(bytes) + " bytes";
  }
  problems = fs.problems;
  for (const DosFile& f : fs.files) {
    for (const std::string& p : f.problems) problems.push_back(f.FullName() + ": " + p);
  }
  files_ = fs.files;
  for (const DeletedFile& d : fs.deleted) {
    const std::string more = AttributesText(d.file);
    found_.push_back({{d.file.name, d.file.ext, std::to_string(d.file.size),
                       "deleted, " + d.state + (more.empty() ? "" : ", " + more),
                       d.file.date.value_or(""), ExtentsText(d.file.extents, newdos_)},
                      d.file.system || d.file.invisible,
                      d.file.sectors});
  }
  for (const UnownedRun& u : fs.unowned) {
    const std::int64_t bytes =
        std::int64_t{u.extent.count} * fs.sectorsPerGranule * kDosSectorBytes;
    found_.push_back({{"", "", std::to_string(bytes),
                       "allocated to no file" + (u.holds ? ", holds " + *u.holds : ""), "",
                       ExtentsText({u.extent}, newdos_)},
                      false,
                      u.sectors});
  }
  Rebuild();
}

void FilesForm::ShowFirstSector_Click(int row) {
  const Row* r = RowAt(rows, row);
  if (!r) return;
  const std::vector<FileSector>& sectors =
      r->found ? found_[r->file].sectors : files_[r->file].sectors;
  if (sectors.empty() || !sectors.front().record) return;
  const std::size_t record = *sectors.front().record;
  if (record < records_.size()) ShowRecord(views_, records_[record]);
}

void FilesForm::Rebuild() {
  rows.clear();
  std::int64_t bytes = 0;
  for (std::size_t i = 0; i < files_.size(); ++i) {
    const DosFile& f = files_[i];
    const bool hidden = f.system || f.invisible;
    if (hidden && !showHidden) continue;
    rows.push_back({i,
                    hidden,
                    {f.name, f.ext, std::to_string(f.size), AttributesText(f), f.date.value_or(""),
                     ExtentsText(f.extents, newdos_)}});
    bytes += f.size;
  }
  count = std::to_string(rows.size()) + (rows.size() == 1 ? " file, " : " files, ") +
          std::to_string(bytes) + " bytes";
  if (sortColumn >= 0) {
    SortRows(rows, sortColumn, ascending,
             [&](const Row& r) { return NumericKey(files_[r.file], sortColumn); });
  }
  // The deleted files and the runs no file owns follow the files, in the directory's order.
  for (std::size_t i = 0; showFound && i < found_.size(); ++i) {
    if (found_[i].hidden && !showHidden) continue;
    rows.push_back({i, found_[i].hidden, found_[i].cells, true});
  }
}

}  // namespace m1
