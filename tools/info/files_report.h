// What m1view-info --files says about the DOS of an image: its directory as JSON or as the lines a
// DIR command would print, and the owner of each sector record.
#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "core/dos/filesystem.h"

namespace m1::info {

// {"name", "version", "diskName", "date", "freeGranules", "problems", "files": [{"name", "ext",
// "size", "system", "invisible", "protection", "date", "extents": [{"track", "granule",
// "count"}], "sectors": [[TRACK, SIDE, SECTOR]], "problems"}], "deleted": [{"name", "ext",
// "size", "extents", "state"}], "unowned": [{"extent": {"track", "granule", "count"}, "holds"}]},
// or null when no DOS was recognised.
nlohmann::ordered_json DosJson(const std::optional<FileSystem>& fs);

// The owner of record `record` as OwnerText writes it, or null when the file system says nothing
// of it (or there is none).
nlohmann::ordered_json OwnerJson(const std::optional<FileSystem>& fs, std::size_t record);

// The DIR lines, then a line for each deleted file ("deleted  OLD/BAS  1234  recoverable") and
// each run of granules allocated to no file ("unowned  track 12 granules 0-1, holds basic"), each
// indented by two spaces and ending with a newline; one line when no DOS was recognised.
std::string FilesText(const std::optional<FileSystem>& fs);

}  // namespace m1::info
