// The sector display: boxes, colours and printed items for the images of each format.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/image_builder.h"
#include "tests/viewer/harness.h"

namespace m1::testing {
namespace {

constexpr Rgb kBlack{0, 0, 0}, kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255};
constexpr Rgb kMagenta{255, 0, 255}, kBrown{192, 64, 0}, kTextGreen{0, 160, 0};
constexpr Rgb kPeach{255, 192, 128}, kLightPeach{255, 224, 192}, kDirPink{255, 128, 128};
constexpr Rgb kSdGreen{160, 255, 0}, kDdOrange{255, 128, 0};

const std::string kBanner = " ***********  No Directory was found on this disk ***********";
const std::string kPdriveLine =
    "Pdrives: TI = A   TD = E  TC = 40   SPT = 18  TSR = 3  GPL = 2  DDSL = 17  DDGA = 2";

TEST(SectorDisplay, Jv1FirstSectorFillsTheBoxes) {
  MainHarness h;
  h.Open(h.Write("blank.dsk", Jv1Builder(35).Build()));
  const Mainform& f = h.form;
  EXPECT_TRUE(h.dialogs.messages.empty());
  EXPECT_EQ(f.Txtfiletype.text, "JV1");
  EXPECT_EQ(f.Txtfiletype.bg, kPeach);
  EXPECT_EQ(f.Txttrk.text, "0");
  EXPECT_EQ(f.txtside.bg, kLightPeach);
  EXPECT_EQ(f.Txttrkspt.text, "10");
  EXPECT_EQ(f.Txttrkspt.bg, kSdGreen);
  EXPECT_EQ(f.TxtDens.text, "S/D  ");
  EXPECT_EQ(f.TxtDens.bg, kSdGreen);
  EXPECT_EQ(f.Txtdam.text, "0");
  EXPECT_EQ(f.Txtsectype.text, "Data Sec.");
  EXPECT_EQ(f.Txtsectype.bg, kLightPeach);
  EXPECT_EQ(f.Txtsecnum.bg, kLightPeach);
  EXPECT_EQ(f.Text6.text, "0");
  EXPECT_EQ(f.Txtlumpnum.text, "");
  EXPECT_EQ(f.Text1.text, " 35 Track");
  EXPECT_EQ(f.Text2.text, " Single/Density");
  EXPECT_EQ(f.Text2.fg, kTextGreen);
  EXPECT_EQ(f.Text3.text, " Single/Sided");
  EXPECT_EQ(f.Text3.fg, kTextGreen);
  EXPECT_EQ(f.Text4.text, "  Sec/Cyl. = 10 ( 10 * 1)");
  ASSERT_EQ(f.Combo1.items.size(), 35u);
  EXPECT_EQ(f.Combo1.items.back(), " 34");
  // The dump read the sector's 256 bytes: the position stands past them.
  EXPECT_EQ(f.img.fpa, 256);
}

TEST(SectorDisplay, DumpPrintsRowHeadersHexAndCharactersInOrder) {
  MainHarness h;
  h.Open(h.Write("blank.dsk", Jv1Builder(35).Build()));
  const std::vector<DrawOp> log = h.form.surface.TakeLog();
  ASSERT_GE(log.size(), 5u);
  EXPECT_EQ(log[0].kind, DrawOp::Kind::Clear);
  EXPECT_EQ(log[1], (DrawOp{DrawOp::Kind::Fill, 750, 2490, 8800, 5600, {192, 192, 192}, ""}));
  EXPECT_EQ(log[2], (DrawOp{DrawOp::Kind::Text, 540, 2490, 960, 2685, kBrown, "  00"}));
  EXPECT_EQ(log[3], (DrawOp{DrawOp::Kind::Text, 1100, 2490, 1310, 2685, kBlack, "00"}));
  EXPECT_EQ(log[4], (DrawOp{DrawOp::Kind::Text, 6550, 2490, 6655, 2685, kBlack, "."}));
  // A row header, 16 hex items and 16 characters per row, 16 rows.
  EXPECT_EQ(Texts(log).size(), 16u * 33u);
  EXPECT_EQ(HexRow(log, 1), "00 FE 11 E5 E5 E5 E5 E5 E5 E5 E5 E5 E5 E5 E5 E5");
  const DrawOp* lastHeader = TextAt(log, 540, 5415);
  ASSERT_NE(lastHeader, nullptr);
  EXPECT_EQ(lastHeader->text, "  F0");
  EXPECT_EQ(CharItem(log, 16, 16).text, ".");
  // The directory is known: no banner, no pause for events.
  for (const DrawOp* op : Texts(log)) EXPECT_NE(op->text, kBanner);
  EXPECT_EQ(h.host.doEvents, 0);
}

TEST(SectorDisplay, Jv1DirectoryTrackShowsTheMarkAndKind) {
  MainHarness h;
  h.OpenQuietly(h.Write("blank.dsk", Jv1Builder(35).Build()));
  GotoTrack(h, " 17");
  const Mainform& f = h.form;
  EXPECT_EQ(f.img.PresSecnum, 170);
  EXPECT_EQ(f.Txtsecnum.text, "170");
  EXPECT_EQ(f.Txtsecnum.bg, kDirPink);
  EXPECT_EQ(f.Txttrk.text, "17");
  EXPECT_EQ(f.Txtdam.text, "20");
  EXPECT_EQ(f.Txtsectype.text, "Dir Sec.");
  EXPECT_EQ(f.Txtsectype.bg, kDirPink);
  EXPECT_EQ(f.Text6.text, "AA00");
  h.form.CmndNexTrack_Click();
  EXPECT_EQ(f.Txtsectype.text, "Data Sec.");
  EXPECT_EQ(f.Txtsecnum.bg, kLightPeach);
  EXPECT_EQ(f.Text6.text, "B400");
}

// Three directory entries: attribute 0x10, 0x90 and 0; each with bytes 20, 21 set and bytes
// 22..31 alternating letters and 0xFF.
Jv1Builder DirectoryImage() {
  Jv1Builder jv1(35);
  const std::uint8_t attributes[3] = {0x10, 0x90, 0x00};
  for (int sector = 0; sector <= 2; ++sector) {
    for (int e = 0; e < 3; ++e) {
      const std::size_t at = 32 * static_cast<std::size_t>(e);
      jv1.Put(17, sector, at, {attributes[e], 0x41, 0x42, 0x43});
      jv1.Put(17, sector, at + 16,
              {0x01, 0x02, 0x03, 0x04, 0x12, 0x34, 0x41, 0xFF, 0x42, 0xFF, 0x43, 0x44, 0x45, 0x46,
               0x47, 0x48});
    }
  }
  return jv1;
}

TEST(DirectoryColouring, FirstTwoDirectorySectorsStayBlack) {
  MainHarness h;
  h.OpenQuietly(h.Write("dir.dsk", DirectoryImage().Build()));
  GotoTrack(h, "17");
  for (int index : {170, 171}) {
    if (index == 171) h.form.CmndNextsec_Click();
    const std::vector<DrawOp> log = h.form.surface.TakeLog();
    ASSERT_EQ(h.form.img.PresSecnum, index);
    EXPECT_EQ(h.form.Txtsectype.text, "Dir Sec.");
    for (const DrawOp* op : Texts(log)) {
      if (op->x == 540) continue;  // row headers
      EXPECT_EQ(op->colour, kBlack) << index << " at " << op->x << "," << op->y << " " << op->text;
    }
  }
}

TEST(DirectoryColouring, ThirdDirectorySectorColoursEntryFields) {
  MainHarness h;
  h.OpenQuietly(h.Write("dir.dsk", DirectoryImage().Build()));
  GotoTrack(h, "17");
  h.form.CmndNextsec_Click();
  h.form.CmndNextsec_Click();
  ASSERT_EQ(h.form.img.PresSecnum, 172);
  const std::vector<DrawOp> log = h.form.surface.TakeLog();

  const Rgb K = kBlack, G = kGreen, R = kRed, B = kBlue, M = kMagenta;
  const Rgb expected[8][16] = {
      // entry 0, attribute 0x10: name bytes plain, 20..21 blue, non-FF bytes 22..31 red
      {G, K, K, K, K, K, K, K, K, K, K, K, K, K, K, K},
      {K, K, K, K, B, B, R, K, R, K, R, R, R, R, R, R},
      // entry 1, attribute 0x90: 20..21 black, non-FF bytes 22..31 magenta
      {G, K, K, K, K, K, K, K, K, K, K, K, K, K, K, K},
      {K, K, K, K, K, K, M, K, M, K, M, M, M, M, M, M},
      // entry 2, attribute 0: nothing coloured
      {K, K, K, K, K, K, K, K, K, K, K, K, K, K, K, K},
      {K, K, K, K, K, K, K, K, K, K, K, K, K, K, K, K},
      // entry 3 holds the fill 0xE5 everywhere: a used entry
      {G, K, K, K, K, K, K, K, K, K, K, K, K, K, K, K},
      {K, K, K, K, B, B, R, R, R, R, R, R, R, R, R, R},
  };
  for (int r = 1; r <= 8; ++r) {
    for (int c = 1; c <= 16; ++c) {
      EXPECT_EQ(HexItem(log, r, c).colour, expected[r - 1][c - 1]) << "row " << r << " byte " << c;
      EXPECT_EQ(CharItem(log, r, c).colour, kBlack) << "row " << r << " byte " << c;
    }
  }
  EXPECT_EQ(HexRow(log, 4), "01 02 03 04 12 34 41 FF 42 FF 43 44 45 46 47 48");
  EXPECT_EQ(CharItem(log, 4, 7).text, "A");
  EXPECT_EQ(CharItem(log, 4, 8).text, ".");
}

TEST(SectorDisplay, DoubledSingleDensitySectorReadsEveryOtherByte) {
  MainHarness h;
  DmkSector sector = DmkSector::Sd(0, 0, 0);
  for (int k = 0; k < 256; ++k) sector.data.push_back(static_cast<std::uint8_t>(k));
  DmkBuilder dmk(1, 3264);
  dmk.AddTrack({sector});
  // Header 16, pointer table 128, gap 2 x 16, 2 x 6 zeros: the first FE at 188; the data mark
  // twice at 188 + 48, the data from 188 + 50 = 238 (0xEE).
  ASSERT_EQ(dmk.Place(0, 0).data, 238u);
  h.Open(h.Write("sd.dmk", dmk.Build()));
  const Mainform& f = h.form;
  EXPECT_TRUE(h.dialogs.messages.empty());
  EXPECT_EQ(f.Txtfiletype.text, "DMK");
  EXPECT_EQ(f.Txtfiletype.bg, kDirPink);
  EXPECT_EQ(f.Text6.text, "EE");
  EXPECT_EQ(f.TxtDens.text, "S/D  ");
  EXPECT_EQ(f.Txtdam.text, "FB");
  EXPECT_EQ(f.Txttrkspt.text, "1");
  // 256 bytes at step 2 cover 512 bytes of the file.
  EXPECT_EQ(f.img.fpa, 238 + 512);
  const std::vector<DrawOp> log = h.form.surface.TakeLog();
  EXPECT_EQ(HexRow(log, 1), "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F");
  EXPECT_EQ(HexRow(log, 16), "F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF");
  EXPECT_EQ(CharItem(log, 3, 1).text, ".");      // 0x20, the space
  EXPECT_EQ(CharItem(log, 3, 2).text, "!");      // 0x21
  EXPECT_EQ(CharItem(log, 8, 16).text, "\x7F");  // 0x7F shows itself
  EXPECT_EQ(CharItem(log, 9, 1).text, ".");      // 0x80
}

TEST(SectorDisplay, BannerWhenNoDirectoryWasFound) {
  MainHarness h;
  DmkBuilder dmk(1, 3264);
  dmk.AddTrack({DmkSector::Sd(0, 0, 0)});
  h.Open(h.Write("nodir.dmk", dmk.Build()));
  std::vector<DrawOp> log = h.form.surface.TakeLog();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[0].kind, DrawOp::Kind::Clear);
  EXPECT_EQ(log[1], (DrawOp{DrawOp::Kind::Text, 180, 1100, 180 + 61 * 105, 1295, kRed, kBanner}));
  EXPECT_EQ(log[2].kind, DrawOp::Kind::Fill);
  EXPECT_EQ(h.host.doEvents, 1);
  // Every display shows it again; the dump after it is black.
  h.form.Form_Activate();
  log = h.form.surface.TakeLog();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[0].text, kBanner);
  EXPECT_EQ(HexItem(log, 1, 1).colour, kBlack);
  EXPECT_EQ(h.host.doEvents, 2);
}

// Two tracks of ten sectors, a Newdos/80 system sector at index 2, a directory mark on track 1
// sector 5 (index 15).
std::vector<std::uint8_t> NewdosJv3(std::uint8_t gpl) {
  Jv3Builder jv3;
  for (int t = 0; t < 2; ++t) {
    for (int s = 0; s < 10; ++s) jv3.Add(t, s, (t == 1 && s == 5) ? 0x20 : 0x00);
  }
  PdriveEntry entry;
  entry.gpl = gpl;
  jv3.Put(2, 0, NewdosSystemSector(entry));
  return jv3.Build();
}

TEST(SectorDisplay, NewdosLabelAndDriveLine) {
  MainHarness h;
  h.Open(h.Write("newdos.jv3", NewdosJv3(2)));
  const Mainform& f = h.form;
  EXPECT_TRUE(h.dialogs.messages.empty());
  const std::vector<DrawOp> log = h.form.surface.TakeLog();
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(log[1],
            (DrawOp{DrawOp::Kind::Text, 3700, 450, 3700 + 9 * 105, 645, kBrown, "Newdos/80"}));
  EXPECT_EQ(log[2],
            (DrawOp{DrawOp::Kind::Text, 180, 1100, 180 + 83 * 105, 1295, kBlue, kPdriveLine}));
  EXPECT_EQ(log[3].kind, DrawOp::Kind::Fill);
  EXPECT_EQ(f.Txtfiletype.text, "JV3");
  EXPECT_EQ(f.Txtfiletype.bg, kGreen);
  EXPECT_EQ(f.Text5.text, "   Spg = 5");
  // Lumps of 5 x 2 = 10 sectors.
  EXPECT_EQ(f.Txtlumpnum.text, "0");
  h.form.CmndNexTrack_Click();
  EXPECT_EQ(f.Txtsecnum.text, "10");
  EXPECT_EQ(f.Txtlumpnum.text, "1");
  h.form.CmndDirFind_Click();
  EXPECT_EQ(f.Txtsecnum.text, "15");
  EXPECT_EQ(f.Txtsectype.text, "Dir Sec.");
}

TEST(SectorDisplay, NewdosWithoutLumpSizeLeavesTheLumpBoxEmpty) {
  MainHarness h;
  h.Open(h.Write("nolump.jv3", NewdosJv3(0)));
  EXPECT_EQ(h.form.img.newdosflag, 1);
  EXPECT_EQ(h.form.Txtlumpnum.text, "");
  h.form.CmndNexTrack_Click();
  EXPECT_EQ(h.form.Txtsecnum.text, "10");
  EXPECT_EQ(h.form.Txtlumpnum.text, "");
}

TEST(SectorDisplay, Jv1ImageEmptiesTheLumpBoxAndPrintsNoDriveLine) {
  MainHarness h;
  h.OpenQuietly(h.Write("newdos.jv3", NewdosJv3(2)));
  h.form.CmndNexTrack_Click();
  ASSERT_EQ(h.form.Txtlumpnum.text, "1");
  h.form.surface.TakeLog();
  Jv1Builder jv1(35);
  jv1.Put(0, 2, 0, NewdosSystemSector(PdriveEntry{}));
  h.Open(h.Write("newdos.dsk", jv1.Build()));
  EXPECT_EQ(h.form.img.newdosflag, 1);
  EXPECT_EQ(h.form.Txtlumpnum.text, "");
  const std::vector<DrawOp> log = h.form.surface.TakeLog();
  for (const DrawOp* op : Texts(log)) {
    EXPECT_NE(op->text, "Newdos/80");
    EXPECT_NE(op->text, kPdriveLine);
  }
}

TEST(SectorDisplay, SectorIndexBoxFollowsTheFinalKindOnDisksNumberedFromOne) {
  MainHarness h;
  DmkBuilder dmk(1, 6400);
  dmk.AddTrack({DmkSector::Dd(0, 0, 1, 0xF8), DmkSector::Dd(0, 0, 2), DmkSector::Dd(0, 0, 3)});
  h.Open(h.Write("one.dmk", dmk.Build()));
  const Mainform& f = h.form;
  EXPECT_EQ(f.img.firstsecnum, 1);
  // Marked as a directory sector, but the directory of such a disk lies at 3 x 17 = 51.
  EXPECT_EQ(f.Txtdam.text, "F8");
  EXPECT_EQ(f.Txtsectype.text, "Data Sec.");
  EXPECT_EQ(f.Txtsecnum.bg, kLightPeach);
  EXPECT_EQ(f.img.dirstartsec, 51);
  EXPECT_EQ(f.List2.items, std::vector<std::string>{"This files Track Sectors start at 1"});
  EXPECT_EQ(f.TxtDens.text, "D/D  ");
  EXPECT_EQ(f.TxtDens.bg, kDdOrange);
  EXPECT_EQ(f.Txtsector.text, "1");
  EXPECT_EQ(f.Text2.text, " Double/Density");
  EXPECT_EQ(f.Text2.fg, kRed);
}

TEST(SectorDisplay, SideOneSectorColoursTheSideBox) {
  MainHarness h;
  // Two tracks, side 0 and side 1 of each in turn.
  DmkBuilder dmk(2, 6400);
  for (int t = 0; t < 2; ++t) {
    for (int side = 0; side < 2; ++side) {
      dmk.AddTrack({DmkSector::Dd(t, side, 0), DmkSector::Dd(t, side, 1)});
    }
  }
  h.Open(h.Write("two.dmk", dmk.Build()));
  const Mainform& f = h.form;
  EXPECT_EQ(f.Text3.text, " Double/Sided");
  EXPECT_EQ(f.Text3.fg, kRed);
  EXPECT_EQ(f.Text4.text, "  Sec/Cyl. = 4 ( 2 * 2)");
  EXPECT_EQ(f.txtside.bg, kLightPeach);
  h.form.CmndNextsec_Click();
  h.form.CmndNextsec_Click();
  EXPECT_EQ(f.Txttrk.text, "0");
  EXPECT_EQ(f.txtside.text, "1");
  EXPECT_EQ(f.txtside.bg, (Rgb{80, 179, 255}));
}

TEST(SectorDisplay, BytesPastTheEndOfTheFileShowAsMissing) {
  MainHarness h;
  std::vector<std::uint8_t> file = Jv1Builder(1).Build();
  file.resize(300);  // sector 1 holds bytes 256..299 only
  h.OpenQuietly(h.Write("short.dsk", file));
  h.form.CmndNextsec_Click();
  const std::vector<DrawOp> log = h.form.surface.TakeLog();
  EXPECT_EQ(h.form.Text6.text, "100");
  EXPECT_EQ(HexRow(log, 3), "E5 E5 E5 E5 E5 E5 E5 E5 E5 E5 E5 E5 -- -- -- --");
  EXPECT_EQ(HexItem(log, 3, 13).colour, kBlack);
  EXPECT_EQ(CharItem(log, 3, 12).text, ".");
  EXPECT_EQ(CharItem(log, 3, 13).text, " ");
  EXPECT_EQ(HexRow(log, 16), "-- -- -- -- -- -- -- -- -- -- -- -- -- -- -- --");
  EXPECT_EQ(h.form.img.fpa, 512);
}

}  // namespace
}  // namespace m1::testing
