// What is on a disk: the DOS directory read in the DOS's own terms, every file with the sectors
// that hold it, and the owner of every sector record of the physical listing. Newdos/80, TRSDOS 2.3
// and LDOS 5 (LS-DOS 6 alike) for the Model 1, and Model III TRSDOS 1.3, each recognised from its
// own structures.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/container/listing.h"

namespace m1 {

// An extent as the directory entry holds it: the track (Newdos/80: the lump) of its first granule,
// the granule within it and the number of granules.
struct FileExtent {
  int track = 0;
  int granule = 0;
  int count = 0;
};

// A sector of a file, in the file's order, with its record in the physical listing (nothing when
// the image holds no such sector).
struct FileSector {
  int cylinder = 0;
  int head = 0;
  int sector = 0;
  std::optional<std::size_t> record;
};

struct DosFile {
  std::string name;  // without its padding
  std::string ext;
  std::int64_t size = 0;  // in bytes, as the DOS's own DIR shows it
  std::uint8_t attributes = 0;
  bool system = false;
  bool invisible = false;
  int protection = 0;  // bits 0-2 of the attributes
  std::optional<std::string> date;
  int entrySlot = 0;  // the directory entry slot of its primary entry
  std::vector<FileExtent> extents;
  std::vector<FileSector> sectors;  // the sectors holding its size's records, in order
  std::vector<std::string> problems;

  std::string FullName() const;  // "BASIC/CMD", or "NAME" without an extension
};

// Who owns a sector record.
enum class OwnerKind {
  Unknown,          // outside what the file system describes
  Boot,             // the boot sector(s)
  System,           // the system sector or another sector the DOS keeps for itself
  Gat,              // granule allocation table: the first directory sector
  Hit,              // hash index table: the second directory sector
  DirectorySlot,    // a directory sector holding entry slots
  File,             // record `record` (1-based) of file `file`; record 0: a sector of the file's
                    // last granule past its end
  Free,             // a granule the GAT marks free
  AllocatedNoFile,  // a granule the GAT marks allocated that no file uses
};

struct SectorOwner {
  OwnerKind kind = OwnerKind::Unknown;
  int file = -1;      // index into FileSystem::files for File
  int record = 0;     // 1-based record of the file
  int firstSlot = 0;  // DirectorySlot: the first entry slot in the sector
};

// A file the DOS killed whose entry still holds its name and extents: killing clears the entry's
// in-use bit, zeroes its HIT byte and frees its granules in the GAT, and leaves the rest.
struct DeletedFile {
  DosFile file;  // as its entry holds it; its sectors are those its size needs
  // What became of its granules since: "overwritten" when every one is now another file's or the
  // DOS's own, "partly overwritten" when some are, "recoverable" when every one is still free in
  // the GAT, no other killed file names it, and its bytes read as what they seem to hold (a load
  // module's records, a BASIC program's lines, text); "unverified" otherwise (a data file, a
  // sector missing, granules still allocated, or no recogniser of contents).
  std::string state;
};

// A run of granules the GAT marks allocated that no file, and not the DOS, uses: where a file lost
// with its entry (a damaged directory sector, an overwritten entry) may still lie.
struct UnownedRun {
  FileExtent extent;                 // consecutive granules within one track (Newdos/80: lump)
  std::vector<FileSector> sectors;   // every sector of them, in order
  std::optional<std::string> holds;  // "basic", "cmd", "text", or nothing recognised
};

// What bytes found outside the directory's files seem to hold ("basic", "cmd", "text"), or
// nothing: the recogniser of file contents, given to the reader by its caller.
using ContentGuess = std::function<std::optional<std::string>(std::span<const std::uint8_t>)>;

struct FileSystem {
  std::string dos;                     // "Newdos/80", "TRSDOS", "LDOS", "LS-DOS"
  std::optional<std::string> version;  // LDOS and LS-DOS: from the GAT ("5.1"); "1.3" for the
                                       // Model III TRSDOS layout
  std::optional<std::string> diskName;
  std::optional<std::string> date;
  std::optional<int> freeGranules;
  int sectorsPerGranule = 0;
  int entriesPerSector = 8;  // directory entry slots in a sector (5 on Model III TRSDOS)
  std::vector<std::string> problems;
  std::vector<DosFile> files;
  std::vector<SectorOwner> owners;   // one per record of the listing, in its order
  std::vector<DeletedFile> deleted;  // in directory order; their sectors keep the owners above
  std::vector<UnownedRun> unowned;   // in granule order

  // "BASIC/CMD, record 3 of 18", "BASIC/CMD, past its end", "GAT", "HIT", "directory, entries 8
  // to 15", "free", "boot", "system", "allocated to no file"; empty for Unknown.
  std::string OwnerText(std::size_t record) const;
};

// Reads the file system of the disk, or nothing when none is recognised. guess judges what the
// deleted files and the unowned runs hold; without it none is judged.
std::optional<FileSystem> ReadFileSystem(std::span<const std::uint8_t> file, const Listing& listing,
                                         const ContentGuess& guess = {});

// The files as the DOS's DIR command lists them, one a line, with their sizes, then the free space.
std::string DirectoryText(const FileSystem& fs);

}  // namespace m1
