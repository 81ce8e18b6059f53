// The six navigation commands and their limits.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/image_builder.h"
#include "tests/viewer/harness.h"

namespace m1::testing {
namespace {

// Clicks a command and tells whether it drew anything.
template <typename Click>
bool Drew(MainHarness& h, Click click) {
  h.form.surface.TakeLog();
  click();
  return !h.form.surface.TakeLog().empty();
}

// Three single-sided double-density tracks of three sectors (indexes 0..8), no directory mark.
std::vector<std::uint8_t> SmallDmk() {
  DmkBuilder dmk(3, 6400);
  for (int t = 0; t < 3; ++t) {
    dmk.AddTrack({DmkSector::Dd(t, 0, 0), DmkSector::Dd(t, 0, 1), DmkSector::Dd(t, 0, 2)});
  }
  return dmk.Build();
}

TEST(Navigation, Jv1SectorStepsStopAtTheEnds) {
  MainHarness h;
  h.OpenQuietly(h.Write("blank.dsk", Jv1Builder(35).Build()));
  Mainform& f = h.form;
  EXPECT_FALSE(Drew(h, [&] { f.CmndPrevsec_Click(); }));
  EXPECT_EQ(f.img.PresSecnum, 0);
  EXPECT_TRUE(Drew(h, [&] { f.CmndNextsec_Click(); }));
  EXPECT_EQ(f.Txtsecnum.text, "1");
  EXPECT_TRUE(Drew(h, [&] { f.CmndPrevsec_Click(); }));
  EXPECT_EQ(f.Txtsecnum.text, "0");

  GotoTrack(h, "34");
  for (int k = 0; k < 9; ++k) f.CmndNextsec_Click();
  EXPECT_EQ(f.Txtsecnum.text, "349");
  EXPECT_FALSE(Drew(h, [&] { f.CmndNextsec_Click(); }));
  EXPECT_EQ(f.img.PresSecnum, 349);
  EXPECT_FALSE(Drew(h, [&] { f.CmndNexTrack_Click(); }));
  EXPECT_EQ(f.img.PresSecnum, 349);
  EXPECT_EQ(f.img.track, 34);
}

TEST(Navigation, Jv1TrackStepsCountFromTheSectorOnDisplay) {
  MainHarness h;
  h.OpenQuietly(h.Write("blank.dsk", Jv1Builder(35).Build()));
  Mainform& f = h.form;
  GotoTrack(h, "17");
  for (int k = 0; k < 5; ++k) f.CmndNextsec_Click();
  ASSERT_EQ(f.Txtsecnum.text, "175");
  f.CmndNexTrack_Click();
  EXPECT_EQ(f.Txtsecnum.text, "180");
  EXPECT_EQ(f.img.track, 18);

  GotoTrack(h, "17");
  for (int k = 0; k < 5; ++k) f.CmndNextsec_Click();
  f.CmndPrevTrk_Click();
  EXPECT_EQ(f.Txtsecnum.text, "160");

  GotoTrack(h, "0");
  f.CmndNextsec_Click();
  EXPECT_FALSE(Drew(h, [&] { f.CmndPrevTrk_Click(); }));
  EXPECT_EQ(f.img.track, 0);
  EXPECT_EQ(f.img.PresSecnum, 1);
}

TEST(Navigation, DmkStepsUseTheTrackStarts) {
  MainHarness h;
  h.OpenQuietly(h.Write("small.dmk", SmallDmk()));
  Mainform& f = h.form;
  ASSERT_EQ(f.img.Totalsecs, 9);
  EXPECT_FALSE(Drew(h, [&] { f.CmndPrevsec_Click(); }));
  EXPECT_TRUE(Drew(h, [&] { f.CmndNexTrack_Click(); }));
  EXPECT_EQ(f.Txtsecnum.text, "3");
  EXPECT_EQ(f.Txttrk.text, "1");
  f.CmndNexTrack_Click();
  EXPECT_EQ(f.Txtsecnum.text, "6");
  EXPECT_FALSE(Drew(h, [&] { f.CmndNexTrack_Click(); }));
  EXPECT_EQ(f.img.track, 2);
  EXPECT_EQ(f.img.PresSecnum, 6);
  f.CmndNextsec_Click();
  f.CmndNextsec_Click();
  EXPECT_EQ(f.Txtsecnum.text, "8");
  EXPECT_FALSE(Drew(h, [&] { f.CmndNextsec_Click(); }));
  EXPECT_EQ(f.img.PresSecnum, 8);
  f.CmndPrevTrk_Click();
  EXPECT_EQ(f.Txtsecnum.text, "3");
  f.CmndPrevTrk_Click();
  EXPECT_EQ(f.Txtsecnum.text, "0");
  EXPECT_FALSE(Drew(h, [&] { f.CmndPrevTrk_Click(); }));
  EXPECT_EQ(f.img.track, 0);
}

TEST(Navigation, GotoTrackReadsTheNumberAtTheStartOfTheText) {
  struct Case {
    const char* text;
    std::optional<int> index;  // nothing: the command is ignored
  };
  const Case cases[] = {
      {"12ab", 120}, {"-1", {}}, {"99999", {}}, {"-40000", {}}, {"35", {}}, {"2.5", 20},
  };
  for (const Case& c : cases) {
    MainHarness h;
    h.OpenQuietly(h.Write("blank.dsk", Jv1Builder(35).Build()));
    h.form.CmndNextsec_Click();  // start from index 1
    const bool drew = Drew(h, [&] { GotoTrack(h, c.text); });
    EXPECT_EQ(drew, c.index.has_value()) << c.text;
    EXPECT_EQ(h.form.img.PresSecnum, c.index.value_or(1)) << c.text;
  }
}

TEST(Navigation, GotoTrackCountsBothSidesOfEveryTrackBefore) {
  MainHarness h;
  DmkBuilder dmk(4, 6400);
  for (int t = 0; t < 4; ++t) {
    for (int side = 0; side < 2; ++side) {
      std::vector<DmkSector> sectors;
      for (int s = 0; s < 18; ++s) sectors.push_back(DmkSector::Dd(t, side, s));
      dmk.AddTrack(sectors);
    }
  }
  h.OpenQuietly(h.Write("ds.dmk", dmk.Build()));
  GotoTrack(h, "3");
  EXPECT_EQ(h.form.img.PresSecnum, 108);
  EXPECT_EQ(h.form.Txttrk.text, "3");
  EXPECT_EQ(h.form.txtside.text, "0");
}

TEST(Navigation, ToDirectoryJumpsToTheFirstDirectorySector) {
  MainHarness h;
  h.OpenQuietly(h.Write("blank.dsk", Jv1Builder(35).Build()));
  h.form.CmndDirFind_Click();
  EXPECT_EQ(h.form.img.PresSecnum, 170);
  EXPECT_EQ(h.form.Txtsectype.text, "Dir Sec.");
  EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST(Navigation, ToDirectoryWithoutDirectoryShowsMessageAndStays) {
  MainHarness h;
  h.OpenQuietly(h.Write("small.dmk", SmallDmk()));
  Mainform& f = h.form;
  ASSERT_EQ(f.img.dirstartsecfnd, 0);
  f.CmndNextsec_Click();
  EXPECT_FALSE(Drew(h, [&] { f.CmndDirFind_Click(); }));
  EXPECT_EQ(h.dialogs.TakeMessages(),
            (std::vector<RecordedMessage>{
                {"Error", "No Directory was found on this disk", MsgIcon::None}}));
  EXPECT_EQ(f.img.PresSecnum, 1);
  f.CmndNextsec_Click();
  EXPECT_EQ(f.Txtsecnum.text, "2");
}

TEST(Navigation, StepsBeforeAnyOpenChangeOnlyTheFields) {
  MainHarness h;
  Mainform& f = h.form;
  f.CmndNextsec_Click();
  EXPECT_EQ(f.img.PresSecnum, -1);  // no sectors yet: the last index is -1
  f.CmndPrevsec_Click();
  EXPECT_EQ(f.img.PresSecnum, 0);
  f.CmndNexTrack_Click();
  EXPECT_EQ(f.img.track, -1);
  f.CmndPrevTrk_Click();
  EXPECT_EQ(f.img.track, 0);
  f.Form_Load();
  f.Form_Activate();
  f.Form_Resize();
  GotoTrack(h, "3");
  EXPECT_EQ(f.img.track, 0);
  EXPECT_EQ(f.img.PresSecnum, 0);
  f.CmndDirFind_Click();
  EXPECT_TRUE(f.surface.TakeLog().empty());
  EXPECT_TRUE(h.dialogs.messages.empty());
  EXPECT_TRUE(h.host.shown.empty());
}

}  // namespace
}  // namespace m1::testing
