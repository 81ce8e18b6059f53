// The Disk windows' view of the main window: the facts of the image it shows, read once per image
// it analyses, the status line of its present sector, and the way back to a sector or to the bytes
// of a record.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/disk_facts.h"
#include "viewer/mainform.h"

namespace m1 {

// Where the Disk windows show what the user chose.
class DiskViews {
 public:
  virtual ~DiskViews() = default;
  // Shows in the main window the sector whose first data byte lies at dataOffset; false when no
  // sector index of the main window reaches it.
  virtual bool ShowSector(std::int64_t dataOffset) = 0;
  // Shows the bytes of the image at offset in the hex window.
  virtual void ShowBytes(std::int64_t offset) = 0;
};

// Shows a record: its sector in the main window where an index reaches it, else its bytes in the
// hex window (from its ID address mark or header entry where it has one).
void ShowRecord(DiskViews& views, const SectorRecord& record);

class MainDisk final : public DiskViews {
 public:
  explicit MainDisk(Mainform& main) : main_(main) {}

  // The facts of the image on display, read again when the main window analysed another since.
  const DiskFacts& Facts();
  // The path of the image on display.
  const std::string& Filename() const { return main_.img.Filename; }
  // The record of the present sector; nothing when no sector is on display or none matches.
  std::optional<std::size_t> PresentRecord();
  // The status line under the main window: the present sector's place, health and owner.
  std::string StatusText() { return Status().Line(); }
  StatusParts Status();

  bool ShowSector(std::int64_t dataOffset) override { return main_.ShowSectorWithData(dataOffset); }
  void ShowBytes(std::int64_t offset) override { main_.ShowBytesInHexWindow(offset); }

 private:
  Mainform& main_;
  std::unique_ptr<const DiskFacts> facts_;
  std::optional<std::uint64_t> readFor_;  // the main window's image count the facts belong to
};

}  // namespace m1
