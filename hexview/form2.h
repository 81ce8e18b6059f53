// The hex editor window (form2): the whole image file as a hexadecimal and character dump, 28
// lines of 16 bytes a page, with the structure of the container marked in colour and a legend.
// It only shows; nothing is ever written. Its controls are plain values; the Qt form shows them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/disk_facts.h"
#include "hexview/classify.h"
#include "platform/platform.h"

namespace m1 {

class form2 {
 public:
  explicit form2(Platform& platform);

  // Window events and commands.
  void Form_Load();
  void Form_Activate();
  // The window stopped being the active window. The window coming back when one of its own dialogs
  // or message boxes closes is no new activation: from such a box until the next deactivation,
  // activation loads nothing.
  void Form_Deactivate();
  void Form_Resize();
  void mnuFileItem_Click(int index);  // 1 Open..., 4 Exit
  // The user moved the scroll bar to position value (also raised when the program sets it).
  void VScroll1_Change(int value);
  void Form_QueryUnload(int& cancel, int unloadMode);

  // What File > Open does once the dialog has answered path: a file dropped on the window comes
  // this way.
  void OpenChosen(const std::string& path);
  // The page on show as text in the usual hex-dump layout, up to the end of the file (the zero
  // bytes the last page shows past it are not the file's); empty before a file is loaded.
  std::string CopyText() const;
  // What the byte under the point (x, y) of the surface is, with its offset; empty when the point
  // is over no byte of the page or no file is loaded.
  std::string HoverText(Twips x, Twips y);

  // Public operations.
  bool OpenFile(const std::string& path);
  void DoUnLoadPreCheck(int unloadMode);
  void ShowHexPage();
  // Shows the file at path (read anew when the window shows another file or none) with the line
  // holding offset at the top, as far as the scroll bar goes (hexview/show_bytes.cpp). False when
  // the file cannot be shown.
  bool ShowBytesAt(const std::string& path, std::int64_t offset);

  // The window's state, by the names the program uses.
  std::string Filename;
  std::vector<std::uint8_t> filebuf;  // the file followed by 1001 zero bytes once loaded
  std::int32_t fileend = 0;
  double fpa = 0;
  std::int32_t fpasave2 = 0;
  std::int32_t stepval = 0;
  double trklength = 0;
  std::int32_t idamflag = 0;
  int doublebyte = 0;
  std::int32_t fpasave1 = 0;
  std::int32_t fpasave = 0;
  int clrsave = 0;
  int openflag = 0;

  // Controls.
  TextBox TxtFilename, Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8;
  ScrollBar VScroll1;
  Surface surface;

  std::string CMDialog1_Filename;

  static constexpr Twips kWidth = 9465;
  static constexpr Twips kHeight = 8310;

 private:
  enum class LoadPath { Activation, Menu };
  bool Load(const std::string& path, LoadPath how);
  // Lets the events that a closing modal box leaves behind run while activation is held off.
  void AfterModalBox();
  // Sets the scroll position as the program does; a change raises the scroll notification.
  void SetScrollValue(int value);
  void ShowLegend(const hexview::Format& format, std::int64_t lastPosition, bool doubleNote);

  Platform& p_;
  bool busy_ = false;            // a command of this window is running (its boxes may be up)
  bool skipActivation_ = false;  // a box of this window closed since the last deactivation
  // The facts of the loaded file, read on the first hover after a load.
  std::unique_ptr<const DiskFacts> facts_;
};

// The text boxes, in the order the probe reports them.
inline constexpr NamedBox<form2> kForm2Boxes[] = {
    {"TxtFilename", &form2::TxtFilename},
    {"Text1", &form2::Text1},
    {"Text2", &form2::Text2},
    {"Text3", &form2::Text3},
    {"Text4", &form2::Text4},
    {"Text5", &form2::Text5},
    {"Text6", &form2::Text6},
    {"Text7", &form2::Text7},
    {"Text8", &form2::Text8},
};

}  // namespace m1
