// The Disk windows driven over one image, as tests/support/window_drivers.h describes.
#include <algorithm>
#include <cstddef>

#include "diskmap/disk_map_form.h"
#include "files/files_form.h"
#include "health/health_form.h"
#include "sectormap/form1.h"
#include "sectormap/map_disk.h"
#include "tests/support/window_drivers.h"
#include "viewer/main_disk.h"
#include "viewer/mainform.h"

namespace m1::fuzzing {

namespace {

std::string Where(const SectorRecord& r) {
  return " (record of track " + std::to_string(r.track) + " sector " + std::to_string(r.sector) +
         ")";
}

// After a chosen row: the main window shows the record's sector, or the hex window was handed
// the record's own offset.
void CheckShown(const Mainform& main, const RecordingHost& host, std::size_t handedBefore,
                const SectorRecord& r, std::vector<std::string>& faults) {
  if (host.bytesShown.size() > handedBefore) {
    const std::int64_t at = host.bytesShown.back().second;
    if (at != r.idOffset.value_or(-1) && at != r.dataOffset.value_or(-1)) {
      faults.push_back("disk: the hex window was handed " + std::to_string(at) + Where(r));
    }
  } else if ((r.dataOffset || r.idOffset) && main.PresentDataOffset() != r.dataOffset) {
    faults.push_back("disk: a chosen row showed neither its sector nor its bytes" + Where(r));
  }
}

}  // namespace

DriveReport DriveDisk(std::span<const std::uint8_t> bytes, const Effort& effort) {
  MemoryFiles files(kMemoryPath, bytes);
  RecordingPlatform rig(files);
  DriveReport report;
  Mainform main(rig.platform);
  main.Form_Load();
  rig.dialogs.answers.push_back(kMemoryPath);
  main.mnuFileItem_Click(1);
  MainDisk disk(main);
  const DiskFacts& facts = disk.Facts();
  const auto limit = static_cast<std::size_t>(std::max(effort.sectors, 1));

  // The main window's status line at the sectors the other drives show.
  const int sectors = std::min(main.img.Totalsecs, effort.sectors);
  for (int i = 0; i < sectors; ++i) {
    main.CmndNextsec_Click();
    static_cast<void>(disk.StatusText());
  }

  HealthForm health(disk);
  health.Load(facts, kMemoryPath);
  if (health.rows.size() != facts.listing.records.size()) {
    report.faults.push_back("disk: the health table has " + std::to_string(health.rows.size()) +
                            " rows for " + std::to_string(facts.listing.records.size()) +
                            " records");
  }
  for (int column = 0; column < HealthForm::kColumns; ++column) {
    health.Heading_Click(column);
    if (effort.thorough) health.Heading_Click(column);
  }
  for (const bool problemsOnly : {true, false}) {
    health.ProblemsOnly_Click(problemsOnly);
    for (std::size_t row = 0; row < std::min(health.rows.size(), limit); ++row) {
      const std::size_t handed = rig.host.bytesShown.size();
      health.Row_DoubleClick(static_cast<int>(row));
      CheckShown(main, rig.host, handed, facts.listing.records[health.rows[row].record],
                 report.faults);
    }
  }

  FilesForm filesForm(disk);
  filesForm.Load(facts, kMemoryPath);
  filesForm.ShowHidden_Click(false);
  filesForm.ShowHidden_Click(true);
  for (std::size_t row = 0; row < std::min(filesForm.rows.size(), limit); ++row) {
    filesForm.Row_DoubleClick(static_cast<int>(row));
  }

  // The Disk map in each view and colouring, every cell found where it is drawn, cells clicked.
  DiskMapForm diskMap(disk, rig.metrics);
  diskMap.Load(facts, kMemoryPath);
  diskMap.Picture_Resize(9000, 6000);
  if (diskMap.map.cells.size() != facts.listing.records.size()) {
    report.faults.push_back("disk: the map has " + std::to_string(diskMap.map.cells.size()) +
                            " cells for " + std::to_string(facts.listing.records.size()) +
                            " records");
  }
  for (int colouring = 0; colouring < 3; ++colouring) {
    diskMap.Colouring_Change(colouring);
    diskMap.HighlightFile(facts.fs && !facts.fs->files.empty() ? 0 : -1);
    diskMap.View_Change(colouring % 2);
  }
  diskMap.View_Change(0);
  for (std::size_t k = 0; k < std::min(diskMap.map.cells.size(), limit); ++k) {
    const TwipsRect& box = diskMap.map.cells[k].box;
    const Twips x = box.left + box.width / 2, y = box.top + box.height / 2;
    const std::optional<std::size_t> cell = diskMap.map.CellAt(x, y);
    if (!cell) {
      report.faults.push_back("disk: no map cell where cell " + std::to_string(k) + " is drawn");
      continue;
    }
    static_cast<void>(diskMap.Picture_MouseMove(x, y));
    const std::size_t handed = rig.host.bytesShown.size();
    diskMap.Picture_Click(x, y);
    CheckShown(main, rig.host, handed, facts.listing.records[*cell], report.faults);
  }

  // The sector map's status line over every sector its first page drew.
  form1 map(rig.platform);
  map.Form_Load();
  rig.module.SharedFilename = kMemoryPath;
  map.Form_Activate();
  MapDisk mapDisk(map);
  for (const form1::DrawnSector& s : map.drawnSectors) {
    static_cast<void>(mapDisk.StatusAt(s.left, s.top));
  }
  report.messages = rig.dialogs.TakeMessages();
  return report;
}

}  // namespace m1::fuzzing
