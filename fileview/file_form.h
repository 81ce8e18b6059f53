// The File window: one file of the disk, read from the sectors its directory entry names. Its
// name, size and kind, the problems met reading and decoding it, the decoded views (a BASIC
// listing; a load module's records, load map and disassembly; the lines of a text) and its bytes
// as a hex dump. Any line or byte leads to the sector that holds it, and the file's exact bytes can
// be saved where the user chooses, never over the disk image. Its controls are plain values; the
// Qt form shows them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/content/decoded.h"
#include "platform/save_file.h"
#include "viewer/main_disk.h"

namespace m1 {

// A file as the Files window's rows number them: one of the directory's files, or (found) one of
// the killed files whose entries the directory still holds, then one of the runs of granules
// allocated to no file, counted on from the killed files.
struct FileChoice {
  std::size_t index = 0;
  bool found = false;
};

class FileForm {
 public:
  // A view of the file, one tab of the window: the lines, each with the file offset of its first
  // byte (-1 for a heading or a blank line).
  struct Tab {
    std::string title;  // "Listing", "Load map", "Disassembly", "Text", "Bytes"
    std::vector<ShownLine> lines;
  };

  FileForm(DiskViews& views, SaveFiles& saves) : views_(views), saves_(saves) {}

  // Takes up a file of the disk whose facts are given: a file of its directory, a killed file, a
  // run of lost granules (each read as a file of the sectors it names). imagePath names the image,
  // which is never saved over. An empty window that says why when there is no such file.
  void Load(const DiskFacts& facts, FileChoice which, const std::string& imagePath);
  // Any entry with the sectors that hold it; named `shownName` in the window and `saveName` in the
  // Save dialog.
  void Load(const DiskFacts& facts, const DosFile& file, const std::string& shownName,
            const std::string& saveName, const std::string& imagePath);

  // "Show Sector" on a line of a tab: the sector holding the line's first byte, or for the Bytes
  // tab the byte under column (the line's first where the column shows none), in the main window
  // (or its bytes in the hex window). False, with the reason in status, when no sector holds it.
  bool ShowSector_Click(int tab, int line, int column = -1);
  bool ShowLineSector(int tab, int line);
  bool ShowByteSector(std::int64_t fileOffset);
  // The byte a column of a line of the Bytes tab shows; nothing off the bytes.
  std::optional<std::int64_t> ByteAt(int line, int column) const;

  // Where the Save dialog opens: the folder of the last save (home the first time), and the name
  // NAME.EXT (for lost granules "lost-T5-G0-x2").
  std::string SuggestedPath(const std::string& home) const;
  // Writes the file's bytes, exactly as read, to path (a path the Save dialog gave, which has
  // asked before replacing a file). Refuses the disk image itself. status says what happened.
  bool SaveAs(const std::string& path);
  // The lines of a tab, each ending in a line feed.
  std::string CopyText(int tab) const;

  // What the window shows.
  std::string caption;                // "File - BASIC/CMD - disk.dsk"
  std::string name;                   // "BASIC/CMD", "OLD/BAS (deleted, recoverable)",
                                      // "T5 G0 x2 (allocated to no file)"
  std::string size;                   // "4608 bytes"
  std::string kind;                   // KindName: "basic", "cmd", "text", "source", "binary"
  std::vector<std::string> problems;  // of its entry, of its sectors, then the decoder's
  std::vector<Tab> tabs;              // the decoded views first, "Bytes" last
  std::string status;                 // what the last Show Sector or Save As did
  bool statusIsProblem = false;

 private:
  const Tab* TabAt(int tab) const;

  DiskViews& views_;
  SaveFiles& saves_;
  DosFile file_;
  std::vector<SectorRecord> records_;
  std::vector<std::uint8_t> bytes_;
  bool sectorProblems_ = false;  // a sector of the file missing, cut or with a bad data CRC
  std::string imagePath_;
  std::string saveName_;
  std::string lastFolder_;
};

}  // namespace m1
