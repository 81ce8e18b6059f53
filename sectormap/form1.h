// The sector map window (form1): a page-by-page map of the sectors of an image, one line per track
// and side, in numeric or interleave order. Its controls are plain values; the Qt form shows them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/analysis.h"
#include "core/explained_file.h"
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
  // What the sector drawn under the point (x, y) of the surface is: the byte its number was read
  // from, the verdict of its data CRC and its owner in the file system (JV1, which records no
  // numbers: its first data byte). Empty when the point is over no sector number.
  std::string HoverText(Twips x, Twips y);

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
  // Last page of a JV1 image: its tracks (from the file size) at 21 a page.
  int Jv1LastPage() const;

  // A sector number on the page: where it is drawn, the file offset of the byte it was read from
  // (JV1, which records no numbers: the sector's first data byte) and of its ID field (DMK: the
  // ID address mark; JV3: the header entry).
  struct DrawnSector {
    Twips x = 0, y = 0, width = 0;
    std::int64_t numberAt = 0;
    std::optional<std::int64_t> idAt;
  };
  // Prints a sector number at the pen and notes where it stands.
  void PrintSector(const std::string& text, std::int64_t numberAt,
                   std::optional<std::int64_t> idAt);

  Platform& p_;
  std::vector<DrawnSector> drawn_;  // the sector numbers of the page on show
  // The file explained, built on the first hover after a load.
  std::unique_ptr<ExplainedFile> explained_;
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
