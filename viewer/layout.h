// Geometry of the main window, in twips from the top left of its client area: where the sector
// display prints its header items and its dump, and the table of its controls, which the Qt form
// builds and the probe and the tests read.
#pragma once

#include "platform/controls.h"

namespace m1::mainlayout {

using Twips = int;

// Shared by the red no-directory banner and the blue Newdos/80 drive line: the later one wins.
inline constexpr Twips kBannerX = 180;
inline constexpr Twips kBannerY = 1100;
inline constexpr Twips kNewdosLabelX = 3700;
inline constexpr Twips kNewdosLabelY = 450;

// The dump area: cleared before every display, then 16 rows of 16 bytes from its top.
inline constexpr Twips kDumpLeft = 750;
inline constexpr Twips kDumpTop = 2490;
inline constexpr Twips kDumpRight = 8800;
inline constexpr Twips kDumpBottom = 5600;
inline constexpr int kDumpRows = 16;
inline constexpr int kBytesPerRow = 16;

// Each row opens with "  " and the row's offset in the sector (00, 10, ... F0).
inline constexpr Twips kRowHeaderX = 540;

// The hex items stand 320 apart, with 100 more after every fourth byte, so a row reads as four
// groups of four.
constexpr Twips HexColumn(int c) {  // c = 1..16
  return 1100 + 320 * (c - 1) + 100 * ((c - 1) / 4);
}

// The character items stand 140 apart after the last hex group.
constexpr Twips CharColumn(int c) {  // c = 1..16
  return 6550 + 140 * (c - 1);
}

// The controls, in the order they are built (frames first: they lie under the buttons they
// frame).
inline constexpr ControlPlace kControls[] = {
    {ControlKind::Frame, "Frame1", "Sector step", {0, 6360, 2655, 735}},
    {ControlKind::Frame, "Frame2", "Track Step", {2760, 6360, 2895, 735}},
    {ControlKind::Frame, "Frame3", "Go to Modes", {7080, 6240, 2295, 975}},
    {ControlKind::Label, "Label7", "File Type", {120, 120, 495, 495}},
    {ControlKind::Label, "Label2", "Trk", {120, 2160, 375, 255}},
    {ControlKind::Label, "Label4", "Side", {120, 2760, 495, 255}},
    {ControlKind::Label, "Label3", "Sec.", {120, 3360, 375, 375}},
    {ControlKind::Label, "Label6", "Spt", {120, 4200, 375, 255}},
    {ControlKind::Label, "Label5", "Sec", {120, 4920, 375, 255}},
    {ControlKind::Label, "Label8", "Dens", {120, 5160, 495, 255}},
    {ControlKind::Label, "Label10", "DAM", {1920, 2160, 375, 255}},
    {ControlKind::Label, "Label1", "Sec", {3360, 2160, 375, 255}},
    {ControlKind::Label, "Label9", "Lump", {4560, 2160, 495, 255}},
    {ControlKind::TextBox, "Txtfiletype", "File type", {600, 120, 495, 315}},
    {ControlKind::TextBox, "TxtFilename", "File name", {1320, 120, 8055, 315}},
    {ControlKind::TextBox, "Text1", "Tracks", {120, 600, 1095, 315}},
    {ControlKind::TextBox, "Text2", "Density", {1320, 600, 1695, 315}},
    {ControlKind::TextBox, "Text3", "Sides", {3120, 600, 1455, 315}},
    {ControlKind::TextBox, "Text4", "Sectors per cylinder", {4680, 600, 2895, 315}},
    {ControlKind::TextBox, "Text5", "Sectors per granule", {7680, 600, 1575, 315}},
    {ControlKind::TextBox, "Txttrk", "Track", {120, 2400, 375, 255}},
    {ControlKind::TextBox, "txtside", "Side", {120, 3000, 375, 255}},
    {ControlKind::TextBox, "Txtsector", "Sector number", {120, 3600, 375, 255}},
    {ControlKind::TextBox, "Txttrkspt", "Sectors on the track", {120, 4440, 375, 375}},
    {ControlKind::TextBox, "TxtDens", "Sector density", {0, 5400, 495, 375}},
    {ControlKind::TextBox, "Txtsectype", "Sector type", {720, 2160, 1095, 315}},
    {ControlKind::TextBox, "Txtdam", "Data address mark", {2400, 2160, 495, 315}},
    {ControlKind::TextBox, "Txtsecnum", "Sector index", {3720, 2160, 615, 255}},
    {ControlKind::TextBox, "Txtlumpnum", "Lump", {5040, 2160, 375, 255}},
    {ControlKind::TextBox, "Text6", "File offset", {6600, 2160, 1095, 315}},
    {ControlKind::Combo, "Combo1", "Track to go to", {1560, 1560, 855, 330}},
    {ControlKind::List, "List2", "Notes on the image", {2640, 1560, 4215, 270}},
    {ControlKind::Button, "CmndGotoTrk", "Goto Track", {240, 1560, 1215, 330}},
    {ControlKind::Button, "CmndNextsec", "Next Sec", {120, 6600, 1095, 375}},
    {ControlKind::Button, "CmndPrevsec", "Prev Sec", {1440, 6600, 1095, 375}},
    {ControlKind::Button, "CmndNexTrack", "Next Track", {2880, 6600, 1215, 375}},
    {ControlKind::Button, "CmndPrevTrk", "Prev. Track", {4200, 6600, 1335, 375}},
    {ControlKind::Button, "CmndDirFind", " To Directory", {5760, 6480, 1215, 495}},
    {ControlKind::Button, "Cmndsecdisp", "Sector Display", {7200, 6600, 975, 495}},
    {ControlKind::Button, "Cmndhexedit", "Hex Editor", {8280, 6600, 975, 495}},
};

inline constexpr LinePlace kLines[] = {
    {"Line1", 0, 0, 9480, 0, 3},           {"Line14", 0, 1080, 9360, 1080, 2},
    {"Line9", 0, 1440, 9360, 1440, 2},     {"Line2", 0, 2040, 9360, 2040, 2},
    {"Line3", 600, 2640, 9360, 2640, 2},   {"Line17", 0, 4080, 600, 4080, 2},
    {"Line5", 0, 6120, 9360, 6120, 2},     {"Line4", 600, 2040, 600, 6000, 2},
    {"Line7", 2520, 1440, 2520, 2040, 2},  {"Line8", 6960, 1440, 6960, 2040, 2},
    {"Line16", 9360, 1200, 9360, 1560, 2}, {"Line13", 9360, 1560, 9360, 2040, 2},
    {"Line6", 9360, 2040, 9360, 6000, 2},
};

}  // namespace m1::mainlayout
