#include "tools/info/files_report.h"

namespace m1::info {

namespace {

using Json = nlohmann::ordered_json;

template <typename T>
Json OrNull(const std::optional<T>& v) {
  if (!v) return nullptr;
  return *v;
}

Json FileJson(const DosFile& f) {
  Json extents = Json::array();
  for (const FileExtent& x : f.extents) {
    extents.push_back(Json{{"track", x.track}, {"granule", x.granule}, {"count", x.count}});
  }
  Json sectors = Json::array();
  for (const FileSector& s : f.sectors)
    sectors.push_back(Json::array({s.cylinder, s.head, s.sector}));
  return Json{{"name", f.name},
              {"ext", f.ext},
              {"size", f.size},
              {"system", f.system},
              {"invisible", f.invisible},
              {"protection", f.protection},
              {"date", OrNull(f.date)},
              {"extents", std::move(extents)},
              {"sectors", std::move(sectors)},
              {"problems", f.problems}};
}

}  // namespace

Json DosJson(const std::optional<FileSystem>& fs) {
  if (!fs) return nullptr;
  Json files = Json::array();
  for (const DosFile& f : fs->files) files.push_back(FileJson(f));
  return Json{{"name", fs->dos},
              {"version", OrNull(fs->version)},
              {"diskName", OrNull(fs->diskName)},
              {"date", OrNull(fs->date)},
              {"freeGranules", OrNull(fs->freeGranules)},
              {"problems", fs->problems},
              {"files", std::move(files)}};
}

Json OwnerJson(const std::optional<FileSystem>& fs, std::size_t record) {
  if (!fs) return nullptr;
  const std::string text = fs->OwnerText(record);
  if (text.empty()) return nullptr;
  return text;
}

std::string FilesText(const std::optional<FileSystem>& fs) {
  if (!fs) return "  no DOS recognised\n";
  const std::string dir = DirectoryText(*fs);
  std::string text;
  for (std::size_t from = 0; from < dir.size();) {
    const std::size_t end = dir.find('\n', from);
    text += "  " + dir.substr(from, end - from) + "\n";
    from = end == std::string::npos ? dir.size() : end + 1;
  }
  return text;
}

}  // namespace m1::info
