// DMK pages: the file header, track headers, gaps, ID fields and data marks in colour.
#include "hex_fixture.h"

namespace m1::testing {
namespace {

// One 6400-byte double-density track of 40: header 00 28 00 19, the track image from 16.
Bytes OneTrackDmk() {
  Bytes b(16 + 6400, 0);
  Put(b, 0, {0x00, 0x28, 0x00, 0x19});
  Put(b, 16, {0x80, 0x80});  // first ID address mark pointer: not zero, so dark green
  Put(b, 18, {0xFF});        // a gap byte inside the header stays header colour
  Fill(b, 144, 32, 0x4E);    // gap 144..175
  // 176..187 zeros, 188..190 sync, 191 the mark, 192..195 track 0, side 0, sector 1, size 1
  Put(b, 188, {0xA1, 0xA1, 0xA1, 0xFE, 0x00, 0x00, 0x01, 0x01});
  Put(b, 196, {0xFB, 0xFA});  // CRC bytes that look like data marks, too close to the FE
  Fill(b, 198, 22, 0x4E);     // gap 198..219
  Put(b, 232, {0xA1, 0xA1, 0xA1, 0xFB});  // the data mark at 235
  Fill(b, 236, 16, 0xE5);                 // data 236..251
  Put(b, 252, {0xFB});                    // a later FB is data, not a mark
  return b;
}

TEST(DmkPage, HeaderTrackHeaderGapsIdFieldAndDataMark) {
  HexWindow h;
  h.Open(h.dir.Write("one.dmk", OneTrackDmk()));
  ASSERT_EQ(h.w.openflag, 1);

  struct Row {
    int from, to;
    Rgb colour;
  };
  const Row rows[] = {
      {0, 15, kMagenta},       {16, 17, kDarkHeaderGreen}, {18, 18, kDarkHeaderGreen},
      {19, 143, kHeaderGreen}, {144, 175, kRed},           {176, 190, kBlack},
      {191, 195, kBlue},       {196, 197, kBlack},         {198, 219, kRed},
      {220, 234, kBlack},      {235, 235, kBlue},          {236, 252, kBlack},
      {253, 447, kBlack},
  };
  for (const Row& r : rows) {
    for (int p = r.from; p <= r.to; ++p) EXPECT_EQ(h.HexColour(0, p), r.colour) << "position " << p;
  }
  // The character column marks gap bytes red wherever they are, header included.
  EXPECT_EQ(h.CharItem(0, 18).colour, kRed);
  EXPECT_EQ(h.CharItem(0, 150).colour, kRed);
  EXPECT_EQ(h.CharItem(0, 191).colour, kBlack);

  EXPECT_EQ(h.w.Text2.text, "DMK");
  EXPECT_EQ(h.w.Text3.text, "IDAM:FE");
  EXPECT_EQ(h.w.Text3.fg, kBlue);
  EXPECT_EQ(h.w.Text4.text, "Track Header in Green");
  EXPECT_EQ(h.w.Text4.fg, kLegendGreen);
  EXPECT_EQ(h.w.Text5.text, "Track");
  EXPECT_EQ(h.w.Text6.text, "Side");
  EXPECT_EQ(h.w.Text7.text, "Sector");
  EXPECT_EQ(h.w.Text8.text, std::string(41, ' '));
}

TEST(DmkPage, HeaderOfTheTrackAfterTheLastWholeOneIsColouredPastTheEnd) {
  HexWindow h;
  h.Open(h.dir.Write("one.dmk", OneTrackDmk()));
  // 6416 bytes: the last page starts at 6160; the header of track 1 is 6416..6543, all zero tail.
  h.w.VScroll1_Change(385);
  ASSERT_EQ(h.w.fpasave2, 6160);
  EXPECT_EQ(h.HexColour(6160, 6415), kBlack);
  EXPECT_EQ(h.HexColour(6160, 6416), kHeaderGreen);
  EXPECT_EQ(h.HexColour(6160, 6543), kHeaderGreen);
  EXPECT_EQ(h.HexColour(6160, 6544), kBlack);
}

// A single-density Model 1 track (3264 bytes), bytes doubled: 00 00 00 FE FE T T S S R R N N.
Bytes DoubledDmk(bool singleFieldAfter) {
  Bytes b(16 + 3264, 0);
  Put(b, 0, {0x00, 0x28, 0xC0, 0x0C});
  Fill(b, 144, 8, 0xFF);
  Put(b, 158, {0xFE, 0xFE, 0x00, 0x00, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x12, 0x12});
  if (singleFieldAfter) Put(b, 200, {0x00, 0x00, 0x00, 0xFE, 0x00, 0x00, 0x02, 0x00, 0x77});
  return b;
}

TEST(DmkPage, DoubledByteIdFieldShowsNineBlueBytesAndTheNote) {
  HexWindow h;
  h.Open(h.dir.Write("dbl.dmk", DoubledDmk(false)));
  EXPECT_EQ(h.HexColour(0, 157), kBlack);
  for (int p = 158; p <= 166; ++p) EXPECT_EQ(h.HexColour(0, p), kBlue) << "position " << p;
  EXPECT_EQ(h.HexColour(0, 167), kBlack);  // the second size byte
  EXPECT_EQ(h.HexColour(0, 151), kRed);
  EXPECT_EQ(h.w.Text8.text, "These Sectors are Model 1 Double Byte sectors");
  EXPECT_EQ(h.w.doublebyte, 0);
}

TEST(DmkPage, LaterSingleByteIdFieldClearsTheNote) {
  HexWindow h;
  h.Open(h.dir.Write("mixed.dmk", DoubledDmk(true)));
  for (int p = 158; p <= 166; ++p) EXPECT_EQ(h.HexColour(0, p), kBlue) << "position " << p;
  for (int p = 203; p <= 207; ++p) EXPECT_EQ(h.HexColour(0, p), kBlue) << "position " << p;
  EXPECT_EQ(h.HexColour(0, 208), kBlack);
  EXPECT_EQ(h.w.Text8.text, std::string(41, ' '));
}

TEST(DmkPage, IdFieldCutByThePageEndGoesOnAtTheStartOfTheNextDraw) {
  Bytes b = OneTrackDmk();
  Put(b, 444,
      {0xA1, 0xA1, 0xA1, 0xFE, 0x00, 0x00, 0x05, 0x01});  // the mark is the page's last byte
  HexWindow h;
  h.Open(h.dir.Write("cut.dmk", b));
  EXPECT_EQ(h.HexColour(0, 447), kBlue);
  EXPECT_EQ(h.w.idamflag, 2);

  // The next page starts at 16, inside the track header: its first four bytes finish the field.
  h.w.VScroll1_Change(1);
  for (int p = 16; p <= 19; ++p) EXPECT_EQ(h.HexColour(16, p), kBlue) << "position " << p;
  EXPECT_EQ(h.HexColour(16, 20), kHeaderGreen);
  for (int p = 447; p <= 451; ++p) EXPECT_EQ(h.HexColour(16, p), kBlue) << "position " << p;
  EXPECT_EQ(h.HexColour(16, 452), kBlack);
  EXPECT_EQ(h.w.idamflag, 0);
}

TEST(DmkPage, RealDriveImageIsShownPlainWithItsOwnLegend) {
  Bytes b = OneTrackDmk();
  Put(b, 12, {0x78, 0x56, 0x34, 0x12});
  HexWindow h;
  h.Open(h.dir.Write("real.dmk", b));
  EXPECT_TRUE(h.dialogs.messages.empty());
  for (int p : {0, 16, 144, 191, 235}) EXPECT_EQ(h.HexColour(0, p), kBlack) << "position " << p;
  EXPECT_EQ(h.CharItem(0, 150).colour, kRed);  // gap bytes still red in the character column
  EXPECT_EQ(h.w.Text2.text, "");
  EXPECT_EQ(h.w.Text3.text, " DMK Real Disk type");
  EXPECT_EQ(h.w.Text4.text, "");
}

TEST(DmkPage, PlausibleHeaderOfAnotherTrackLengthShowsStructure) {
  // 0x1980 = 6528-byte tracks, as many real images have.
  Bytes b(16 + 6528, 0);
  Put(b, 0, {0x00, 0x28, 0x80, 0x19});
  Fill(b, 144, 4, 0x4E);
  HexWindow h;
  h.Open(h.dir.Write("real.dmk", b));
  EXPECT_EQ(h.HexColour(0, 0), kMagenta);
  EXPECT_EQ(h.HexColour(0, 20), kHeaderGreen);
  EXPECT_EQ(h.HexColour(0, 144), kRed);
  EXPECT_EQ(h.w.Text2.text, "DMK");
}

}  // namespace
}  // namespace m1::testing
