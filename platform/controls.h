// Plain values that stand for the controls of a window. The window logic writes them; the Qt
// forms and the probe only read them, so every window runs the same way with or without Qt.
#pragma once

#include <string>
#include <vector>

namespace m1 {

using Twips = int;  // 1440 to the inch; the Qt layer maps 15 twips to one device-independent pixel

struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

namespace colour {
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kMagenta{255, 0, 255};
inline constexpr Rgb kCyan{0, 255, 255};
// The system's button face colour: the background of the main window's dump area.
inline constexpr Rgb kButtonFace{192, 192, 192};
// The backgrounds of the windows' boxes, and the brown of labels and offsets.
inline constexpr Rgb kPeach{255, 192, 128};
inline constexpr Rgb kLightPeach{255, 224, 192};
inline constexpr Rgb kPink{255, 192, 192};
inline constexpr Rgb kLavender{192, 192, 255};
inline constexpr Rgb kBrown{192, 64, 0};

// The Disk map. Owners: what the DOS keeps for itself in dark tones, the space it leaves in greys,
// so that the files' own light colours stand apart from both.
inline constexpr Rgb kMapBoot{40, 60, 120};
inline constexpr Rgb kMapSystem{90, 100, 150};
inline constexpr Rgb kMapGat{140, 30, 40};
inline constexpr Rgb kMapHit{170, 80, 20};
inline constexpr Rgb kMapDirectory{110, 80, 30};
inline constexpr Rgb kMapFree{232, 232, 232};
inline constexpr Rgb kMapAllocatedNoFile{50, 50, 50};
inline constexpr Rgb kMapUnknown{150, 150, 150};
// Health: good in green, each fault its own colour, out of the main window's reach in grey.
inline constexpr Rgb kMapGood{120, 200, 120};
inline constexpr Rgb kMapBadIdCrc{220, 30, 30};
inline constexpr Rgb kMapBadDataCrc{245, 140, 20};
inline constexpr Rgb kMapNoDataMark{150, 60, 200};
inline constexpr Rgb kMapDuplicate{30, 110, 230};
inline constexpr Rgb kMapCut{100, 50, 20};
inline constexpr Rgb kMapTrackDiffers{230, 210, 30};
inline constexpr Rgb kMapNotIndexed{175, 175, 175};
// Density.
inline constexpr Rgb kMapSingle{150, 200, 240};
inline constexpr Rgb kMapSingleDoubled{70, 130, 210};
inline constexpr Rgb kMapDouble{240, 170, 70};
// The background the cells lie on, and the outline of the cell under the mouse.
inline constexpr Rgb kMapBackground{255, 255, 255};
inline constexpr Rgb kMapOutline{0, 0, 0};
}  // namespace colour

// A single-line text box: its text, text colour and background.
struct TextBox {
  std::string text;
  Rgb fg = colour::kBlack;
  Rgb bg = colour::kWhite;
};

// A list box: lines added one at a time, emptied as a whole.
struct ListBox {
  std::vector<std::string> items;
  void Clear() { items.clear(); }
  void AddItem(std::string line) { items.push_back(std::move(line)); }
};

// An editable combo box: its list of items, and the text in its edit field (which the user may
// type).
struct ComboBox {
  std::vector<std::string> items;
  std::string text;
  void AddItem(std::string line) { items.push_back(std::move(line)); }
};

// A vertical scroll bar. Setting the value raises the change notification when it changes, as the
// window system does; the window logic owns the handler, so it is the caller's job to run it.
struct ScrollBar {
  int value = 0;
  int min = 0;
  int max = 32767;
  int smallChange = 1;
  int largeChange = 1;
};

// An option button (radio button).
struct OptionButton {
  bool value = false;
};

// A control's place in twips of the client area: left, top, width, height.
struct TwipsRect {
  Twips left = 0;
  Twips top = 0;
  Twips width = 0;
  Twips height = 0;
  friend constexpr bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

// One control of a window's layout table, which the Qt form builds its widgets from and the probe
// and the tests read. The name is the program's name of the control (the widget's object name);
// text is the caption of a label, button or frame, or what a screen reader says of any other
// control. Frames are built first: they lie under the controls they frame.
enum class ControlKind { TextBox, Label, Frame, Button, Option, Combo, List, ScrollBar };
struct ControlPlace {
  ControlKind kind;
  const char* name;
  const char* text;
  TwipsRect place;
};

// A text box of a window's logic by its control name: the Qt form shows it in the widget of that
// name, the probe reports it under that name.
template <class Form>
struct NamedBox {
  const char* name;
  TextBox Form::*box;
};

// A separator line of a layout: two end points and a width in pixels.
struct LinePlace {
  const char* name;
  Twips x1, y1, x2, y2;
  int width;
};

}  // namespace m1
