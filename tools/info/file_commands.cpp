#include "tools/info/file_commands.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>

#include "core/content/decoded.h"
#include "core/disk_facts.h"
#include "tools/info/image_file.h"

namespace m1::info {

namespace {

constexpr const char* kProgram = "m1view-info: ";

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// An image read and its directory; the error when either cannot be read.
struct OpenedDisk {
  std::string path;
  ImageFile file;
  std::unique_ptr<const DiskFacts> facts;

  explicit OpenedDisk(std::string imagePath) : path(std::move(imagePath)) {
    file = ReadImageFile(path);
    if (!file.error) facts = DiskFacts::Read(file.bytes);
  }
  // True when the disk's files can be read; otherwise says why on err.
  bool Readable(std::ostream& err) const {
    if (file.error) {
      err << kProgram << path << ": " << *file.error << "\n";
    } else if (facts->listing.error) {
      err << kProgram << path << ": " << *facts->listing.error << "\n";
    } else if (!facts->fs) {
      err << kProgram << "no DOS recognised on " << path << "\n";
    } else {
      return true;
    }
    return false;
  }
};

// A file a typed name picked, and its bytes.
struct FoundFile {
  const DosFile& file;
  FileBytes bytes;
};

// The one file the typed name matches on a readable disk, or nothing after saying why on err.
std::optional<FoundFile> FindOne(const OpenedDisk& disk, const std::string& typed,
                                 std::ostream& err) {
  if (!disk.Readable(err)) return std::nullopt;
  const DosName name = ParseDosName(typed);
  const std::vector<std::size_t> found = MatchingFiles(*disk.facts->fs, name);
  if (found.size() == 1)
    return FoundFile{disk.facts->fs->files[found.front()], disk.facts->BytesOf(found.front())};
  if (found.empty()) {
    err << kProgram << "no file " << name.Text() << " on " << disk.path << "\n";
  } else {
    err << kProgram << name.Text() << " on " << disk.path << " matches " << found.size()
        << " files\n";
  }
  return std::nullopt;
}

// Names each problem of a file's bytes on err; true when there was one.
bool ReportProblems(const OpenedDisk& disk, const DosFile& file, const FileBytes& bytes,
                    std::ostream& err) {
  for (const FileBytesProblem& p : bytes.problems) {
    err << kProgram << disk.path << ": " << file.FullName() << ": " << p.text << "\n";
  }
  return !bytes.problems.empty();
}

using Json = nlohmann::ordered_json;

constexpr int kLoadBlock = 0x01;  // load-module record types whose address the JSON gives
constexpr int kTransfer = 0x02;
constexpr int kYankedBlock = 0x10;  // shaped as a load block: its length counts the address
constexpr int kAddressBytes = 2;

Json ShowJson(const DosFile& file, const FileBytes& bytes, const DecodedFile& d) {
  Json problems = Json::array();
  for (const FileBytesProblem& p : bytes.problems) problems.push_back(p.text);
  for (const std::string& p : d.problems) problems.push_back(p);
  Json j{{"file", file.FullName()},
         {"size", file.size},
         {"kind", KindName(d.kind)},
         {"problems", std::move(problems)}};
  if (d.basic) {
    Json lines = Json::array();
    for (const BasicLine& line : d.basic->lines) {
      lines.push_back(Json{{"line", line.number}, {"text", line.text}});
    }
    j["basic"] = std::move(lines);
  }
  if (d.module) {
    Json records = Json::array();
    for (const LoadRecord& r : d.module->records) {
      const bool addressed = (r.type == kLoadBlock || r.type == kTransfer) && r.address;
      records.push_back(
          Json{{"type", r.type},
               {"address", addressed ? Json(*r.address) : Json(nullptr)},
               {"length", r.type == kYankedBlock ? r.length + kAddressBytes : r.length}});
    }
    j["records"] = std::move(records);
    j["entry"] = d.module->entry ? Json(*d.module->entry) : Json(nullptr);
    j["moduleName"] = d.module->moduleName ? Json(*d.module->moduleName) : Json(nullptr);
  }
  if (d.source || d.kind == FileKind::Text) {
    Json lines = Json::array();
    for (const TextLine& line : d.source ? d.source->lines : d.text) lines.push_back(line.text);
    j["text"] = std::move(lines);
  }
  return j;
}

}  // namespace

std::string DosName::Text() const {
  return ext.empty() ? name : name + "/" + ext;
}

DosName ParseDosName(std::string_view typed) {
  std::string upper;
  for (const char c : typed) upper += Upper(c);
  std::size_t split = upper.find('/');
  if (split == std::string::npos) split = upper.find('.');
  if (split == std::string::npos) return {upper, ""};
  return {upper.substr(0, split), upper.substr(split + 1)};
}

std::vector<std::size_t> MatchingFiles(const FileSystem& fs, const DosName& name) {
  std::vector<std::size_t> found;
  for (std::size_t i = 0; i < fs.files.size(); ++i) {
    if (fs.files[i].name == name.name && fs.files[i].ext == name.ext) found.push_back(i);
  }
  return found;
}

std::string HostFileName(const DosFile& file) {
  std::string name = file.name, ext = file.ext;
  std::replace(name.begin(), name.end(), '/', '_');
  std::replace(ext.begin(), ext.end(), '/', '_');
  if (name.empty()) name.push_back('_');
  if (ext.empty() && name.find_first_not_of('.') == std::string::npos) {
    std::replace(name.begin(), name.end(), '.', '_');
  }
  return ext.empty() ? name : name + "." + ext;
}

std::optional<std::string> WriteNewFile(const std::string& path,
                                        std::span<const std::uint8_t> bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    if (errno == EEXIST) return "exists; not overwritten";
    return std::string("cannot create: ") + std::strerror(errno);
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const std::string error = std::string("cannot write: ") + std::strerror(errno);
      ::close(fd);
      return error;
    }
    done += static_cast<std::size_t>(n);
  }
  if (::close(fd) != 0) return std::string("cannot write: ") + std::strerror(errno);
  return std::nullopt;
}

int RunExtract(const InfoOptions& options, std::ostream& out, std::ostream& err) {
  const OpenedDisk disk(options.images.front());
  const auto found = FindOne(disk, *options.extract, err);
  if (!found) return 1;
  const auto& [file, bytes] = *found;
  if (options.output) {
    if (const auto error = WriteNewFile(*options.output, bytes.bytes)) {
      err << kProgram << *options.output << ": " << *error << "\n";
      return 1;
    }
  } else {
    out.write(reinterpret_cast<const char*>(bytes.bytes.data()),
              static_cast<std::streamsize>(bytes.bytes.size()));
    out.flush();
    if (!out) {
      err << kProgram << "cannot write to standard output\n";
      return 1;
    }
  }
  return ReportProblems(disk, file, bytes, err) ? 1 : 0;
}

int RunExtractAll(const InfoOptions& options, std::ostream& err) {
  const OpenedDisk disk(options.images.front());
  if (!disk.Readable(err)) return 1;
  const std::filesystem::path folder = *options.extractAll;
  std::error_code made;
  std::filesystem::create_directories(folder, made);
  if (made) {
    err << kProgram << folder.string() << ": cannot make the folder: " << made.message() << "\n";
    return 1;
  }
  int status = 0;
  const std::vector<DosFile>& files = disk.facts->fs->files;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const FileBytes bytes = disk.facts->BytesOf(i);
    const std::string path = (folder / HostFileName(files[i])).string();
    if (const auto error = WriteNewFile(path, bytes.bytes)) {
      err << kProgram << path << ": " << *error << "\n";
      status = 1;
      continue;
    }
    if (ReportProblems(disk, files[i], bytes, err)) status = 1;
  }
  return status;
}

int RunShow(const InfoOptions& options, std::ostream& out, std::ostream& err) {
  const OpenedDisk disk(options.images.front());
  const auto found = FindOne(disk, *options.show, err);
  if (!found) return 1;
  const auto& [file, bytes] = *found;
  const DecodedFile decoded = Decode(bytes.bytes, file.ext);
  if (options.json) {
    out << ShowJson(file, bytes, decoded).dump(-1, ' ', false, Json::error_handler_t::replace)
        << "\n";
  } else {
    for (const ShownLine& line : ShownLines(decoded, bytes.bytes)) out << line.text << "\n";
  }
  out.flush();
  const bool damaged = ReportProblems(disk, file, bytes, err);
  if (!options.json) {
    for (const std::string& p : decoded.problems) {
      err << kProgram << disk.path << ": " << file.FullName() << ": " << p << "\n";
    }
  }
  return damaged ? 1 : 0;
}

}  // namespace m1::info
