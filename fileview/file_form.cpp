#include "fileview/file_form.h"

#include <algorithm>

#include "core/container/record_text.h"
#include "core/dos/file_bytes.h"
#include "core/text/hex_dump.h"
#include "core/text/number_text.h"

namespace m1 {

namespace {

constexpr const char* kBytesTitle = "Bytes";
// Every sector of the DOSes read here holds 256 bytes, so a granule of n sectors holds n x 256.
constexpr std::int64_t kDosSectorBytes = 256;

// NAME.EXT, or NAME without an extension; a '/' a damaged entry may hold would name a folder.
std::string SaveName(const DosFile& f) {
  std::string name = (f.name.empty() ? "_" : f.name) + (f.ext.empty() ? "" : "." + f.ext);
  std::replace(name.begin(), name.end(), '/', '_');
  return name;
}

// The decoded views as tabs. A load module's lines are its records, load map and entry, then a
// blank line and the disassembly: the two parts get a tab each. A file of no known kind has no
// view but its bytes.
std::vector<FileForm::Tab> DecodedTabs(const DecodedFile& decoded, std::vector<ShownLine> lines) {
  switch (decoded.kind) {
    case FileKind::Basic:
      return {{"Listing", std::move(lines)}};
    case FileKind::Text:
    case FileKind::Source:
      return {{"Text", std::move(lines)}};
    case FileKind::Cmd: {
      const std::size_t code = std::min(decoded.disassembly.size(), lines.size());
      std::vector<ShownLine> disassembly(lines.end() - static_cast<std::ptrdiff_t>(code),
                                         lines.end());
      lines.resize(lines.size() - code);
      while (!lines.empty() && lines.back().text.empty()) lines.pop_back();
      std::vector<FileForm::Tab> tabs{{"Load map", std::move(lines)}};
      if (!disassembly.empty()) tabs.push_back({"Disassembly", std::move(disassembly)});
      return tabs;
    }
    case FileKind::Binary:
      break;
  }
  return {};
}

// The hex dump of the bytes, a line of 16 each, every line with the offset of its first byte.
std::vector<ShownLine> DumpLines(std::span<const std::uint8_t> bytes) {
  const std::vector<DumpByte> dump(bytes.begin(), bytes.end());
  const std::string text = HexDumpText(0, dump);
  std::vector<ShownLine> lines;
  lines.reserve(dump.size() / kDumpBytesPerLine + 1);
  std::size_t from = 0;
  for (std::int64_t offset = 0; from < text.size(); offset += kDumpBytesPerLine) {
    const std::size_t end = text.find('\n', from);
    lines.push_back({text.substr(from, end - from), offset});
    from = end == std::string::npos ? text.size() : end + 1;
  }
  return lines;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash == 0 ? 1 : slash);
}

}  // namespace

void FileForm::Load(const DiskFacts& facts, const DosFile& file, const std::string& shownName,
                    const std::string& saveName, const std::string& imagePath) {
  file_ = file;
  records_ = facts.listing.records;
  imagePath_ = imagePath;
  saveName_ = saveName;
  FileBytes read = ReadFileBytes(facts.file, facts.listing, file);
  bytes_ = std::move(read.bytes);
  const DecodedFile decoded = Decode(bytes_, file.ext);

  name = shownName;
  caption = "File - " + name + " - " + imagePath;
  size = Plural(file.size, "byte", "bytes");
  kind = KindName(decoded.kind);
  problems = file.problems;
  for (const FileBytesProblem& p : read.problems) problems.push_back(p.text);
  sectorProblems_ = !read.problems.empty();
  problems.insert(problems.end(), decoded.problems.begin(), decoded.problems.end());
  tabs = DecodedTabs(decoded, ShownLines(decoded, bytes_));
  tabs.push_back({kBytesTitle, DumpLines(bytes_)});
  status.clear();
  statusIsProblem = false;
}

void FileForm::Load(const DiskFacts& facts, FileChoice which, const std::string& imagePath) {
  const FileSystem* fs = facts.fs ? &*facts.fs : nullptr;
  if (fs && !which.found && which.index < fs->files.size()) {
    const DosFile& f = fs->files[which.index];
    Load(facts, f, f.FullName(), SaveName(f), imagePath);
    return;
  }
  if (fs && which.found && which.index < fs->deleted.size()) {
    const DeletedFile& d = fs->deleted[which.index];
    Load(facts, d.file, d.file.FullName() + " (deleted, " + d.state + ")", SaveName(d.file),
         imagePath);
    return;
  }
  if (fs && which.found && which.index - fs->deleted.size() < fs->unowned.size()) {
    const UnownedRun& u = fs->unowned[which.index - fs->deleted.size()];
    DosFile lost;
    lost.size = std::int64_t{u.extent.count} * fs->sectorsPerGranule * kDosSectorBytes;
    lost.extents = {u.extent};
    lost.sectors = u.sectors;
    // As the Files window writes an extent: "T5 G0 x2", Newdos/80 counting in lumps ("L5 G0 x2").
    const std::string extent = (fs->dos == "Newdos/80" ? "L" : "T") + PlainText(u.extent.track) +
                               " G" + PlainText(u.extent.granule) + " x" +
                               PlainText(u.extent.count);
    std::string saveName = "lost-" + extent;
    std::replace(saveName.begin(), saveName.end(), ' ', '-');
    Load(facts, lost, extent + " (allocated to no file)", saveName, imagePath);
    return;
  }
  Load(facts, DosFile{}, "", "", imagePath);
  caption = "File - " + imagePath;
  size.clear();
  kind.clear();
  problems = {fs ? "no such file on the disk" : "no file system recognised"};
}

const FileForm::Tab* FileForm::TabAt(int tab) const {
  if (tab < 0 || static_cast<std::size_t>(tab) >= tabs.size()) return nullptr;
  return &tabs[static_cast<std::size_t>(tab)];
}

bool FileForm::ShowSector_Click(int tab, int line, int column) {
  const Tab* t = TabAt(tab);
  if (t != nullptr && t->title == kBytesTitle) {
    if (const auto at = ByteAt(line, column)) return ShowByteSector(*at);
  }
  return ShowLineSector(tab, line);
}

bool FileForm::ShowLineSector(int tab, int line) {
  const Tab* t = TabAt(tab);
  if (t == nullptr || line < 0 || static_cast<std::size_t>(line) >= t->lines.size()) return false;
  const std::int64_t offset = t->lines[static_cast<std::size_t>(line)].offset;
  if (offset < 0) {
    status = "This line shows no byte of the file.";
    statusIsProblem = true;
    return false;
  }
  return ShowByteSector(offset);
}

bool FileForm::ShowByteSector(std::int64_t fileOffset) {
  const std::optional<std::size_t> record = RecordOfFileOffset(file_, fileOffset);
  statusIsProblem = !record || *record >= records_.size();
  if (statusIsProblem) {
    status = "No sector of the image holds byte " + PlainText(fileOffset) + " of the file.";
    return false;
  }
  const SectorRecord& r = records_[*record];
  status = "Byte " + PlainText(fileOffset) + " of the file lies in " + SectorName(r) + ".";
  ShowRecord(views_, r);
  return true;
}

std::optional<std::int64_t> FileForm::ByteAt(int line, int column) const {
  const std::optional<int> within = DumpByteAtColumn(column);
  if (line < 0 || !within) return std::nullopt;
  const std::int64_t at = std::int64_t{line} * kDumpBytesPerLine + *within;
  if (at >= static_cast<std::int64_t>(bytes_.size())) return std::nullopt;
  return at;
}

std::string FileForm::SuggestedPath(const std::string& home) const {
  const std::string& folder = lastFolder_.empty() ? home : lastFolder_;
  const std::string fileName = saveName_.empty() ? "_" : saveName_;
  return folder.empty() || folder.back() == '/' ? folder + fileName : folder + "/" + fileName;
}

bool FileForm::SaveAs(const std::string& path) {
  statusIsProblem = true;
  if (path.empty()) return false;
  if (saves_.Same(path, imagePath_)) {
    status = "Not saved: " + path + " is the disk image itself.";
    return false;
  }
  std::string error;
  if (!saves_.Save(path, bytes_, &error)) {
    status = "Not saved: " + path + ": " + error + ".";
    return false;
  }
  lastFolder_ = FolderOf(path);
  statusIsProblem = false;
  status = "Saved " + Plural(static_cast<long long>(bytes_.size()), "byte", "bytes") + " to " +
           path + "." + (sectorProblems_ ? " Sectors missing or damaged: see the problems." : "");
  return true;
}

std::string FileForm::CopyText(int tab) const {
  std::string text;
  if (const Tab* t = TabAt(tab)) {
    for (const ShownLine& line : t->lines) text += line.text + '\n';
  }
  return text;
}

}  // namespace m1
