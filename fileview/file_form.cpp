#include "fileview/file_form.h"

#include <algorithm>

#include "core/container/record_text.h"
#include "core/dos/file_bytes.h"
#include "core/text/hex_dump.h"
#include "core/text/number_text.h"

namespace m1 {

namespace {

constexpr const char* kBytesTitle = "Bytes";

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

void FileForm::Load(const DiskFacts& facts, const DosFile& file, const std::string& imagePath) {
  file_ = file;
  records_ = facts.listing.records;
  imagePath_ = imagePath;
  FileBytes read = ReadFileBytes(facts.file, facts.listing, file);
  bytes_ = std::move(read.bytes);
  const DecodedFile decoded = Decode(bytes_, file.ext);

  name = file.FullName();
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

void FileForm::Load(const DiskFacts& facts, std::size_t fileIndex, const std::string& imagePath) {
  if (facts.fs && fileIndex < facts.fs->files.size()) {
    Load(facts, facts.fs->files[fileIndex], imagePath);
    return;
  }
  Load(facts, DosFile{}, imagePath);
  caption = "File - " + imagePath;
  name.clear();
  size.clear();
  kind.clear();
  problems = {facts.fs ? "no such file in the directory" : "no file system recognised"};
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
  std::string fileName = file_.name.empty() ? "_" : file_.name;
  if (!file_.ext.empty()) fileName += "." + file_.ext;
  // A damaged entry may hold a '/', which would name a folder.
  std::replace(fileName.begin(), fileName.end(), '/', '_');
  const std::string& folder = lastFolder_.empty() ? home : lastFolder_;
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
