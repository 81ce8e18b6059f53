// The sector map window (form1): a page-by-page map of the sectors of an image, one line per track
// and side, in numeric or interleave order. Its controls are plain values; the Qt form shows them.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/design/analysis.h"
#include "platform/platform.h"

namespace m1 {

class form1 {
 public:
  explicit form1(Platform& platform);

  // Window events and commands.
  void Form_Load();
  void Form_Activate();
  void Form_Resize();
  void Option1_Click();  // numeric order
  void Option2_Click();  // interleave order
  void Cmndnext_Click();
  void Cmndprev_Click();
  void Cmndfiledisp_Click();
  void mnuFileItem_Click(int index);  // 1 Open..., 4 Exit
  void Help_Click() {}
  void Form_QueryUnload(int& cancel, int unloadMode);

  // What File > Open does once the dialog has answered path: a file dropped on the window comes
  // this way.
  void OpenChosen(const std::string& path);

  // Public operations.
  bool OpenFile(const std::string& path);
  void DoUnLoadPreCheck(int unloadMode);
  void LoadDiskFile();
  void ShowSecPage();

  // The window's state, by the names the program uses.
  std::string Filename;
  std::vector<std::uint8_t> filebuf =
      std::vector<std::uint8_t>(1, 0);  // the file and one zero byte
  std::int32_t fileend = 0;
  int openflag = 0;
  int jv1 = 0;
  int dmkflag = 0;
  std::int32_t trkindex = 0;
  int damindx = 0;
  int Pagenum = 0;
  double filepsn = 0;
  double fpa = 0;
  std::array<double, 21> pagepsn{};
  int secnum = 0;
  int endflag = 0;
  int startchk = 0;
  std::int32_t dirstartsec = 0;
  std::int32_t direndsec = 0;

  // Controls.
  TextBox Text1, TxtFilename;
  OptionButton Option1, Option2;
  Surface surface;

  std::string CMDialog1_Filename;

  // Where the page on show drew each sector, so that a point can be traced to its sector
  // (sectormap/pointing.cpp).
  struct DrawnSector {
    Twips left = 0;
    Twips top = 0;
    Twips right = 0;          // just past the printed number
    Twips bottom = 0;         // just below it
    std::int64_t offset = 0;  // DMK: the ID address mark; JV3: the header entry; JV1: the data
    bool idField = true;      // offset is an ID address mark or header entry (false: JV1 data)
  };
  std::vector<DrawnSector> drawnSectors;
  // The sector drawn at (x, y) of the page, in twips; nothing where none is.
  std::optional<DrawnSector> SectorAt(Twips x, Twips y) const;
  // Counts the files read, so that what is built from one knows when another took its place.
  std::uint64_t filesLoaded = 0;

  static constexpr Twips kWidth = 9480;
  static constexpr Twips kHeight = 7320;

 private:
  // Redraws the page Pagenum from its stored start (order change, resize, Previous).
  void Redraw();
  // Keeps where page Pagenum starts and shows the format.
  void BeginPage(double start, const char* format);
  // "Trk nn : s" at the left of a track line.
  void PrintTrackLabel(Twips line, int track, int side);
  void DrawDmkPage(Twips h);
  void DrawJv1Page(Twips h);
  void DrawJv3Page(Twips h);
  void DrawKey(Twips h, Rgb dirDoubleColour, const std::string& dirDoubleText);
  void DrawJvKey(Twips h);
  void Refuse(const Refusal& refusal);
  // Notes that the sector of offset is about to be printed as text at the pen.
  void NoteDrawn(const std::string& text, std::int64_t offset, bool idField);
  // Last page of a JV1 image: its tracks (from the file size) at 21 a page.
  int Jv1LastPage() const;

  Platform& p_;
  // False until a file has been read and accepted, and again after a refusal (too short, too
  // large, the image of a real drive): paging and redraws then draw nothing.
  bool pageable_ = false;
  // JV3 table entries already counted into the directory range since the file was read, so a
  // page drawn again counts nothing twice.
  std::vector<bool> dirCounted_;
};

// The text boxes, in the order the probe reports them.
inline constexpr NamedBox<form1> kForm1Boxes[] = {
    {"Text1", &form1::Text1},
    {"TxtFilename", &form1::TxtFilename},
};

}  // namespace m1
