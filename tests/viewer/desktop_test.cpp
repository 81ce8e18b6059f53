// The main window beyond its designed controls: the sector dump copied as text, and a file opened
// as if chosen in the Open dialog (dropped, or named on the command line).
#include <gtest/gtest.h>

#include <string>

#include "tests/support/image_builder.h"
#include "tests/viewer/harness.h"

namespace m1::testing {
namespace {

TEST(MainDesktop, CopyGivesTheSectorOnShowWithOffsetsFromItsStart) {
  MainHarness h;
  EXPECT_EQ(h.form.CopyText(), "");  // nothing on show
  Jv1Builder jv1(35, 0x00);
  jv1.Put(0, 1, 0, {'H', 'i', 0x7F, 0x20});
  jv1.Put(0, 1, 0xF0, {0xE5});
  h.OpenQuietly(h.Write("a.dsk", jv1.Build()));
  h.form.CmndNextsec_Click();
  const std::string text = h.form.CopyText();
  ASSERT_EQ(text.size(), 16u * 79);  // 16 lines of 78 characters and a line feed
  EXPECT_TRUE(text.starts_with(
      "00000000  48 69 7F 20 00 00 00 00  00 00 00 00 00 00 00 00  |Hi. ............|\n"
      "00000010  00 00"));
  EXPECT_TRUE(text.ends_with(
      "000000F0  E5 00 00 00 00 00 00 00  00 00 00 00 00 00 00 00  |................|\n"));
}

TEST(MainDesktop, BytesPastTheEndOfTheFileAreCopiedAsTheDumpShowsThem) {
  MainHarness h;
  Bytes bytes = Jv1Builder(1, 0x00).Build();
  bytes.resize(2560 - 128);  // the file ends halfway through sector 9
  h.OpenQuietly(h.Write("short.dsk", bytes));
  for (int i = 0; i < 9; ++i) h.form.CmndNextsec_Click();
  const std::string text = h.form.CopyText();
  EXPECT_NE(
      text.find("00000070  00 00 00 00 00 00 00 00  00 00 00 00 00 00 00 00  |................|\n"
                "00000080  -- -- -- -- -- -- -- --  -- -- -- -- -- -- -- --  |                |\n"),
      std::string::npos)
      << text;
}

TEST(MainDesktop, AChosenFileOpensAsFromTheDialog) {
  MainHarness menu, chosen;
  const Bytes bytes = Jv1Builder(35, 0x00).Build();
  menu.Open(menu.Write("a.dsk", bytes));
  const std::string path = chosen.Write("a.dsk", bytes);
  chosen.form.OpenChosen(path);
  EXPECT_EQ(chosen.form.TxtFilename.text, path);
  EXPECT_EQ(chosen.form.CMDialog1_Filename, path);
  EXPECT_EQ(chosen.form.Txtfiletype.text, "JV1");
  EXPECT_EQ(chosen.form.surface.Items(), menu.form.surface.Items());
  EXPECT_TRUE(chosen.dialogs.opens.empty());
  chosen.form.OpenChosen(path + ".missing");
  ASSERT_EQ(chosen.dialogs.messages.size(), 1u);
  EXPECT_EQ(chosen.dialogs.messages[0].text,
            "Error encountered while trying to open file, please retry.");
}

}  // namespace
}  // namespace m1::testing
