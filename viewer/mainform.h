// The main window (Mainform): the sector viewer and the shell of the program. Its controls are
// plain values; the Qt form builds the widgets and shows these values after every event.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/design/disk_image.h"
#include "core/text/hex_dump.h"
#include "platform/platform.h"

namespace m1 {

class Mainform {
 public:
  explicit Mainform(Platform& platform);

  // Window events and commands.
  void Form_Load();
  void Form_Activate();
  void Form_Resize();
  void mnuFileItem_Click(int index);  // 1 Open..., 4 Exit
  void Help_Click() {}
  void Cmndhexedit_Click();
  void Cmndsecdisp_Click();
  void CmndNextsec_Click();
  void CmndPrevsec_Click();
  void CmndNexTrack_Click();
  void CmndPrevTrk_Click();
  void CmndGotoTrk_Click();
  void CmndDirFind_Click();
  // The user typed into the combo box, or picked an item of its list.
  void Combo1_Change(const std::string& text) { Combo1.text = text; }
  void Form_QueryUnload(int& cancel, int unloadMode);

  // What File > Open does once the dialog has answered path: a file dropped on the window or named
  // on the command line comes this way.
  void OpenChosen(const std::string& path);
  // The sector dump on show as text in the usual hex-dump layout, offsets from the start of the
  // sector as the row headers give them; empty when no dump is on show.
  std::string CopyText() const;

  // Public operations.
  bool OpenFile(const std::string& path);
  void DoUnLoadPreCheck(int unloadMode);
  void GetDispSector();
  void AnalyseImage();

  // The record of the image on display.
  DiskImage img;

  // Controls whose contents the program sets.
  TextBox Txtfiletype, TxtFilename;
  TextBox Text1, Text2, Text3, Text4, Text5, Text6;
  TextBox Txttrk, txtside, Txtsector, Txttrkspt, TxtDens;
  TextBox Txtsectype, Txtdam, Txtsecnum, Txtlumpnum;
  ComboBox Combo1;
  ListBox List2;
  Surface surface;

  // The Open dialog's file name: what it answered last (it keeps its value on Cancel).
  std::string CMDialog1_Filename;

  static constexpr Twips kWidth = 9480;  // client area
  static constexpr Twips kHeight = 7380;
  static constexpr const char* kOpenFilter =
      "All Files (*.*)|*.*|Dsk Files (*.dsk)|*.dsk|Dmk Files (*.dmk)|*.dmk|JV3 Files (*.jv3)| "
      "*.jv3";
  // Backgrounds of the two list controls, which never change.
  static constexpr Rgb kCombo1Background = colour::kLavender;
  static constexpr Rgb kList2Background = colour::kPeach;

  // Places of the image asked for by the Disk windows and the status bar (viewer/show_place.cpp).
  // The file offset of the present sector's first data byte; nothing when no sector is shown.
  std::optional<std::int64_t> PresentDataOffset() const;
  // Shows the sector whose first data byte lies at dataOffset, where a sector index reaches it,
  // and brings the window to the front. False, and nothing changed, where none does.
  bool ShowSectorWithData(std::int64_t dataOffset);
  // Shows the bytes of the image on display at offset in the hex window.
  void ShowBytesInHexWindow(std::int64_t offset);
  // Counts the images analysed, so that what is built from one knows when another took its place.
  std::uint64_t imagesAnalysed = 0;

  // True after a file the analysis refused, until one is analysed successfully.
  bool Refused() const { return refused_; }

 private:
  // The Open command (File menu item 1).
  void OpenCommand();
  // Redraws the present sector when a file is on display (not before any open, not after a
  // refusal).
  void Redraw();
  // Shows the first sector of img.track (the track steps).
  void ShowTrack();
  // The 16 rows of the dump, from img.fpa on.
  void PrintDump(bool directory);

  Platform& p_;
  // The bytes of the dump on show ("--" where nothing), for CopyText.
  std::vector<DumpByte> shownDump_;
  // 1 after a file the analysis refused, until one is analysed successfully: nothing is drawn.
  bool refused_ = false;
};

// The text boxes, in the order the probe reports them.
inline constexpr NamedBox<Mainform> kMainformBoxes[] = {
    {"Txtfiletype", &Mainform::Txtfiletype},
    {"TxtFilename", &Mainform::TxtFilename},
    {"Text1", &Mainform::Text1},
    {"Text2", &Mainform::Text2},
    {"Text3", &Mainform::Text3},
    {"Text4", &Mainform::Text4},
    {"Text5", &Mainform::Text5},
    {"Text6", &Mainform::Text6},
    {"Txttrk", &Mainform::Txttrk},
    {"txtside", &Mainform::txtside},
    {"Txtsector", &Mainform::Txtsector},
    {"Txttrkspt", &Mainform::Txttrkspt},
    {"TxtDens", &Mainform::TxtDens},
    {"Txtsectype", &Mainform::Txtsectype},
    {"Txtdam", &Mainform::Txtdam},
    {"Txtsecnum", &Mainform::Txtsecnum},
    {"Txtlumpnum", &Mainform::Txtlumpnum},
};

}  // namespace m1
