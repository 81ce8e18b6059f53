#include "tools/info/files_report.h"

#include <cstdio>

namespace m1::info {

namespace {

using Json = nlohmann::ordered_json;

template <typename T>
Json OrNull(const std::optional<T>& v) {
  if (!v) return nullptr;
  return *v;
}

Json ExtentJson(const FileExtent& x) {
  return Json{{"track", x.track}, {"granule", x.granule}, {"count", x.count}};
}

Json ExtentsJson(const DosFile& f) {
  Json extents = Json::array();
  for (const FileExtent& x : f.extents) extents.push_back(ExtentJson(x));
  return extents;
}

Json FileJson(const DosFile& f) {
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
              {"extents", ExtentsJson(f)},
              {"sectors", std::move(sectors)},
              {"problems", f.problems}};
}

}  // namespace

Json DosJson(const std::optional<FileSystem>& fs) {
  if (!fs) return nullptr;
  Json files = Json::array();
  for (const DosFile& f : fs->files) files.push_back(FileJson(f));
  Json deleted = Json::array();
  for (const DeletedFile& d : fs->deleted) {
    deleted.push_back(Json{{"name", d.file.name},
                           {"ext", d.file.ext},
                           {"size", d.file.size},
                           {"extents", ExtentsJson(d.file)},
                           {"state", d.state}});
  }
  Json unowned = Json::array();
  for (const UnownedRun& u : fs->unowned) {
    unowned.push_back(Json{{"extent", ExtentJson(u.extent)}, {"holds", OrNull(u.holds)}});
  }
  return Json{{"name", fs->dos},
              {"version", OrNull(fs->version)},
              {"diskName", OrNull(fs->diskName)},
              {"date", OrNull(fs->date)},
              {"freeGranules", OrNull(fs->freeGranules)},
              {"problems", fs->problems},
              {"files", std::move(files)},
              {"deleted", std::move(deleted)},
              {"unowned", std::move(unowned)}};
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
  const std::string unit = fs->dos == "Newdos/80" ? "lump" : "track";
  char line[128];
  for (const DeletedFile& d : fs->deleted) {
    std::snprintf(line, sizeof line, "  deleted  %-12s %8lld  %s\n", d.file.FullName().c_str(),
                  static_cast<long long>(d.file.size), d.state.c_str());
    text += line;
  }
  for (const UnownedRun& u : fs->unowned) {
    const FileExtent& x = u.extent;
    text += "  unowned  " + unit + " " + std::to_string(x.track) +
            (x.count == 1 ? " granule " + std::to_string(x.granule)
                          : " granules " + std::to_string(x.granule) + "-" +
                                std::to_string(x.granule + x.count - 1)) +
            (u.holds ? ", holds " + *u.holds : "") + "\n";
  }
  return text;
}

}  // namespace m1::info
