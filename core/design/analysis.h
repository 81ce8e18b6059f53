// The analysis of an image file for the main window: recognition, geometry scan, publishing of
// the track list and texts, the Newdos/80 check. It fills the record and reports what the window
// must show (a refusal, the track list, a note) as data; it shows nothing itself.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/container/image_limits.h"
#include "core/design/disk_image.h"

namespace m1 {

// A refusal of the file: a message box titled "Error", no icon, the lines joined by "\r".
struct Refusal {
  std::vector<std::string> lines;
  std::string Text() const;  // the lines joined by a carriage return
  friend bool operator==(const Refusal&, const Refusal&) = default;
};

// The refusals every window shows, each in a message box titled "Error".
Refusal TooShortRefusal();   // under kMinImageBytes
Refusal TooLargeRefusal();   // over kMaxImageBytes
Refusal RealDriveRefusal();  // a DMK header that names a real drive
Refusal NoHeaderRefusal();   // none of the three containers

struct AnalysisOutcome {
  std::optional<Refusal> refusal;      // set when the file is refused
  std::vector<std::string> trackList;  // texts to add to the track list (Combo1), in order
  std::optional<std::string> note;     // when set: the note list (List2) is emptied and gets it
  bool text6Emptied = false;           // the DMK sector lookup emptied the offset box (Text6)
};

// Loads the file into the record and analyses it. bytes are the file's bytes (empty when the file
// was not read because it is over kMaxImageBytes); length is the file's length. Runs the loading
// steps that belong to the record (fpa, the reset of the flags, the clearing of the tables), then
// the size checks, the recognition, the scan of the format, publishing and the Newdos/80 check.
// On success PresSecnum is 0 and the window goes on to show that sector.
AnalysisOutcome AnalyseImage(DiskImage& img, std::vector<std::uint8_t> bytes, std::int64_t length);

// The same analysis of bytes that stay the caller's: the record keeps only its spare byte, so
// its tables describe bytes it does not hold. For readers that want the main window's index of an
// image without a copy of the file (the physical listing).
AnalysisOutcome AnalyseImageView(DiskImage& img, std::span<const std::uint8_t> bytes);

// Lets the bytes of the image go: the record keeps only its spare byte and a length of 0. Called
// right before the next file is read, which replaces the bytes whatever it holds, so that two
// images are never in memory at once (and the new one is read into memory just given back).
void ReleaseImageBytes(DiskImage& img);

}  // namespace m1
