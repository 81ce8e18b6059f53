#include "tools/info/report.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "core/container/record_text.h"
#include "core/text/number_text.h"
#include "tools/info/files_report.h"
#include "tools/info/survey.h"

namespace m1::info {

namespace {

template <typename T>
Json OrNull(const std::optional<T>& v) {
  if (!v) return nullptr;
  return *v;
}

std::string ListingDensityText(const Listing& l) {
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
  if (s.pastHeader) t += ", " + std::to_string(s.pastHeader) + " past the header's track count";
  return t;
}

}  // namespace

const Listing& ImageReport::listing() const {
  static const Listing kNone;
  return facts ? facts->listing : kNone;
}

const std::optional<FileSystem>& ImageReport::fs() const {
  static const std::optional<FileSystem> kNone;
  return facts ? facts->fs : kNone;
}

ImageReport ExamineImage(const std::string& path, bool files) {
  ImageReport report;
  report.path = path;
  report.file = ReadImageFile(path);
  // The report names the records the main window does not reach.
  if (!report.file.error) {
    report.facts = DiskFacts::Read(report.file.bytes, {.indexReach = true, .fileSystem = files});
  }
  return report;
}

Json SummaryJson(const HealthSummary& s) {
  Json j{{"records", s.records},
         {"idCrcBad", s.idCrcBad},
         {"dataCrcBad", s.dataCrcBad},
         {"noDataMark", s.noDataMark},
         {"duplicates", s.duplicates}};
  // Only a DMK whose header names fewer tracks than the file holds has these.
  if (s.pastHeader > 0) j["pastHeader"] = s.pastHeader;
  return j;
}

void AppendSectorJson(std::string& out, const SectorRecord& r) {
  // Every text written here is one of a few fixed ASCII words: nothing needs escaping.
  const auto text = [&out](const char* t) {
    out += '"';
    out += t;
    out += '"';
  };
  // Each member starts with the brace or comma before it and its name.
  char before = '{';
  const auto key = [&](const char* name) {
    out += before;
    before = ',';
    text(name);
    out += ':';
  };
  const auto number = [&](const char* name, const std::optional<std::int64_t>& v) {
    key(name);
    out += v ? std::to_string(*v) : "null";
  };
  const auto word = [&](const char* name, const char* t) {
    key(name);
    text(t);
  };
  const auto crc = [&](const char* name, const std::optional<CrcCheck>& c) {
    if (c) {
      word(name, c->ok ? "ok" : "bad");
    } else {
      key(name);
      out += "null";
    }
  };
  number("track", r.track);
  number("side", r.side);
  number("sector", r.sector);
  number("size", r.size);
  word("density", r.doubleDensity ? "double" : "single");
  key("doubled");
  out += r.doubled ? "true" : "false";
  number("idOffset", r.idOffset);
  number("dataOffset", r.dataOffset);
  number("dam", r.dam);
  crc("idCrc", r.idCrc);
  crc("dataCrc", r.dataCrc);
  key("remarks");
  out += '[';
  bool first = true;
  for (const std::string& remark : RemarkTexts(r)) {
    if (!first) out += ',';
    first = false;
    text(remark.c_str());
  }
  out += "]}";
}

Json ImageJson(const ImageReport& report) {
  const Listing& l = report.listing();
  Json j;
  j["file"] = report.path;
  j["format"] = l.format ? Json(FormatName(*l.format)) : Json(nullptr);
  j["error"] = OrNull(report.Error());
  j["tracks"] = l.cylinders;
  j["sides"] = l.sides;
  j["summary"] = SummaryJson(l.Summary());
  return j;
}

std::string ImageJsonLine(const ImageReport& report, const InfoOptions& options) {
  Json object = ImageJson(report);
  if (options.files) object["dos"] = DosJson(report.fs());
  std::string line = object.dump(-1, ' ', false, Json::error_handler_t::replace);
  if (options.sectors) {
    line.pop_back();  // the object's closing brace
    line += ",\"sectors\":[";
    const auto& records = report.listing().records;
    line.reserve(line.size() + records.size() * 200);
    for (std::size_t i = 0; i < records.size(); ++i) {
      if (i > 0) line += ',';
      AppendSectorJson(line, records[i]);
      if (options.files) {
        line.pop_back();  // the record's closing brace
        line += ",\"owner\":" + OwnerJson(report.fs(), i).dump() + "}";
      }
    }
    line += "]}";
  }
  return line;
}

std::string RecordLine(const SectorRecord& r, ImageFormat format) {
  std::string line = SectorName(r);
  if (r.track != r.cylinder || r.side != r.head) {
    line += " (on cylinder " + std::to_string(r.cylinder) + " head " + std::to_string(r.head) + ")";
  }
  line += ": " + std::to_string(r.size) + " bytes, " + DensityText(r.doubleDensity);
  if (r.dam) line += ", data mark " + HexText(*r.dam, 2);
  // A JV3 record has no ID field in the file: its place is that of its header entry.
  if (r.idOffset) {
    line +=
        (format == ImageFormat::Jv3 ? ", header at 0x" : ", ID at 0x") + HexText(*r.idOffset, 5);
  }
  if (r.dataOffset) line += ", data at 0x" + HexText(*r.dataOffset, 5);
  line += ": " + HealthText(r);
  const auto remarks = RemarkTexts(r);
  for (std::size_t k = 0; k < remarks.size(); ++k) line += (k == 0 ? "; " : ", ") + remarks[k];
  return line;
}

std::string TextReport(const ImageReport& report, const InfoOptions& options) {
  if (const auto error = report.Error()) return report.path + ": error: " + *error + "\n";
  const Listing& l = report.listing();
  const HealthSummary s = l.Summary();
  std::string text = report.path + ": " + FormatName(*l.format) + ", " +
                     Plural(l.cylinders, "track", "tracks") + ", " +
                     Plural(l.sides, "side", "sides") + ", " + ListingDensityText(l) + ", " +
                     Plural(s.records, "record", "records") + SummaryText(s) + "\n";
  int notIndexed = 0;
  for (std::size_t i = 0; i < l.records.size(); ++i) {
    const SectorRecord& r = l.records[i];
    notIndexed += r.Has(kRemarkNotIndexed);
    if (!options.sectors && !IsProblem(r)) continue;
    text += "  " + RecordLine(r, *l.format);
    if (options.files && report.fs() && !report.fs()->OwnerText(i).empty()) {
      text += "; " + report.fs()->OwnerText(i);
    }
    text += "\n";
  }
  if (notIndexed > 0 && !options.sectors) {
    text +=
        "  " + Plural(notIndexed, "record is", "records are") + " not in the main window's index\n";
  }
  if (options.files) text += FilesText(report.fs());
  return text;
}

int RunInfo(const InfoOptions& options, std::ostream& out, std::ostream* progress) {
  const std::vector<std::filesystem::path> files = CollectFiles(options.images, options.recursive);
  const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  const std::vector<Outcome> outcomes = ExamineInOrder(
      files.size(), threads,
      [&](std::size_t i) {
        const std::string path = files[i].string();
        if (options.summary) return SummaryLine(path, ReadImageFile(path));
        const ImageReport report = ExamineImage(path, options.files);
        Outcome o;
        o.read = !report.Error();
        o.text = options.json ? ImageJsonLine(report, options) + "\n" : TextReport(report, options);
        return o;
      },
      out, files.size() > 1 ? progress : nullptr);
  if (options.summary) out << SummaryClosing(outcomes) << '\n' << std::flush;
  const bool allRead =
      std::all_of(outcomes.begin(), outcomes.end(), [](const Outcome& o) { return o.read; });
  return allRead ? 0 : 1;
}

}  // namespace m1::info
