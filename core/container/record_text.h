// The texts every window and tool writes of a sector record: its name, its CRC verdicts, its
// health in a line, its density and its remarks. Written here once so that the health table, the
// status bars, the byte explainer and m1view-info say the same thing the same way.
#pragma once

#include <string>
#include <vector>

#include "core/container/listing.h"

namespace m1 {

// "track 12 side 0 sector 4", from the numbers its ID field (JV3: its header) records.
std::string SectorName(const SectorRecord& record);

// "ok"; "bad (written 1A2B, computed 3C4D)"; "bad" where the container keeps only a flag (JV3).
std::string CrcVerdict(const CrcCheck& crc);

// "double density" or "single density".
std::string DensityText(bool doubleDensity);

// The health of a record in a line: "ID CRC ok, data CRC ok"; "ID CRC bad (written 1A2B,
// computed 3C4D), data CRC ok"; "ID CRC ok, no data mark"; "data CRC bad" (JV3, which keeps only
// the flag); "ID field cut", "ID CRC ok, data field cut"; "no CRCs recorded" (JV1).
std::string HealthText(const SectorRecord& record);

// The remarks of a record as short texts, in the order of the bits: "no data mark", "cut by the
// end of the track image", "cut by the end of the file", "duplicate", "recorded track differs",
// "not in the main window's index", "non-IBM sector", "no ID address mark", "past the header's
// track count".
std::vector<std::string> RemarkTexts(const SectorRecord& record);

}  // namespace m1
