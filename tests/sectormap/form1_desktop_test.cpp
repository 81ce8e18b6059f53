// The sector map beyond its designed controls: what the sector under a point is, and a file
// opened as if chosen in the Open dialog (a dropped file).
#include "tests/sectormap/map_harness.h"
#include "tests/support/image_builder.h"

namespace m1::maptest {
namespace {

using MapDesktop = MapHarness;

TEST_F(MapDesktop, HoverTellsWhatTheSectorUnderThePointIs) {
  m1::testing::DmkBuilder dmk(1, 6400);
  dmk.AddTrack({m1::testing::DmkSector::Dd(0, 0, 0), m1::testing::DmkSector::Dd(0, 0, 1)});
  OpenChosenFile("a.dmk", dmk.Build());
  // Sector 1 is drawn " 1" at x = 1900 + 350, on the first line (y = 1935), 210 twips wide.
  const std::string text = form.HoverText(2300, 2000);
  EXPECT_TRUE(text.starts_with("ID field of track 0 side 0 sector 1: sector number; ID CRC ok"))
      << text;
  EXPECT_TRUE(text.ends_with("; data CRC ok")) << text;
  // Beside the number, between the lines, and over the track label: nothing.
  for (const auto& [x, y] : {std::pair{2460, 2000}, {2300, 1934}, {300, 1935}}) {
    EXPECT_EQ(form.HoverText(x, y), "") << x << "," << y;
  }
}

TEST_F(MapDesktop, HoverOverAJv1SectorExplainsItsFirstDataByte) {
  OpenChosenFile("a.dsk", Jv1Image(2 * 2560));
  // Track 1, sector 3: x = 1600 + 3 x 350, y = 1950 + 180.
  EXPECT_EQ(form.HoverText(2700, 2140), "data byte 0 of track 1 side 0 sector 3");
}

TEST_F(MapDesktop, ADroppedFileLoadsAsFromTheMenu) {
  const std::string path = Write("a.dsk", Jv1Image(2560));
  OpenFromMenu(path);
  const std::vector<DrawOp> byMenu = form.surface.Items();
  form.OpenChosen(path);
  EXPECT_EQ(form.TxtFilename.text, path);
  EXPECT_EQ(form.surface.Items(), byMenu);
  EXPECT_EQ(dialogs.opens.size(), 1u);  // only the menu asked
  form.OpenChosen(path + ".missing");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "Text Editor");
}

}  // namespace
}  // namespace m1::maptest
