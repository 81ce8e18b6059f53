// Which DOS a disk holds, tried in this order: Newdos/80 first, by the marker and drive parameters
// of its system sector (its disks would otherwise pass for TRSDOS on single-sided single-density
// disks, where a lump happens to be a track); then TRSDOS 2.3 / LDOS by the directory cylinder in
// boot byte 2; then Model III TRSDOS 1.3 by the one in boot byte 1. The last two count only when
// the HIT agrees with the entries it indexes.
#include "core/dos/filesystem.h"

#include <cstdio>

#include "core/dos/dos_layout.h"

namespace m1 {

std::string DosFile::FullName() const {
  return ext.empty() ? name : name + "/" + ext;
}

std::string FileSystem::OwnerText(std::size_t record) const {
  if (record >= owners.size()) return "";
  const SectorOwner& o = owners[record];
  switch (o.kind) {
    case OwnerKind::Unknown:
      return "";
    case OwnerKind::Boot:
      return "boot";
    case OwnerKind::System:
      return "system";
    case OwnerKind::Gat:
      return "GAT";
    case OwnerKind::Hit:
      return "HIT";
    case OwnerKind::DirectorySlot:
      return "directory, entries " + std::to_string(o.firstSlot) + " to " +
             std::to_string(o.firstSlot + entriesPerSector - 1);
    case OwnerKind::File: {
      if (o.file < 0 || static_cast<std::size_t>(o.file) >= files.size()) return "";
      const DosFile& f = files[static_cast<std::size_t>(o.file)];
      if (o.record == 0) return f.FullName() + ", past its end";
      return f.FullName() + ", record " + std::to_string(o.record) + " of " +
             std::to_string(f.sectors.size());
    }
    case OwnerKind::Free:
      return "free";
    case OwnerKind::AllocatedNoFile:
      return "allocated to no file";
  }
  return "";
}

std::optional<FileSystem> ReadFileSystem(std::span<const std::uint8_t> file, const Listing& listing,
                                         const ContentGuess& guess) {
  if (listing.records.empty()) return std::nullopt;
  const dos::DiskView disk(file, listing, guess);
  if (auto fs = dos::ReadNewdos80(disk)) return fs;
  if (auto fs = dos::ReadTrsdosModel1(disk)) return fs;
  return dos::ReadTrsdosModel3(disk);
}

std::string DirectoryText(const FileSystem& fs) {
  std::string out = fs.dos;
  if (fs.version) out += " " + *fs.version;
  if (fs.diskName) out += "   " + *fs.diskName;
  if (fs.date) out += "   " + *fs.date;
  out += "\n";
  char line[128];
  for (const DosFile& f : fs.files) {
    const std::string attributes = std::string(f.system ? "S" : "") + (f.invisible ? "I" : "");
    std::snprintf(line, sizeof line, "%-12s %8lld  %-2s P%d  %s", f.FullName().c_str(),
                  static_cast<long long>(f.size), attributes.c_str(), f.protection,
                  f.date.value_or("").c_str());
    std::string text = line;
    while (!text.empty() && text.back() == ' ') text.pop_back();
    out += text + "\n";
  }
  out += std::to_string(fs.files.size()) + (fs.files.size() == 1 ? " file" : " files");
  if (fs.freeGranules) {
    out += ", " + std::to_string(*fs.freeGranules) + " free granules of " +
           std::to_string(fs.sectorsPerGranule) + " sectors";
  }
  out += "\n";
  for (const std::string& p : fs.problems) out += "problem: " + p + "\n";
  return out;
}

}  // namespace m1
