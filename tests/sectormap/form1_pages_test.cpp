// The pages of the sector map: every text, position and colour of DMK, JV1 and JV3 pages, worked
// out by hand with a line height of 195 twips (first DMK and JV3 line at 9 x 195 + 180 = 1935,
// first JV1 line at 10 x 195 = 1950, lines 180 apart, sector columns 350 apart).
#include "map_harness.h"
#include "tests/support/image_builder.h"

namespace m1::maptest {
namespace {

const Item kClear{-1, -1, {}, "clear"};
// Loading a file clears the window, then the page clears it again before it draws.
const std::vector<Item> kLoadClears{kClear, kClear};

// The first line of a DMK or JV3 page (y 1935): the label of track 0 side 0, then the sectors,
// each at its x, in one colour or each in its own.
std::vector<Item> Track0Line(Rgb colour, std::initializer_list<std::pair<Twips, const char*>> at) {
  std::vector<Item> line{{200, 1935, kLabel0, "Trk  0 : 0 "}};
  for (const auto& [x, text] : at) line.push_back({x, 1935, colour, text});
  return line;
}
struct Drawn0 {
  Twips x;
  Rgb colour;
  const char* text;
};
std::vector<Item> Track0Line(std::initializer_list<Drawn0> at) {
  std::vector<Item> line{{200, 1935, kLabel0, "Trk  0 : 0 "}};
  for (const Drawn0& d : at) line.push_back({d.x, 1935, d.colour, d.text});
  return line;
}

std::vector<Item> Concat(std::vector<Item> a, const std::vector<Item>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// ---- DMK -----------------------------------------------------------------------------------

using DmkPage = MapHarness;

TEST_F(DmkPage, DoubleSidedImageOpensALineForEverySideWithAlternatingLabelColours) {
  DmkImage img(6400, 3, 2);
  img.Sector(0, 0, 0x80, 0, 0, 0, true);
  img.Sector(0, 1, 0x200, 0, 0, 1, true);
  img.Sector(1, 0, 0x80, 0, 1, 0, true);
  img.Sector(1, 1, 0x200, 0, 1, 1, true);
  img.Sector(2, 0, 0x80, 1, 0, 0, true);
  img.Sector(2, 1, 0x200, 1, 0, 1, true, 0xFA);  // a directory sector in double density: white
  Show("ds.dmk", img.bytes);
  const std::vector<Item> numeric = Concat({kClear,
                                            kClear,
                                            {200, 1935, kLabel0, "Trk  0 : 0 "},
                                            {1900, 1935, kRed, " 0"},
                                            {2250, 1935, kRed, " 1"},
                                            {200, 2115, kBlack, "Trk  0 : 1 "},
                                            {1900, 2115, kRed, " 0"},
                                            {2250, 2115, kRed, " 1"},
                                            {200, 2295, kLabel0, "Trk  1 : 0 "},
                                            {1900, 2295, kRed, " 0"},
                                            {2250, 2295, kWhite, " 1"}},
                                           DmkKey("FAh"));
  EXPECT_EQ(Drawn(), numeric);
  EXPECT_EQ(form.Text1.text, "DMK");
  EXPECT_EQ(form.fpa, 16 + 3 * 6400);

  form.Option2_Click();  // interleave order: numbers in number form, one column after another
  EXPECT_EQ(OnLine(Drawn(), 2295), (std::vector<Item>{{200, 2295, kLabel0, "Trk  1 : 0 "},
                                                      {1900, 2295, kRed, " 0 "},
                                                      {2250, 2295, kWhite, " 1 "}}));

  form.Cmndnext_Click();  // the last track image is on show
  EXPECT_TRUE(Drawn().empty());
  EXPECT_EQ(form.Pagenum, 0);
}

TEST_F(DmkPage, InterleaveOrderFollowsThePointerTable) {
  DmkImage img(6400, 1);
  img.Sector(0, 0, 0x80, 0, 0, 4, true);
  img.Sector(0, 1, 0x100, 0, 0, 1, true);
  img.Sector(0, 2, 0x180, 0, 0, 7, true);
  Show("a.dmk", img.bytes);
  EXPECT_EQ(OnLine(Drawn(), 1935), Track0Line(kRed, {{3300, " 4"}, {2250, " 1"}, {4350, " 7"}}));
  form.Option2_Click();
  EXPECT_EQ(OnLine(Drawn(), 1935), Track0Line(kRed, {{1900, " 4 "}, {2250, " 1 "}, {2600, " 7 "}}));
}

TEST_F(DmkPage, DoubleByteSectorsShowTheirMarkerInNumericOrderOnly) {
  // Single density at 3264 bytes a track: the data mark 24 bytes after the ID address mark.
  DmkImage img(3264, 1);
  img.Sector(0, 0, 0x80, 0, 0, 3, false, 0xFB, 24, /*doubledBytes=*/true);
  img.Sector(0, 1, 0x200, 0, 0, 1, false, 0xFB, 24);
  Show("a.dmk", img.bytes);
  EXPECT_EQ(form.damindx, 24);
  // The last sector drawn is an ordinary one: no note line.
  EXPECT_EQ(Drawn(), Concat({kClear,
                             kClear,
                             {200, 1935, kLabel0, "Trk  0 : 0 "},
                             {2950, 1935, kBlue, "*3"},
                             {2250, 1935, kBlue, " 1"}},
                            DmkKey("FBh")));
  form.Option2_Click();
  EXPECT_EQ(Drawn(), Concat({kClear,
                             {200, 1935, kLabel0, "Trk  0 : 0 "},
                             {1900, 1935, kBlue, " 3 "},
                             {2250, 1935, kBlue, " 1 "}},
                            DmkKey("FBh")));
}

TEST_F(DmkPage, NoteLineOnlyWhenTheLastSectorDrawnIsDoubleByte) {
  DmkImage img(3264, 2);
  img.Sector(0, 0, 0x80, 0, 0, 1, false, 0xFB, 24);
  img.Sector(0, 1, 0x200, 0, 0, 0, false, 0xFA, 25, /*doubledBytes=*/true);  // mark one byte on
  Show("a.dmk", img.bytes);
  EXPECT_EQ(Drawn(), Concat(Concat({kClear,
                                    kClear,
                                    {200, 1935, kLabel0, "Trk  0 : 0 "},
                                    {2250, 1935, kBlue, " 1"},
                                    {1900, 1935, kCyan, "*0"}},
                                   DmkKey("FAh")),
                            {kDoubleByteNote}));
  form.Option2_Click();  // the note does not depend on the order
  const auto items = Drawn();
  EXPECT_EQ(items.back(), kDoubleByteNote);
  EXPECT_EQ(OnLine(items, 1935)[2], (Item{2250, 1935, kCyan, " 0 "}));
}

TEST_F(DmkPage, DirectoryMarksColourSingleCyanAndDoubleWhite) {
  DmkImage img(6400, 1);
  img.Sector(0, 0, 0x80, 0, 0, 0, false, 0xF8);
  img.Sector(0, 1, 0x100, 0, 0, 1, true, 0xF8, 45);  // found one byte after the first place
  img.Sector(0, 2, 0x180, 0, 0, 2, true, 0xFB);
  img.Sector(0, 3, 0x200, 0, 0, 3, false, 0xFB);
  Show("a.dmk", img.bytes);
  const auto items = Drawn();
  EXPECT_EQ(
      OnLine(items, 1935),
      Track0Line(
          {{1900, kCyan, " 0"}, {2250, kWhite, " 1"}, {2600, kRed, " 2"}, {2950, kBlue, " 3"}}));
  EXPECT_EQ(OnLine(items, 1170).back().text, "      Possible Dir.Secs. D/D    FBh");
}

TEST_F(DmkPage, UnformattedTrackCountsTowardThe21TrackImages) {
  DmkImage img(3264, 23);
  for (int t = 1; t < 23; ++t)
    img.Sector(t, 0, 0x80, static_cast<std::uint8_t>(t), 0, 0, false, 0xFB, 24);
  Show("a.dmk", img.bytes);
  auto items = Drawn();
  // Images 0 to 20: image 0 draws nothing, so 20 lines, tracks 1 to 20.
  std::vector<Item> labels;
  for (const Item& i : items)
    if (i.x == 200 && i.y >= 1935) labels.push_back(i);
  ASSERT_EQ(labels.size(), 20u);
  EXPECT_EQ(labels.front(), (Item{200, 1935, kLabel0, "Trk  1 : 0 "}));
  EXPECT_EQ(labels.back(), (Item{200, 5355, kLabel0, "Trk 20 : 0 "}));
  EXPECT_EQ(form.fpa, 16 + 21 * 3264);

  form.Cmndnext_Click();
  EXPECT_EQ(form.Pagenum, 1);
  EXPECT_EQ(form.pagepsn[1], 68560);
  items = Drawn();
  EXPECT_EQ(OnLine(items, 1935),
            (std::vector<Item>{{200, 1935, kLabel0, "Trk 21 : 0 "}, {1900, 1935, kBlue, " 0"}}));
  EXPECT_EQ(OnLine(items, 2115),
            (std::vector<Item>{{200, 2115, kLabel0, "Trk 22 : 0 "}, {1900, 2115, kBlue, " 0"}}));
  EXPECT_EQ(form.fpa, 75088);  // the end of the file: Next does nothing more
  form.Cmndnext_Click();
  EXPECT_TRUE(Drawn().empty());
  EXPECT_EQ(form.Pagenum, 1);

  form.Cmndprev_Click();  // Previous still works and starts again at offset 16
  EXPECT_EQ(form.Pagenum, 0);
  EXPECT_EQ(OnLine(Drawn(), 1935).front().text, "Trk  1 : 0 ");
}

TEST_F(DmkPage, AtMost31SectorsOfATrack) {
  DmkImage img(6400, 1);
  for (int s = 0; s < 40; ++s)
    img.Sector(0, s, 0x80 + 50 * static_cast<unsigned>(s), 0, 0, static_cast<std::uint8_t>(s),
               true);
  Show("a.dmk", img.bytes);
  Drawn();
  form.Option2_Click();
  const auto line = OnLine(Drawn(), 1935);
  ASSERT_EQ(line.size(), 32u);  // the label and 31 sectors
  EXPECT_EQ(line[1], (Item{1900, 1935, kRed, " 0 "}));
  EXPECT_EQ(line[31], (Item{12400, 1935, kRed, " 30 "}));
}

TEST_F(DmkPage, SectorsWhoseIdOrDataMarkLiesPastTheFileAreNotDrawn) {
  DmkImage img(6400, 1);
  img.Sector(0, 0, 0x80, 0, 0, 0, true);
  img.Pointer(0, 1, 0x8000 | 0x7FF0);     // ID address mark far past the end
  img.Sector(0, 2, 6397, 0, 0, 2, true);  // ID field runs past the end
  img.Sector(0, 3, 6380, 0, 0, 3, true);  // ID inside, data mark past the end
  Show("a.dmk", img.bytes);
  EXPECT_EQ(OnLine(Drawn(), 1935),
            (std::vector<Item>{{200, 1935, kLabel0, "Trk  0 : 0 "}, {1900, 1935, kRed, " 0"}}));
}

TEST_F(DmkPage, PageWithoutSectorsShowsTheKeyWithoutAMark) {
  DmkImage img(6400, 2);
  Show("blank.dmk", img.bytes);
  EXPECT_EQ(Drawn(), Concat(kLoadClears, DmkKey("")));
  EXPECT_EQ(form.fpa, 12816);
}

TEST_F(DmkPage, SideByteOtherThanOneIsLabelledSideZero) {
  DmkImage img(6400, 1);
  img.Sector(0, 0, 0x80, 3, 7, 0, true);
  img.Sector(0, 1, 0x100, 3, 1, 1, true);
  Show("a.dmk", img.bytes);
  const auto items = Drawn();
  EXPECT_EQ(OnLine(items, 1935).front(), (Item{200, 1935, kLabel0, "Trk  3 : 0 "}));
  EXPECT_EQ(OnLine(items, 2115).front(), (Item{200, 2115, kBlack, "Trk  3 : 1 "}));
}

// ---- JV1 -----------------------------------------------------------------------------------

using Jv1Page = MapHarness;

std::vector<Item> Jv1Line(int track, Twips y) {
  const std::string label =
      std::string("Trk") + (track < 10 ? "  " : " ") + std::to_string(track) + " : 0 ";
  std::vector<Item> out{{200, y, kLabel0, label}};
  const char* numbers[] = {" 0 ", " 1 ", " 2 ", " 3 ", " 4 ", " 5 ", " 6 ", " 7 ", " 8 ", " 9 "};
  const Twips columns[] = {1600, 1950, 2300, 2650, 3000, 3350, 3700, 4050, 4400, 4750};
  for (int s = 0; s < 10; ++s)
    out.push_back({columns[s], y, track == 17 ? kCyan : kBlue, numbers[s]});
  return out;
}

TEST_F(Jv1Page, ThirtyFiveTracksOnTwoPages) {
  Show("a.dsk", Jv1Image(35 * 2560));
  auto items = Drawn();
  ASSERT_EQ(items.size(), 2u + 4 + 21 * 11);
  EXPECT_EQ(std::vector<Item>(items.begin(), items.begin() + 6), Concat(kLoadClears, JvKey()));
  EXPECT_EQ(OnLine(items, 1950), Jv1Line(0, 1950));
  EXPECT_EQ(OnLine(items, 5010), Jv1Line(17, 5010));  // the directory track in cyan
  EXPECT_EQ(OnLine(items, 5550), Jv1Line(20, 5550));
  EXPECT_EQ(form.Text1.text, "JV1");

  form.Cmndnext_Click();
  items = Drawn();
  ASSERT_EQ(items.size(), 1u + 4 + 14 * 11);
  EXPECT_EQ(OnLine(items, 1950), Jv1Line(21, 1950));
  EXPECT_EQ(OnLine(items, 4290), Jv1Line(34, 4290));

  form.Cmndnext_Click();  // page 1 is the last
  EXPECT_EQ(form.Pagenum, 1);
  EXPECT_TRUE(Drawn().empty());
  form.Cmndprev_Click();
  EXPECT_EQ(OnLine(Drawn(), 1950), Jv1Line(0, 1950));
}

TEST_F(Jv1Page, TracksComeFromTheFileSize) {
  const struct {
    std::size_t length;
    int lastPage;
    Twips lastLineY;
    int lastTrack;
  } cases[] = {
      {100, 0, 1950, 0},  // one track, rounded up
      {80 * 2560, 3, 1950 + 16 * 180, 79},
      {80 * 2560 + 1, 3, 1950 + 17 * 180, 80},
      {200 * 2560, 4, 1950 + 11 * 180, 95},  // at most 96
  };
  for (const auto& c : cases) {
    Show("a.dsk", Jv1Image(c.length));
    for (int i = 0; i < 8; ++i) form.Cmndnext_Click();
    EXPECT_EQ(form.Pagenum, c.lastPage) << c.length;
    Drawn();
    form.Form_Resize();
    const auto items = Drawn();
    EXPECT_EQ(items.back().y, c.lastLineY) << c.length;
    EXPECT_EQ(OnLine(items, c.lastLineY), Jv1Line(c.lastTrack, c.lastLineY)) << c.length;
  }
}

TEST_F(Jv1Page, AStalePageStartOfAnEarlierFileDoesNotStopNext) {
  // A DMK file leaves page 1 starting at 16 + 21 x 10000 = 210016, past the end of the JV1 file.
  DmkImage dmk(10000, 22);
  Show("a.dmk", dmk.bytes);
  form.Cmndnext_Click();
  EXPECT_EQ(form.pagepsn[1], 210016);
  Show("b.dsk", Jv1Image(80 * 2560));
  form.Cmndnext_Click();
  form.Form_Resize();  // fpa takes the stale start
  EXPECT_EQ(form.fpa, 210016);
  Drawn();
  form.Cmndnext_Click();
  EXPECT_EQ(form.Pagenum, 2);
  EXPECT_EQ(OnLine(Drawn(), 1950), Jv1Line(42, 1950));
}

// ---- JV3 -----------------------------------------------------------------------------------

using Jv3Page = MapHarness;

// Track 0 with four sectors (the header test reads the first four entries), then one sector on
// each of the tracks 1 to last.
std::vector<Jv3Entry> OneSectorTracks(int last) {
  std::vector<Jv3Entry> e{{0, 0, 0}, {0, 1, 0}, {0, 2, 0}, {0, 3, 0}};
  for (int t = 1; t <= last; ++t) e.push_back({static_cast<std::uint8_t>(t), 0, 0});
  return e;
}

TEST_F(Jv3Page, PageEndsBeforeThe22ndLineAndTheNextPageStartsThere) {
  Show("a.jv3", Jv3Image(OneSectorTracks(21)));
  auto items = Drawn();
  EXPECT_EQ(std::vector<Item>(items.begin(), items.begin() + 6), Concat(kLoadClears, JvKey()));
  EXPECT_EQ(OnLine(items, 1935),
            Track0Line(kBlue, {{1600, " 0 "}, {1950, " 1 "}, {2300, " 2 "}, {2650, " 3 "}}));
  EXPECT_EQ(OnLine(items, 5535),
            (std::vector<Item>{{200, 5535, kLabel0, "Trk 20 : 0 "}, {1600, 5535, kBlue, " 0 "}}));
  EXPECT_TRUE(OnLine(items, 5715).empty());
  EXPECT_EQ(items.size(), 2u + 4 + 5 + 20 * 2);
  EXPECT_EQ(form.filepsn, 72);  // entry 24, track 21
  EXPECT_EQ(form.secnum, 24);

  form.Cmndnext_Click();
  EXPECT_EQ(form.pagepsn[1], 72);
  EXPECT_EQ(Drawn(), Concat(Concat({kClear}, JvKey()),
                            {{200, 1935, kLabel0, "Trk 21 : 0 "}, {1600, 1935, kBlue, " 0 "}}));
  EXPECT_EQ(form.endflag, 1);  // the free entry after it
  EXPECT_EQ(form.filepsn, 75);

  form.Cmndnext_Click();
  EXPECT_TRUE(Drawn().empty());
  form.Cmndprev_Click();
  EXPECT_EQ(form.filepsn, 72);
  EXPECT_EQ(form.endflag, 0);
}

TEST_F(Jv3Page, ColoursByDensityDirectoryMarkAndSide) {
  Show("a.jv3",
       Jv3Image(
           {{0, 0, 0x00}, {0, 1, 0x20}, {0, 2, 0x80}, {0, 3, 0xA0}, {0, 0, 0x10}, {0, 1, 0x90}}));
  const auto items = Drawn();
  EXPECT_EQ(OnLine(items, 1935), Track0Line({{1600, kBlue, " 0 "},
                                             {1950, kCyan, " 1 "},
                                             {2300, kRed, " 2 "},
                                             {2650, kJv3DirDouble, " 3 "}}));
  EXPECT_EQ(OnLine(items, 2115), (std::vector<Item>{{200, 2115, kBlack, "Trk  0 : 1 "},
                                                    {1600, 2115, kBlue, " 0 "},
                                                    {1950, 2115, kRed, " 1 "}}));
  // The directory starts at entry 1 and one more flagged entry follows (entry 3): 1 and 2, in
  // the colour last used.
  EXPECT_EQ(OnLine(items, 120), (std::vector<Item>{{60, 120, kRed, " 1 "}}));
  EXPECT_EQ(OnLine(items, 260), (std::vector<Item>{{60, 260, kRed, " 2 "}}));
  EXPECT_EQ(form.dirstartsec, 1);
  EXPECT_EQ(form.direndsec, 2);
}

TEST_F(Jv3Page, InterleaveOrderPlacesSectorsAsRecorded) {
  Show("a.jv3", Jv3Image({{0, 5, 0}, {0, 0, 0}, {0, 7, 0}, {0, 2, 0}}));
  EXPECT_EQ(OnLine(Drawn(), 1935),
            Track0Line(kBlue, {{3350, " 5 "}, {1600, " 0 "}, {4050, " 7 "}, {2300, " 2 "}}));
  form.Option2_Click();
  EXPECT_EQ(OnLine(Drawn(), 1935),
            Track0Line(kBlue, {{1600, " 5 "}, {1950, " 0 "}, {2300, " 7 "}, {2650, " 2 "}}));
}

TEST_F(Jv3Page, DirectoryRangeIsCountedOnceWhateverIsDrawnAgain) {
  // Directory entries 24 and 25 (track 21) and 26 (track 22) lie on page 1.
  auto entries = OneSectorTracks(20);
  entries.push_back({21, 0, 0x20});
  entries.push_back({21, 1, 0x20});
  entries.push_back({22, 0, 0x20});
  Show("a.jv3", Jv3Image(entries));
  auto items = Drawn();
  EXPECT_TRUE(OnLine(items, 120).empty());  // none met yet
  form.Cmndnext_Click();
  items = Drawn();
  EXPECT_EQ(OnLine(items, 120), (std::vector<Item>{{60, 120, kCyan, " 24 "}}));
  EXPECT_EQ(OnLine(items, 260), (std::vector<Item>{{60, 260, kCyan, " 26 "}}));
  form.Option2_Click();
  form.Form_Resize();
  form.Cmndprev_Click();
  form.Cmndnext_Click();
  items = Drawn();
  EXPECT_EQ(OnLine(items, 120).back().text, " 24 ");
  EXPECT_EQ(OnLine(items, 260).back().text, " 26 ");
  EXPECT_EQ(form.dirstartsec, 24);
  EXPECT_EQ(form.direndsec, 26);
  EXPECT_EQ(form.secnum, 27);
}

TEST_F(Jv3Page, DirectoryStartingAtEntryZeroShowsNoNumbers) {
  Show("a.jv3", Jv3Image({{0, 0, 0x20}, {0, 1, 0x20}, {0, 2, 0}, {0, 3, 0}}));
  const auto items = Drawn();
  EXPECT_TRUE(OnLine(items, 120).empty());
  EXPECT_TRUE(OnLine(items, 260).empty());
  EXPECT_EQ(form.dirstartsec, 0);
  EXPECT_EQ(form.direndsec, 1);
}

TEST_F(Jv3Page, WalkEndsAfterThe2901stEntry) {
  // A full table without a free entry, and sector data that would read as more entries.
  std::vector<Jv3Entry> entries;
  for (int i = 0; i < 2901; ++i) entries.push_back({0, static_cast<std::uint8_t>(i % 10), 0});
  Bytes b = Jv3Image(entries, 600);
  b[8703] = 0x00;  // a write-protect byte that does not read as a free entry
  Show("full.jv3", b);
  const auto items = Drawn();
  EXPECT_EQ(OnLine(items, 1935).size(), 1u + 2901);
  EXPECT_TRUE(OnLine(items, 2115).empty());
  EXPECT_EQ(form.endflag, 1);
  EXPECT_EQ(form.filepsn, 8703);
  EXPECT_EQ(form.secnum, 2901);
  form.Cmndnext_Click();
  EXPECT_TRUE(Drawn().empty());
}

TEST_F(Jv3Page, WalkEndsWithTheFile) {
  Bytes b;
  for (int i = 0; i < 10; ++i) b.insert(b.end(), {0, static_cast<std::uint8_t>(i), 0});
  b.push_back(0);  // a part of an entry
  Show("cut.jv3", b);
  const auto line = OnLine(Drawn(), 1935);
  ASSERT_EQ(line.size(), 11u);
  EXPECT_EQ(line.back(), (Item{4750, 1935, kBlue, " 9 "}));
  EXPECT_EQ(form.endflag, 1);
  EXPECT_EQ(form.filepsn, 30);
}

TEST_F(Jv3Page, HeaderTestMessageOnEveryDrawing) {
  Show("a.dsk", Jv1Image(2560));
  Drawn();
  Bytes bad(16, 0x00);
  bad[6] = 0x01;
  Show("bad.img", bad);
  EXPECT_EQ(dialogs.TakeMessages(), std::vector<RecordedMessage>{kNoHeader});
  EXPECT_EQ(Drawn(), (std::vector<Item>{kClear, kClear}));  // the load and the page both clear
  EXPECT_EQ(form.Text1.text, "JV1");
  for (void (form1::*handler)() : {&form1::Cmndnext_Click, &form1::Form_Resize,
                                   &form1::Option2_Click, &form1::Cmndprev_Click}) {
    (form.*handler)();
    EXPECT_EQ(dialogs.TakeMessages(), std::vector<RecordedMessage>{kNoHeader});
  }
  EXPECT_EQ(Drawn(), (std::vector<Item>{kClear, kClear, kClear, kClear}));
  EXPECT_EQ(form.Text1.text, "JV1");
}

// ---- Images as a formatting program writes them ---------------------------------------------

TEST_F(DmkPage, ModelOneDiskWithADoubledSingleDensityTrackZero) {
  // Track 0 in doubled single density, track 1 in double density with a directory sector.
  std::vector<m1::testing::DmkSector> track0, track1;
  for (int s = 0; s < 10; ++s) track0.push_back(m1::testing::DmkSector::Sd(0, 0, s));
  for (int s = 0; s < 18; ++s)
    track1.push_back(m1::testing::DmkSector::Dd(1, 0, s, s == 5 ? 0xFA : 0xFB));
  m1::testing::DmkBuilder dmk(2, 6400);
  dmk.AddTrack(track0, true).AddTrack(track1);
  Show("model1.dmk", dmk.Build());
  const auto items = Drawn();

  std::vector<Item> line0{{200, 1935, kLabel0, "Trk  0 : 0 "}};
  const Twips cols[] = {1900, 2250, 2600, 2950, 3300, 3650, 4000, 4350, 4700,
                        5050, 5400, 5750, 6100, 6450, 6800, 7150, 7500, 7850};
  for (int s = 0; s < 10; ++s) line0.push_back({cols[s], 1935, kBlue, "*" + std::to_string(s)});
  EXPECT_EQ(OnLine(items, 1935), line0);

  std::vector<Item> line1{{200, 2115, kLabel0, "Trk  1 : 0 "}};
  for (int s = 0; s < 18; ++s)
    line1.push_back({cols[s], 2115, s == 5 ? kWhite : kRed, " " + std::to_string(s)});
  EXPECT_EQ(OnLine(items, 2115), line1);
  EXPECT_EQ(OnLine(items, 1170).back().text, "      Possible Dir.Secs. D/D    FBh");
  EXPECT_TRUE(OnLine(items, 1365).empty());  // the last sector is not doubled
}

}  // namespace
}  // namespace m1::maptest
