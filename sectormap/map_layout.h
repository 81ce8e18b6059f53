// Geometry, colours and texts of the sector map page: where each item of a page goes and how its
// numbers are written. Pure functions of their arguments, so the page can be laid out and checked
// without a window.
#pragma once

#include <cstdint>
#include <string>

#include "platform/controls.h"

namespace m1::maplayout {

using Twips = int;  // 1440 to the inch, from the top left of the client area

// Columns.
inline constexpr Twips kLabelX = 200;           // "Trk nn : s" at the left of every track line
inline constexpr Twips kFirstColumnJv = 1600;   // first sector column of JV1 and JV3 lines
inline constexpr Twips kFirstColumnDmk = 1900;  // DMK lines leave room for the "*" marker
inline constexpr Twips kColumnStep = 350;       // one sector number with its sign place and space
// Lines.
inline constexpr Twips kLineStep = 180;
// The JV3 directory range, printed in the key band at the left.
inline constexpr Twips kDirNumberX = 60;
inline constexpr Twips kDirStartY = 120;
inline constexpr Twips kDirEndY = 260;

// Line positions, from the height h of one line of the window font.
constexpr Twips KeySingleY(Twips h) {
  return 5 * h;
}
constexpr Twips KeyDoubleY(Twips h) {
  return 6 * h;
}
constexpr Twips KeyNoteY(Twips h) {
  return 7 * h;
}
// DMK and JV3 lines move down one step before each line is printed, so their first line lies one
// step below this base.
constexpr Twips LineBase(Twips h) {
  return 9 * h;
}
// JV1 prints its first line here and steps down after each.
constexpr Twips Jv1FirstLine(Twips h) {
  return 10 * h;
}

// Column of sector number n in numeric order.
constexpr Twips NumericColumn(Twips first, int n) {
  return first + kColumnStep * n;
}

// Colours.
inline constexpr Rgb kLabelSide0 = colour::kBrown;
inline constexpr Rgb kLabelSide1 = colour::kBlack;
inline constexpr Rgb kSingle = colour::kBlue;
inline constexpr Rgb kDouble = colour::kRed;
inline constexpr Rgb kDirSingle = colour::kCyan;
inline constexpr Rgb kDirDoubleDmk = colour::kWhite;
inline constexpr Rgb kDirDoubleJv3{255, 240, 240};
inline constexpr Rgb kKeyDirDoubleJvColour = colour::kLightPeach;
inline constexpr Rgb kNote = colour::kBlack;

// Key texts.
inline constexpr const char* kKeySingle = "  Single Density";
inline constexpr const char* kKeyDirSingle = "       Dir.Secs. S/D";
inline constexpr const char* kKeyDouble = "  Double Density";
inline constexpr const char* kKeyDirDoubleJv = "       Dir.Secs. D/D";
inline constexpr const char* kKeyDirDoubleDmk = "      Possible Dir.Secs. D/D    ";
inline constexpr const char* kDoubleByteNote =
    " A  *  in front of the Sector shows a Model 1 Double Byte Sector";

// The controls, in the order they are built (frames first: they lie under the buttons).
inline constexpr ControlPlace kControls[] = {
    {ControlKind::Frame, "Frame1", "", {1440, 6360, 3255, 735}},
    {ControlKind::Frame, "Frame2", "", {5040, 6360, 2415, 735}},
    {ControlKind::TextBox, "Text1", "Format", {240, 120, 615, 315}},
    {ControlKind::TextBox, "TxtFilename", "File name", {960, 120, 8295, 315}},
    {ControlKind::Option, "Option1", "Display Sec's Numeric order", {2040, 480, 255, 210}},
    {ControlKind::Label, "Label1", "Display Sec's Numeric order ", {2520, 480, 3015, 255}},
    {ControlKind::Option, "Option2", "Display Sec's Interleave order", {2040, 720, 255, 210}},
    {ControlKind::Label, "Label2", "Display Sec's Interleave order", {2520, 720, 3375, 255}},
    {ControlKind::Button, "Cmndnext", "Next", {1800, 6600, 975, 330}},
    {ControlKind::Button, "Cmndprev", "Previous", {3120, 6600, 1335, 375}},
    {ControlKind::Button, "Cmndfiledisp", "File Display Mode", {5160, 6600, 2055, 375}},
};
// The file band, the key band, the map and the button band.
inline constexpr LinePlace kLines[] = {
    {"Line1", 0, 0, 9480, 0, 3},
    {"Line2", 0, 960, 9480, 960, 2},
    {"Line3", 0, 1920, 9480, 1920, 2},
    {"Line4", 0, 6240, 9480, 6240, 2},
};

// A number as the map prints it: a sign place (space or "-"), the digits and one space: " 12 ".
std::string NumberForm(std::int64_t n);
// "Trk", a space more for tracks below 10 (so the colons line up), the track in number form, ":",
// and the side in number form: "Trk  5 : 0 ", "Trk 17 : 1 ".
std::string TrackLabel(int track, int side);
Rgb LabelColour(int side);

}  // namespace m1::maplayout
