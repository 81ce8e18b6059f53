// The hex window beyond its designed controls: the byte under a point of the page, the page
// copied as text, and a file opened as if chosen in the Open dialog (a dropped file).
#include <algorithm>

#include "hex_fixture.h"
#include "hexview/layout.h"

namespace m1::testing {
namespace {

TEST(HexWindowDesktop, PointsOverDigitsOrCharactersFindTheirByte) {
  // The recording metrics: 105 twips a column, 78 columns 8190 twips, lines of 195 from y = 1560.
  const struct {
    Twips x, y;
    std::optional<int> byte;
  } cases[] = {
      {1200, 1560, 0},    // column 11: the first digit of byte 0
      {1514, 1754, 0},    // column 13: the space after it, still line 0
      {1515, 1755, 17},   // column 14: byte 1 of line 1
      {2460, 1560, {}},   // column 23: the second space after byte 4
      {6450, 1560, 15},   // column 61: the space after byte 16
      {6555, 1560, {}},   // column 62: the space before the characters
      {6660, 6825, 432},  // column 63 of line 27: the character of its byte 0
      {8235, 1560, 15},   // column 78: the last character
      {8340, 1560, {}},   // past the line
      {1200, 7020, {}},   // below the page
      {1200, 1559, {}},   // above it
      {149, 1560, {}},    // left of it
  };
  for (const auto& c : cases) {
    EXPECT_EQ(hexlayout::ByteAtPoint(c.x, c.y, 8190, 195), c.byte) << c.x << "," << c.y;
  }
}

TEST(HexWindowDesktop, CopyGivesThePageUpToTheEndOfTheFile) {
  HexWindow h;
  EXPECT_EQ(h.w.CopyText(), "");  // nothing loaded
  Bytes bytes(300, 'A');
  Put(bytes, 0x100, {0x00, 'x', 0xFF});
  h.Open(h.dir.Write("a.dsk", bytes));
  const std::string text = h.w.CopyText();
  // 300 bytes: 18 full lines and 12 bytes, not the 448 of the page.
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 19);
  EXPECT_NE(
      text.find("00000100  00 78 FF 41 41 41 41 41  41 41 41 41 41 41 41 41  |.x.AAAAAAAAAAAAA|\n"),
      std::string::npos);
  EXPECT_TRUE(text.ends_with(
      "00000120  41 41 41 41 41 41 41 41  41 41 41 41              |AAAAAAAAAAAA|\n"));
  // Two lines on, the copy starts at the page on show.
  h.w.VScroll1_Change(2);
  EXPECT_TRUE(h.w.CopyText().starts_with("00000020  41"));
}

TEST(HexWindowDesktop, ADroppedFileLoadsAsFromTheMenu) {
  HexWindow menu, dropped;
  const Bytes bytes(1000, 'A');
  menu.Open(menu.dir.Write("a.dsk", bytes));
  const std::string path = dropped.dir.Write("a.dsk", bytes);
  dropped.w.OpenChosen(path);
  EXPECT_EQ(dropped.w.TxtFilename.text, path);
  EXPECT_EQ(dropped.w.CMDialog1_Filename, path);
  EXPECT_EQ(dropped.w.surface.Items(), menu.w.surface.Items());
  EXPECT_FALSE(dropped.files.IsOpen());
  dropped.w.OpenChosen(path + ".missing");
  ASSERT_EQ(dropped.dialogs.messages.size(), 1u);
  EXPECT_EQ(dropped.dialogs.messages[0].title, "Text Editor");
  EXPECT_TRUE(dropped.dialogs.opens.empty());  // no dialog was shown
}

}  // namespace
}  // namespace m1::testing
