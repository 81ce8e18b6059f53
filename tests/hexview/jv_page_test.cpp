// JV3 and JV1 pages, plain files, and the printed line.
#include "hex_fixture.h"

namespace m1::testing {
namespace {

// Tracks 0 and 1 with sectors 1 to 10 each, the rest of the table free (FF FF FF), then the
// write-protect byte at 8703 and 20 sectors of 0xE5 from 8704: 13824 bytes.
Bytes SmallJv3() {
  Bytes b(8704 + 20 * 256, 0xE5);
  Fill(b, 0, 8704, 0xFF);
  for (int e = 0; e < 20; ++e) {
    Put(b, static_cast<std::size_t>(3 * e),
        {static_cast<std::uint8_t>(e / 10), static_cast<std::uint8_t>(e % 10 + 1), 0x00});
  }
  return b;
}

TEST(Jv3Page, TrackSectorFlagColumnsAndFreeEntries) {
  HexWindow h;
  h.Open(h.dir.Write("a.dsk", SmallJv3()));
  struct Row {
    int p;
    Rgb colour;
  };
  const Row rows[] = {
      {0, kRed},      {1, kBlue},        {2, kFlagGreen},       {27, kRed},
      {30, kMagenta}, {31, kBlue},       {57, kMagenta},        {60, kFreeSlotGreen},
      {61, kBlue},    {62, kFlagGreen},  {63, kFreeSlotGreen},  {444, kFreeSlotGreen},
      {445, kBlue},   {446, kFlagGreen}, {447, kFreeSlotGreen},
  };
  for (const Row& r : rows) EXPECT_EQ(h.HexColour(0, r.p), r.colour) << "position " << r.p;
  EXPECT_EQ(h.CharItem(0, 60).colour, kBlack);
  EXPECT_EQ(h.w.Text2.text, "JV3");
  EXPECT_EQ(h.w.Text3.text, " Track");
  EXPECT_EQ(h.w.Text3.fg, kRed);
  EXPECT_EQ(h.w.Text4.text, "");
  EXPECT_EQ(h.w.Text5.text, "Sector");
  EXPECT_EQ(h.w.Text5.fg, kBlue);
  EXPECT_EQ(h.w.Text6.text, "Side/Dens/DAM ");
  EXPECT_EQ(h.w.Text6.fg, kFlagGreen);
}

TEST(Jv3Page, DataAreaBlocksAlternateBlackThenRed) {
  HexWindow h;
  h.Open(h.dir.Write("a.dsk", SmallJv3()));
  h.w.VScroll1_Change(544);  // page 8704..9151
  for (int p : {8704, 8705, 8706, 8959}) EXPECT_EQ(h.HexColour(8704, p), kBlack) << p;
  for (int p : {8960, 8961, 8962, 9151}) EXPECT_EQ(h.HexColour(8704, p), kRed) << p;
  EXPECT_EQ(h.w.Text4.text, "Tracks in Red or Black");
}

TEST(Jv3Page, LegendSwitchesWhenThePageReachesTheSectorData) {
  HexWindow h;
  h.Open(h.dir.Write("a.dsk", SmallJv3()));
  h.w.VScroll1_Change(516);  // 8256..8703: still the header table
  EXPECT_EQ(h.w.Text3.text, " Track");
  EXPECT_EQ(h.w.Text4.text, "");
  EXPECT_EQ(h.HexColour(8256, 8703), kFreeSlotGreen);  // the write-protect byte 0xFF

  h.w.VScroll1_Change(517);  // 8272..8719
  EXPECT_EQ(h.w.Text3.text, "");
  EXPECT_EQ(h.w.Text3.fg, kRed);  // kept from the page before
  EXPECT_EQ(h.w.Text4.text, "Tracks in Red or Black");
  EXPECT_EQ(h.w.Text6.text, "");
  EXPECT_EQ(h.HexColour(8272, 8704), kBlack);
}

TEST(Jv3Page, TrackColourPhaseDependsOnHowThePageWasReached) {
  HexWindow h;
  const auto path = h.dir.Write("a.dsk", SmallJv3());
  h.Open(path);
  // From 16 the first track byte (18, track 0) is compared with byte 16 (sector 6): it flips.
  h.w.VScroll1_Change(1);
  EXPECT_EQ(h.HexColour(16, 18), kMagenta);
  EXPECT_EQ(h.HexColour(16, 21), kMagenta);
  EXPECT_EQ(h.HexColour(16, 30), kRed);
  EXPECT_EQ(h.w.clrsave, 1);
  // Back at 0 the phase carries over: track 0 is now magenta.
  h.w.VScroll1_Change(0);
  EXPECT_EQ(h.HexColour(0, 0), kMagenta);
  EXPECT_EQ(h.HexColour(0, 30), kRed);
  // Loading through the menu starts the phase again.
  h.Open(path);
  EXPECT_EQ(h.HexColour(0, 0), kRed);
  EXPECT_EQ(h.HexColour(0, 30), kMagenta);
}

TEST(Jv1Page, SectorsAlternateRedThenBlack) {
  Bytes b(2560, 0xE5);
  Put(b, 0, {0x00, 0xFE, 0x11});
  HexWindow h;
  h.Open(h.dir.Write("a.dsk", b));
  for (int p : {0, 2, 255}) EXPECT_EQ(h.HexColour(0, p), kRed) << p;
  for (int p : {256, 447}) EXPECT_EQ(h.HexColour(0, p), kBlack) << p;
  EXPECT_EQ(h.w.Text2.text, "JV1");
  EXPECT_EQ(h.w.Text4.text, "Tracks in Red or Black");
  h.w.VScroll1_Change(32);  // 512..959
  for (int p : {512, 767}) EXPECT_EQ(h.HexColour(512, p), kRed) << p;
  for (int p : {768, 959}) EXPECT_EQ(h.HexColour(512, p), kBlack) << p;
}

TEST(PlainPage, FileThatMatchesNothingIsBlackWithAnEmptyLegend) {
  Bytes b = Text("Some plain text.HELLO WORLD 1234");
  b.resize(300, 0x7F);
  HexWindow h;
  h.Open(h.dir.Write("notes.txt", b));
  EXPECT_TRUE(h.dialogs.messages.empty());
  for (const DrawOp& op : h.Items()) {
    if (op.colour != kAddressBrown) {
      EXPECT_EQ(op.colour, kBlack) << op.text;
    }
  }
  for (const TextBox* box :
       {&h.w.Text2, &h.w.Text3, &h.w.Text4, &h.w.Text5, &h.w.Text6, &h.w.Text7}) {
    EXPECT_EQ(box->text, "");
  }
  EXPECT_EQ(h.w.Text8.text, std::string(41, ' '));
  EXPECT_EQ(h.w.Text1.text, "12C");
  EXPECT_EQ(h.CharItem(0, 32).text, "\x7F");
}

TEST(PlainPage, HelloWorldLineAtOffset10) {
  Bytes b = Text("Some plain text.HELLO WORLD 1234");
  HexWindow h;
  h.Open(h.dir.Write("hello.txt", b));
  ASSERT_EQ(h.Items().size(), 28u * 33u);
  EXPECT_EQ(h.LineText(1),
            " 0000010  48 45 4C 4C  4F 20 57 4F  52 4C 44 20  31 32 33 34  HELLO.WORLD.1234");
  const DrawOp& offset = h.Items()[33];
  EXPECT_EQ(offset.colour, kAddressBrown);
  EXPECT_EQ(offset.x, 150);
  EXPECT_EQ(offset.y, 1755);  // the tenth text line: 9 x 195
  // Byte items at column 11, 14, ... with a wider gap after every fourth; characters from 63.
  EXPECT_EQ(h.HexItem(0, 16).x, 1200);
  EXPECT_EQ(h.HexItem(0, 20).x, 2565);
  EXPECT_EQ(h.HexItem(0, 31).x, 6240);
  EXPECT_EQ(h.CharItem(0, 16).x, 6660);
  EXPECT_EQ(h.CharItem(0, 31).x, 8235);
  EXPECT_EQ(h.LineText(27),
            " 00001B0  00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00  ................");
  EXPECT_EQ(h.Items()[0].y, 1560);
}

TEST(PlainPage, EmptyFileIsShownAsZerosAndCountsAsJv3) {
  HexWindow h;
  h.Open(h.dir.Write("empty", {}));
  EXPECT_EQ(h.w.Text1.text, "0");
  EXPECT_EQ(h.w.Text2.text, "JV3");
  EXPECT_EQ(h.Items().size(), 28u * 33u);
  EXPECT_EQ(h.HexItem(0, 447).text, "00  ");
}

}  // namespace
}  // namespace m1::testing
