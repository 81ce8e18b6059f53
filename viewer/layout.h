// Geometry of the main window, in twips from the top left of its client area: where the sector
// display prints its header items and its dump, and where each control stands.
#pragma once

#include <array>

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

// A control's place: left, top, width, height.
struct Rect {
  Twips left = 0;
  Twips top = 0;
  Twips width = 0;
  Twips height = 0;
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// Controls of the window, by name.
inline constexpr Rect kLabel7{120, 120, 495, 495};
inline constexpr Rect kTxtfiletype{600, 120, 495, 315};
inline constexpr Rect kTxtFilename{1320, 120, 8055, 315};
inline constexpr Rect kText1{120, 600, 1095, 315};
inline constexpr Rect kText2{1320, 600, 1695, 315};
inline constexpr Rect kText3{3120, 600, 1455, 315};
inline constexpr Rect kText4{4680, 600, 2895, 315};
inline constexpr Rect kText5{7680, 600, 1575, 315};
inline constexpr Rect kCmndGotoTrk{240, 1560, 1215, 330};
inline constexpr Rect kCombo1{1560, 1560, 855, 330};
inline constexpr Rect kList2{2640, 1560, 4215, 270};
inline constexpr Rect kLabel2{120, 2160, 375, 255};
inline constexpr Rect kTxttrk{120, 2400, 375, 255};
inline constexpr Rect kLabel4{120, 2760, 495, 255};
inline constexpr Rect kTxtside{120, 3000, 375, 255};
inline constexpr Rect kLabel3{120, 3360, 375, 375};
inline constexpr Rect kTxtsector{120, 3600, 375, 255};
inline constexpr Rect kLabel6{120, 4200, 375, 255};
inline constexpr Rect kTxttrkspt{120, 4440, 375, 375};
inline constexpr Rect kLabel5{120, 4920, 375, 255};
inline constexpr Rect kLabel8{120, 5160, 495, 255};
inline constexpr Rect kTxtDens{0, 5400, 495, 375};
inline constexpr Rect kTxtsectype{720, 2160, 1095, 315};
inline constexpr Rect kLabel10{1920, 2160, 375, 255};
inline constexpr Rect kTxtdam{2400, 2160, 495, 315};
inline constexpr Rect kLabel1{3360, 2160, 375, 255};
inline constexpr Rect kTxtsecnum{3720, 2160, 615, 255};
inline constexpr Rect kLabel9{4560, 2160, 495, 255};
inline constexpr Rect kTxtlumpnum{5040, 2160, 375, 255};
inline constexpr Rect kText6{6600, 2160, 1095, 315};
inline constexpr Rect kFrame1{0, 6360, 2655, 735};
inline constexpr Rect kCmndNextsec{120, 6600, 1095, 375};
inline constexpr Rect kCmndPrevsec{1440, 6600, 1095, 375};
inline constexpr Rect kFrame2{2760, 6360, 2895, 735};
inline constexpr Rect kCmndNexTrack{2880, 6600, 1215, 375};
inline constexpr Rect kCmndPrevTrk{4200, 6600, 1335, 375};
inline constexpr Rect kCmndDirFind{5760, 6480, 1215, 495};
inline constexpr Rect kFrame3{7080, 6240, 2295, 975};
inline constexpr Rect kCmndsecdisp{7200, 6600, 975, 495};
inline constexpr Rect kCmndhexedit{8280, 6600, 975, 495};

// The separator lines: two end points and a width.
struct Line {
  Twips x1 = 0;
  Twips y1 = 0;
  Twips x2 = 0;
  Twips y2 = 0;
  Twips width = 2;
};

inline constexpr std::array<Line, 13> kLines{{
    {0, 0, 9480, 0, 3},        // Line1
    {0, 1080, 9360, 1080, 2},  // Line14
    {0, 1440, 9360, 1440, 2},  // Line9
    {0, 2040, 9360, 2040, 2},  // Line2
    {600, 2640, 9360, 2640, 2},  // Line3
    {0, 4080, 600, 4080, 2},   // Line17
    {0, 6120, 9360, 6120, 2},  // Line5
    {600, 2040, 600, 6000, 2},   // Line4
    {2520, 1440, 2520, 2040, 2},  // Line7
    {6960, 1440, 6960, 2040, 2},  // Line8
    {9360, 1200, 9360, 1560, 2},  // Line16
    {9360, 1560, 9360, 2040, 2},  // Line13
    {9360, 2040, 9360, 6000, 2},  // Line6
}};

}  // namespace m1::mainlayout
