// The window's shell: start colours, the Open command and its failures, refused files, the window
// buttons and the ways the program ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/image_builder.h"
#include "tests/viewer/harness.h"

namespace m1::testing {
namespace {

const RecordedMessage kOpenFailure{"Text Editor",
                                   "Error encountered while trying to open file, please retry.",
                                   MsgIcon::Exclamation};

TEST(MainShell, BoxesStartWithTheirBackgrounds) {
  MainHarness h;
  const Mainform& f = h.form;
  struct Case {
    const char* name;
    const TextBox& box;
    Rgb bg;
  };
  const Rgb peach{255, 192, 128}, light{255, 224, 192}, lavender{192, 192, 255};
  const Case cases[] = {
      {"Txtfiletype", f.Txtfiletype, peach},
      {"TxtFilename", f.TxtFilename, peach},
      {"Text1", f.Text1, light},
      {"Text2", f.Text2, light},
      {"Text3", f.Text3, light},
      {"Text4", f.Text4, light},
      {"Text5", f.Text5, light},
      {"Txttrk", f.Txttrk, lavender},
      {"txtside", f.txtside, light},
      {"Txtsector", f.Txtsector, {192, 255, 192}},
      {"Txttrkspt", f.Txttrkspt, {192, 192, 0}},
      {"TxtDens", f.TxtDens, {192, 192, 0}},
      {"Txtsectype", f.Txtsectype, light},
      {"Txtdam", f.Txtdam, light},
      {"Txtsecnum", f.Txtsecnum, light},
      {"Txtlumpnum", f.Txtlumpnum, peach},
      {"Text6", f.Text6, {255, 192, 192}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.box.bg, c.bg) << c.name;
    EXPECT_EQ(c.box.text, "") << c.name;
    EXPECT_EQ(c.box.fg, (Rgb{0, 0, 0})) << c.name;
  }
  EXPECT_EQ(f.surface.Background(), (Rgb{192, 192, 192}));
  EXPECT_EQ(f.img.openflag, 0);
}

TEST(MainShell, OpenAsksWithTheFilterListAndDskFirst) {
  MainHarness h;
  h.Open(h.Write("blank.dsk", Jv1Builder(35).Build()));
  ASSERT_EQ(h.dialogs.opens.size(), 1u);
  EXPECT_EQ(h.dialogs.opens[0].filter,
            "All Files (*.*)|*.*|Dsk Files (*.dsk)|*.dsk|Dmk Files (*.dmk)|*.dmk|JV3 Files "
            "(*.jv3)| *.jv3");
  EXPECT_EQ(h.dialogs.opens[0].filterIndex, 2);
  const std::string path = (h.dir / "blank.dsk").string();
  EXPECT_EQ(h.form.img.Filename, path);
  EXPECT_EQ(h.form.TxtFilename.text, path);
  EXPECT_EQ(h.form.img.openflag, 1);
  EXPECT_FALSE(h.files.IsOpen());  // the analysis closed it after reading
  EXPECT_FALSE(h.form.Refused());
}

TEST(MainShell, CancelOnTheFirstOpenDoesNothing) {
  MainHarness h;
  h.Cancel();
  EXPECT_EQ(h.dialogs.opens.size(), 1u);
  EXPECT_TRUE(h.dialogs.messages.empty());
  EXPECT_EQ(h.form.img.openflag, 0);
  EXPECT_TRUE(h.form.surface.TakeLog().empty());
}

TEST(MainShell, CancelAfterAnOpenKeepsTheSectorOnDisplay) {
  MainHarness h;
  h.OpenQuietly(h.Write("blank.dsk", Jv1Builder(35).Build()));
  h.form.CmndNextsec_Click();
  h.form.surface.TakeLog();
  const std::string path = h.form.TxtFilename.text;
  h.Cancel();
  EXPECT_TRUE(h.dialogs.messages.empty());
  EXPECT_TRUE(h.form.surface.TakeLog().empty());
  EXPECT_EQ(h.form.img.PresSecnum, 1);
  EXPECT_EQ(h.form.TxtFilename.text, path);
  EXPECT_EQ(h.form.Combo1.items.size(), 35u);  // not analysed again
}

TEST(MainShell, OpenFailureShowsTheMessageAndChangesNothingShown) {
  MainHarness h;
  const std::string missing = (h.dir / "missing.dsk").string();
  h.Open(missing);
  EXPECT_EQ(h.dialogs.TakeMessages(), std::vector<RecordedMessage>{kOpenFailure});
  EXPECT_EQ(h.form.img.openflag, 0);
  EXPECT_EQ(h.form.TxtFilename.text, "");
  EXPECT_EQ(h.form.img.Filename, missing);
  EXPECT_FALSE(h.files.IsOpen());
  EXPECT_TRUE(h.form.surface.TakeLog().empty());
}

TEST(MainShell, OpenFailureAfterAnOpenKeepsTheOldFileOnShow) {
  MainHarness h;
  const std::string good = h.Write("blank.dsk", Jv1Builder(35).Build());
  h.OpenQuietly(good);
  h.form.CmndNextsec_Click();
  h.form.surface.TakeLog();
  h.Open((h.dir / "missing.dsk").string());
  EXPECT_EQ(h.dialogs.TakeMessages(), std::vector<RecordedMessage>{kOpenFailure});
  EXPECT_EQ(h.form.TxtFilename.text, good);
  EXPECT_EQ(h.form.img.PresSecnum, 1);
  // The old image's bytes are let go only once a new file is read.
  EXPECT_EQ(h.form.img.fileend, 35 * 10 * 256);
  EXPECT_EQ(h.form.img.filebuf.size(), 35u * 10 * 256 + 1);
  EXPECT_TRUE(h.form.surface.TakeLog().empty());
  // The failed path is what the window buttons would hand on.
  h.form.Cmndsecdisp_Click();
  EXPECT_EQ(h.module.SharedFilename, (h.dir / "missing.dsk").string());
}

TEST(MainShell, RefusedFilesShowTheirMessages) {
  DmkBuilder real(1, 6400);
  real.AddTrack({DmkSector::Dd(0, 0, 0)});
  real.SetHeaderByte(12, 0x78).SetHeaderByte(13, 0x56).SetHeaderByte(14, 0x34).SetHeaderByte(15,
                                                                                             0x12);
  std::vector<std::uint8_t> noHeader(4096, 0);
  noHeader[0] = 0x01;
  noHeader[3] = 0x02;  // the first two sector headers name different tracks

  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"short.dsk", std::vector<std::uint8_t>(15, 0),
       "** ERROR **\r This file is too short to be a disk image"},
      {"real.dmk", real.Build(),
       "** ERROR **  This file is a DMK type REAL disk format,\r                     used to "
       "access REAL Disks"},
      {"plain.bin", noHeader,
       "** ERROR **\r This file does not have an EMULATOR Disk format HEADER\r    It may be a Disk "
       "file "
       "for use with a dedicated program"},
  };
  for (const Case& c : cases) {
    MainHarness h;
    h.Open(h.Write(c.name, c.bytes));
    EXPECT_EQ(h.dialogs.TakeMessages(),
              (std::vector<RecordedMessage>{{"Error", c.text, MsgIcon::None}}))
        << c.name;
    EXPECT_EQ(h.form.img.openflag, 1) << c.name;
    EXPECT_TRUE(h.form.Refused()) << c.name;
    // The surface was cleared and nothing was drawn after it.
    const std::vector<DrawOp> log = h.form.surface.TakeLog();
    ASSERT_EQ(log.size(), 1u) << c.name;
    EXPECT_EQ(log[0].kind, DrawOp::Kind::Clear);
  }
}

TEST(MainShell, NothingIsDrawnAfterARefusedFileUntilAGoodOne) {
  MainHarness h;
  const std::string good = h.Write("blank.dsk", Jv1Builder(35).Build());
  h.OpenQuietly(good);
  h.OpenQuietly(h.Write("short.dsk", std::vector<std::uint8_t>(10, 0)));
  Mainform& f = h.form;
  f.Form_Activate();
  f.Form_Resize();
  f.CmndPrevsec_Click();
  f.CmndNextsec_Click();
  f.CmndNexTrack_Click();
  f.CmndPrevTrk_Click();
  f.Combo1_Change("0");
  f.CmndGotoTrk_Click();
  EXPECT_TRUE(f.surface.TakeLog().empty());
  h.Open(good);
  EXPECT_FALSE(f.Refused());
  EXPECT_EQ(f.Txtsecnum.text, "0");
  EXPECT_FALSE(f.surface.TakeLog().empty());
  f.Form_Activate();
  EXPECT_FALSE(f.surface.TakeLog().empty());
}

TEST(MainShell, ActivationAndResizeRedrawTheSectorOnDisplay) {
  MainHarness h;
  h.OpenQuietly(h.Write("blank.dsk", Jv1Builder(35).Build()));
  h.form.CmndNextsec_Click();
  h.form.surface.TakeLog();
  h.form.Form_Activate();
  std::vector<DrawOp> log = h.form.surface.TakeLog();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front().kind, DrawOp::Kind::Fill);  // only the dump area is cleared
  EXPECT_EQ(h.form.Txtsecnum.text, "1");
  h.form.Form_Resize();
  EXPECT_FALSE(h.form.surface.TakeLog().empty());
}

TEST(MainShell, WindowButtonsHandOnTheFileName) {
  MainHarness h;
  h.form.Cmndhexedit_Click();  // nothing open yet: an empty name
  EXPECT_EQ(h.module.SharedFilename, "");
  h.OpenQuietly(h.Write("blank.dsk", Jv1Builder(35).Build()));
  h.form.Cmndsecdisp_Click();
  EXPECT_EQ(h.module.SharedFilename, (h.dir / "blank.dsk").string());
  h.form.Cmndsecdisp_Click();
  h.form.Cmndhexedit_Click();
  EXPECT_EQ(h.host.shown,
            (std::vector<FormId>{FormId::Hex, FormId::Map, FormId::Map, FormId::Hex}));
  EXPECT_FALSE(h.host.ended);
}

TEST(MainShell, ExitOrClosingByUserOrTaskManagerEndsTheProgram) {
  MainHarness menu;
  menu.form.mnuFileItem_Click(3);
  menu.form.Help_Click();
  EXPECT_FALSE(menu.host.ended);
  EXPECT_TRUE(menu.dialogs.opens.empty());
  menu.form.mnuFileItem_Click(4);
  EXPECT_TRUE(menu.host.ended);
  const bool ends[5] = {true, false, false, true, false};
  for (int mode = 0; mode < 5; ++mode) {
    MainHarness h;
    int cancel = 0;
    h.form.Form_QueryUnload(cancel, mode);
    EXPECT_EQ(h.host.ended, ends[mode]) << mode;
    EXPECT_EQ(cancel, 0) << mode;
  }
}

}  // namespace
}  // namespace m1::testing
