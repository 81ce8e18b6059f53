#include "tools/info/report.h"

#include <cstdio>

namespace m1::info {

namespace {

Json CrcJson(const std::optional<CrcCheck>& crc) {
  if (!crc) return nullptr;
  return crc->ok ? "ok" : "bad";
}

template <typename T>
Json OrNull(const std::optional<T>& v) {
  if (!v) return nullptr;
  return *v;
}

std::string Hex(std::int64_t v, int digits) {
  char text[24];
  std::snprintf(text, sizeof text, "%0*llX", digits, static_cast<long long>(v));
  return text;
}

std::string Plural(long long n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string DensityText(const Listing& l) {
  if (l.singleDensity && l.doubleDensity) return "single and double density";
  if (l.doubleDensity) return "double density";
  if (l.singleDensity) return "single density";
  return "no sectors";
}

std::string SummaryText(const HealthSummary& s) {
  if (s.records == s.good) return s.records == 0 ? "" : ", all good";
  std::string t = ", " + std::to_string(s.good) + " good";
  if (s.idCrcBad) t += ", " + std::to_string(s.idCrcBad) + " bad ID CRC";
  if (s.dataCrcBad) t += ", " + std::to_string(s.dataCrcBad) + " bad data CRC";
  if (s.noDataMark) t += ", " + std::to_string(s.noDataMark) + " without data mark";
  if (s.duplicates) t += ", " + Plural(s.duplicates, "duplicate", "duplicates");
  return t;
}

}  // namespace

ImageReport ExamineImage(const std::string& path) {
  ImageReport report;
  report.path = path;
  report.file = ReadImageFile(path);
  if (!report.file.error) report.listing = ListSectors(report.file.bytes);
  return report;
}

Json SummaryJson(const HealthSummary& s) {
  return Json{{"records", s.records},
              {"idCrcBad", s.idCrcBad},
              {"dataCrcBad", s.dataCrcBad},
              {"noDataMark", s.noDataMark},
              {"duplicates", s.duplicates}};
}

Json SectorJson(const SectorRecord& r) {
  Json remarks = Json::array();
  for (std::string& text : RemarkTexts(r)) remarks.push_back(std::move(text));
  Json dam = nullptr;
  if (r.dam) dam = int{*r.dam};
  return Json{{"track", r.track},
              {"side", r.side},
              {"sector", r.sector},
              {"size", r.size},
              {"density", r.doubleDensity ? "double" : "single"},
              {"doubled", r.doubled},
              {"idOffset", OrNull(r.idOffset)},
              {"dataOffset", OrNull(r.dataOffset)},
              {"dam", dam},
              {"idCrc", CrcJson(r.idCrc)},
              {"dataCrc", CrcJson(r.dataCrc)},
              {"remarks", std::move(remarks)}};
}

Json ImageJson(const ImageReport& report, const InfoOptions& options) {
  const Listing& l = report.listing;
  Json j;
  j["file"] = report.path;
  j["format"] = l.format ? Json(FormatName(*l.format)) : Json(nullptr);
  j["error"] = OrNull(report.Error());
  j["tracks"] = l.cylinders;
  j["sides"] = l.sides;
  j["summary"] = SummaryJson(l.Summary());
  if (options.sectors) {
    Json sectors = Json::array();
    for (const SectorRecord& r : l.records) sectors.push_back(SectorJson(r));
    j["sectors"] = std::move(sectors);
  }
  return j;
}

std::string JsonLine(const Json& object) {
  return object.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string RecordLine(const SectorRecord& r) {
  std::string line = "track " + std::to_string(r.track) + " side " + std::to_string(r.side) +
                     " sector " + std::to_string(r.sector);
  if (r.track != r.cylinder || r.side != r.head) {
    line += " (on cylinder " + std::to_string(r.cylinder) + " head " + std::to_string(r.head) + ")";
  }
  line += ": " + std::to_string(r.size) + " bytes, " +
          (r.doubleDensity ? "double density" : "single density");
  if (r.dam) line += ", data mark " + Hex(*r.dam, 2);
  if (r.idOffset) line += ", ID at 0x" + Hex(*r.idOffset, 5);
  if (r.dataOffset) line += ", data at 0x" + Hex(*r.dataOffset, 5);
  line += ": " + HealthText(r);
  const auto remarks = RemarkTexts(r);
  for (std::size_t k = 0; k < remarks.size(); ++k) line += (k == 0 ? "; " : ", ") + remarks[k];
  return line;
}

std::string TextReport(const ImageReport& report, const InfoOptions& options) {
  if (const auto error = report.Error()) return report.path + ": error: " + *error + "\n";
  const Listing& l = report.listing;
  const HealthSummary s = l.Summary();
  std::string text = report.path + ": " + FormatName(*l.format) + ", " +
                     Plural(l.cylinders, "track", "tracks") + ", " +
                     Plural(l.sides, "side", "sides") + ", " + DensityText(l) + ", " +
                     Plural(s.records, "record", "records") + SummaryText(s) + "\n";
  int notIndexed = 0;
  for (const SectorRecord& r : l.records) {
    notIndexed += r.Has(kRemarkNotIndexed);
    if (options.sectors || IsProblem(r)) text += "  " + RecordLine(r) + "\n";
  }
  if (notIndexed > 0 && !options.sectors) {
    text +=
        "  " + Plural(notIndexed, "record is", "records are") + " not in the main window's index\n";
  }
  return text;
}

int RunInfo(const InfoOptions& options, std::ostream& out) {
  int status = 0;
  for (const std::string& path : options.images) {
    const ImageReport report = ExamineImage(path);
    if (report.Error()) status = 1;
    if (options.json) {
      out << JsonLine(ImageJson(report, options)) << '\n';
    } else {
      out << TextReport(report, options);
    }
    out.flush();
  }
  return status;
}

}  // namespace m1::info
