// A main window on the recording platform, with image files written to a folder of its own, and
// helpers to read what its displays printed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/platform.h"
#include "platform/recording.h"
#include "viewer/mainform.h"

namespace m1::testing {

class MainHarness : public RecordingPlatform {
 public:
  MainHarness();
  ~MainHarness();
  MainHarness(const MainHarness&) = delete;
  MainHarness& operator=(const MainHarness&) = delete;

  // Writes a file into the folder and returns its path.
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes);
  // A file of the given length that holds no data blocks (the bytes read as zero).
  std::string WriteSparse(const std::string& name, std::uintmax_t length);
  // File menu "Open..." with the dialog answering path, or cancelled.
  void Open(const std::string& path);
  void Cancel();
  // Opens and forgets the messages and drawing of the open.
  void OpenQuietly(const std::string& path);

  std::filesystem::path dir;
  Mainform form{platform};
};

// Types a track number into the combo box and clicks "Goto Track".
inline void GotoTrack(MainHarness& h, const std::string& text) {
  h.form.Combo1_Change(text);
  h.form.CmndGotoTrk_Click();
}

// Printed texts of a drawing log.
const DrawOp* TextAt(const std::vector<DrawOp>& log, Twips x, Twips y);
std::vector<const DrawOp*> Texts(const std::vector<DrawOp>& log);

// Dump rows r = 1..16 and bytes c = 1..16, at the positions of the window.
inline constexpr Twips kHexX[16] = {1100, 1420, 1740, 2060, 2480, 2800, 3120, 3440,
                                    3860, 4180, 4500, 4820, 5240, 5560, 5880, 6200};
inline constexpr Twips kCharX[16] = {6550, 6690, 6830, 6970, 7110, 7250, 7390, 7530,
                                     7670, 7810, 7950, 8090, 8230, 8370, 8510, 8650};
inline constexpr Twips RowY(int r) {
  return 2490 + 195 * (r - 1);
}

// The hex item or character item of byte c of row r (nothing printed there: an empty op).
DrawOp HexItem(const std::vector<DrawOp>& log, int r, int c);
DrawOp CharItem(const std::vector<DrawOp>& log, int r, int c);
// The 16 hex texts of a row, joined by spaces.
std::string HexRow(const std::vector<DrawOp>& log, int r);

}  // namespace m1::testing
