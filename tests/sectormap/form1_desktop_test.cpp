// The sector map beyond its designed controls: a file opened as if chosen in the Open dialog (a
// dropped file).
#include "tests/sectormap/map_harness.h"
#include "tests/support/image_builder.h"

namespace m1::maptest {
namespace {

using MapDesktop = MapHarness;

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
