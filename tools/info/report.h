// What m1view-info says about one image: the file read, its physical listing, and the two ways of
// writing that down (a JSON object on one line, or a short text for people). Each piece is its
// own function so that more can be said (a file system, a byte) by adding keys to the objects or
// lines to the text.
#pragma once

#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>

#include "core/disk_facts.h"
#include "tools/info/image_file.h"
#include "tools/info/options.h"

namespace m1::info {

using Json = nlohmann::ordered_json;

struct ImageReport {
  std::string path;
  ImageFile file;
  // What is known of the image read (its DOS directory with --files); nothing when it was not read.
  std::unique_ptr<const DiskFacts> facts;

  const Listing& listing() const;
  // With --files: the DOS directory, when one is recognised.
  const std::optional<FileSystem>& fs() const;
  // Why the image was not read or listed; nothing when it was.
  std::optional<std::string> Error() const { return file.error ? file.error : listing().error; }
};

// Reads and lists the image at path, and reads its DOS directory when files is true.
ImageReport ExamineImage(const std::string& path, bool files = false);

// {"records": N, "idCrcBad": N, "dataCrcBad": N, "noDataMark": N, "duplicates": N}
Json SummaryJson(const HealthSummary& summary);
// {"track", "side", "sector", "size", "density", "doubled", "idOffset", "dataOffset", "dam",
//  "idCrc", "dataCrc", "remarks"}: null where the container does not record the fact. Written
// straight into the text: an image has thousands of records, and building each as a JSON value
// first took most of the program's time.
void AppendSectorJson(std::string& out, const SectorRecord& record);
// {"file", "format", "error", "tracks", "sides", "summary"}.
Json ImageJson(const ImageReport& report);
// The image's line: ImageJson's object, "dos" with --files, and "sectors" at its end with
// --sectors (each record with its "owner" when --files is given too). Bytes of a path that are not
// UTF-8 are replaced.
std::string ImageJsonLine(const ImageReport& report, const InfoOptions& options);

// One line for a record of an image of the given format: where it is and its health, then its
// remarks.
std::string RecordLine(const SectorRecord& record, ImageFormat format);
// The first line ("PATH: DMK, 80 tracks, 2 sides, double density, 2880 records, all good"), then
// a line for each problem (each record with --sectors), a count of the records the main window
// does not reach, and with --files the files as DIR lists them. Each line ends with a newline.
std::string TextReport(const ImageReport& report, const InfoOptions& options);

// Examines every file the paths name (folders by their files, with -r to the bottom) on all cores
// and writes the reports to out in that order; with --summary one line each and a closing count.
// With progress non-null and more than one file, a progress line is kept on it. Returns the exit
// status: 0 when every image was read, 1 when one was not.
int RunInfo(const InfoOptions& options, std::ostream& out, std::ostream* progress = nullptr);

}  // namespace m1::info
