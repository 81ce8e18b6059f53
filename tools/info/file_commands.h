// m1view-info's commands on the files of a disk's DOS: --extract, --extract-all and --show. A file
// is named as the DOS names it; its bytes are read from the image's sectors (ReadFileBytes), and
// every sector missing or damaged is named on the error stream after what the image holds has
// been written out. Files are only ever created new: nothing existing is overwritten, and the
// image is never written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/dos/filesystem.h"
#include "tools/info/options.h"

namespace m1::info {

// A file name as the user types it, taken as the DOS takes it: upper-cased, the extension after
// '/' ("BASIC/CMD"), or after '.' when there is no '/' ("basic.cmd"); none when there is neither.
struct DosName {
  std::string name;
  std::string ext;
  std::string Text() const;  // "BASIC/CMD", or "NAME" without an extension
};
DosName ParseDosName(std::string_view typed);

// The files of the directory the name matches, in directory order: its name and extension equal,
// so that a name without extension matches only a file without one.
std::vector<std::size_t> MatchingFiles(const FileSystem& fs, const DosName& name);

// The name a file of the disk gets in a folder: NAME.EXT, or NAME alone without an extension. A
// '/' becomes '_', an empty name "_", and a name of dots alone without extension ("..") '_' for
// each dot.
std::string HostFileName(const DosFile& file);

// Writes bytes to a new file at path, never over an existing one (the file is created with
// O_EXCL). The error ("exists; not overwritten", or the system's), or nothing when written.
std::optional<std::string> WriteNewFile(const std::string& path,
                                        std::span<const std::uint8_t> bytes);

// --extract NAME IMAGE: the file's bytes to `out`, or with -o to a new file. Returns the exit
// status: 0, or 1 when the image or the file cannot be read or written, or a sector of the file
// is missing or damaged.
int RunExtract(const InfoOptions& options, std::ostream& out, std::ostream& err);
// --extract-all DIR IMAGE: every file into DIR, each as HostFileName says; a file that exists is
// reported and the rest written. Returns 0, or 1 when any file was not written whole.
int RunExtractAll(const InfoOptions& options, std::ostream& err);
// --show NAME IMAGE: the file decoded, as the lines of its view (the decoder's problems on err),
// or with --json as one object on a line:
//   {"file": "NAME/EXT", "size": N, "kind": "basic"|"cmd"|"text"|"source"|"binary",
//    "problems": [TEXT...],                              the bytes' problems, then the decoder's
//    "basic": [{"line": N, "text": TEXT}...],             basic
//    "records": [{"type": N, "address": A|null, "length": L}...], "entry": A|null,
//    "moduleName": TEXT|null,                             cmd
//    "text": [TEXT...]}                                  text, source
// The exit status as RunExtract's.
int RunShow(const InfoOptions& options, std::ostream& out, std::ostream& err);

}  // namespace m1::info
