// m1view-info over a collection: the files named by paths and folders, examined on all cores and
// reported in the order given, the one-line summary of an image, and the explanation of one byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "tools/info/image_file.h"

namespace m1::info {

// The files a command line names: a file as given; a folder by the files directly in it, or with
// recursive by every file below it, each in name order. A folder that cannot be listed stands for
// itself, so that its examination reports why.
std::vector<std::filesystem::path> CollectFiles(const std::vector<std::string>& paths,
                                                bool recursive);

// What examining one file gave: the text to print (ending in a newline when not empty) and
// whether the file was read as a disk image.
struct Outcome {
  std::string text;
  bool read = false;
  bool problems = false;  // read, with health, directory or file problems
};

// Examines files 0..count-1 with `examine` on `threads` threads and writes each outcome's text to
// `out` in file order, each as soon as it and all before it are done. With `progress` non-null, a
// line "m1view-info: N of COUNT files" on it is kept up to date (and cleared at the end).
// Returns the outcomes' flags (texts emptied).
std::vector<Outcome> ExamineInOrder(std::size_t count, unsigned threads,
                                    const std::function<Outcome(std::size_t)>& examine,
                                    std::ostream& out, std::ostream* progress);

// One line of --summary, fields separated by tabs: path, format, geometry, DOS, files, health
// ("ok" or the problems), or the path and "error: REASON".
Outcome SummaryLine(const std::string& path, const ImageFile& file);
// The closing line of --summary: "3 files: 2 read (1 with problems), 1 not read".
std::string SummaryClosing(const std::vector<Outcome>& outcomes);

// A file offset as the user writes it: decimal, or hexadecimal with 0x; nothing when it is not a
// number of 0 or more.
std::optional<std::int64_t> ParseOffset(const std::string& text);

// --at: the explanation of the byte at `offset` of the image (read: whether it is a disk image).
Outcome ExplainAt(std::span<const std::uint8_t> file, std::int64_t offset);

}  // namespace m1::info
