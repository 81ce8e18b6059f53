// The window around the page: loading, the File menu, the scroll bar and closing.
#include <algorithm>

#include "hex_fixture.h"

namespace m1::testing {
namespace {

const char* const kFilter = "All Files (*.*)|*.*|Dsk Files (*.dsk)|*.dsk|Dmk Files (*.dmk)|*.dmk";
const RecordedMessage kOpenError{"Text Editor",
                                 "Error encountered while trying to open file, please retry.",
                                 MsgIcon::Exclamation};

Bytes Letters(std::size_t n) {
  return Bytes(n, 'A');
}

TEST(HexWindow, BoxesStartWithTheirColours) {
  HexWindow h;
  EXPECT_EQ(h.w.TxtFilename.bg, (Rgb{255, 192, 128}));
  EXPECT_EQ(h.w.Text1.bg, (Rgb{255, 192, 192}));
  EXPECT_EQ(h.w.Text8.bg, (Rgb{255, 192, 192}));
  for (const TextBox* box :
       {&h.w.Text2, &h.w.Text3, &h.w.Text4, &h.w.Text5, &h.w.Text6, &h.w.Text7}) {
    EXPECT_EQ(box->bg, kWindowBackground);
    EXPECT_EQ(box->text, "");
  }
  EXPECT_EQ(h.w.surface.Background(), kWindowBackground);
  EXPECT_EQ(h.w.VScroll1.smallChange, 1);
  EXPECT_EQ(h.w.VScroll1.largeChange, 28);
}

TEST(HexWindow, NothingIsDrawnBeforeAFileIsLoaded) {
  HexWindow h;
  h.w.Form_Load();
  h.w.Form_Activate();  // no shared file
  h.w.Form_Resize();
  h.w.VScroll1_Change(5);
  h.w.mnuFileItem_Click(1);  // Cancel
  EXPECT_TRUE(h.w.surface.TakeLog().empty());
  EXPECT_EQ(h.w.openflag, 0);
  EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST(HexWindow, OpenUsesItsFilterAndLoadsTheFile) {
  HexWindow h;
  const auto path = h.dir.Write("a.dsk", Letters(1000));
  h.Open(path);
  ASSERT_EQ(h.dialogs.opens.size(), 1u);
  EXPECT_EQ(h.dialogs.opens[0].filter, kFilter);
  EXPECT_EQ(h.dialogs.opens[0].filterIndex, 2);
  EXPECT_EQ(h.w.TxtFilename.text, path);
  EXPECT_EQ(h.w.fileend, 1000);
  EXPECT_EQ(h.w.filebuf.size(), 2001u);
  EXPECT_EQ(h.w.Text1.text, "3E8");
  EXPECT_EQ(h.w.VScroll1.max, 46);
  EXPECT_EQ(h.w.fpa, 448);
  EXPECT_FALSE(h.files.IsOpen());  // the menu path closes the file
  EXPECT_TRUE(h.dialogs.messages.empty());
}

TEST(HexWindow, CancelDoesNothing) {
  HexWindow h;
  const auto path = h.dir.Write("a.dsk", Letters(1000));
  h.Open(path);
  h.w.VScroll1_Change(3);
  h.w.surface.TakeLog();
  h.w.mnuFileItem_Click(1);  // the script is empty: Cancel
  EXPECT_TRUE(h.dialogs.messages.empty());
  EXPECT_TRUE(h.w.surface.TakeLog().empty());
  EXPECT_EQ(h.w.Filename, path);
  EXPECT_EQ(h.w.VScroll1.value, 3);
  EXPECT_EQ(h.w.fpasave2, 48);
}

TEST(HexWindow, FailedOpenKeepsThePreviousFileOnShow) {
  HexWindow h;
  const auto path = h.dir.Write("a.dsk", Letters(1000));
  h.Open(path);
  h.w.surface.TakeLog();
  const auto missing = h.dir.PathOf("missing.dsk");
  h.Open(missing);
  EXPECT_EQ(h.dialogs.TakeMessages(), std::vector<RecordedMessage>{kOpenError});
  EXPECT_EQ(h.w.Filename, missing);
  EXPECT_EQ(h.w.TxtFilename.text, path);
  EXPECT_EQ(h.w.fileend, 1000);
  EXPECT_TRUE(h.w.surface.TakeLog().empty());
  h.w.VScroll1_Change(2);  // still pages through the old file
  EXPECT_EQ(h.w.fpasave2, 32);
}

TEST(HexWindow, ScrollPastTheLastPageIsPulledBack) {
  HexWindow h;
  h.Open(h.dir.Write("a.dsk", Letters(1000)));
  h.w.surface.TakeLog();
  h.w.VScroll1_Change(50);
  EXPECT_EQ(h.w.VScroll1.value, 46);
  EXPECT_EQ(h.w.stepval, 46);
  EXPECT_EQ(h.w.fpasave2, 736);
  EXPECT_EQ(h.Items()[0].text, " 00002E0  ");
  // Positions 1000 to 1183 are the zero tail.
  EXPECT_EQ(h.HexItem(736, 999).text, "41  ");
  EXPECT_EQ(h.HexItem(736, 1000).text, "00 ");
  const auto log = h.w.surface.TakeLog();
  EXPECT_EQ(std::count_if(log.begin(), log.end(),
                          [](const DrawOp& op) { return op.kind == DrawOp::Kind::Clear; }),
            1);
  h.w.VScroll1_Change(-3);  // a negative position goes to the first page
  EXPECT_EQ(h.w.VScroll1.value, 0);
  EXPECT_EQ(h.w.fpasave2, 0);
}

TEST(HexWindow, ShortFileHasOnlyTheFirstPage) {
  HexWindow h;
  h.Open(h.dir.Write("a.dsk", Letters(200)));
  EXPECT_EQ(h.HexItem(0, 199).text, "41  ");  // the eighth byte of its line
  EXPECT_EQ(h.HexItem(0, 200).text, "00 ");
  EXPECT_EQ(h.CharItem(0, 200).text, ".");
  EXPECT_EQ(h.w.VScroll1.max, 0);
  h.w.surface.TakeLog();
  h.w.VScroll1_Change(3);
  EXPECT_TRUE(h.w.surface.TakeLog().empty());
  EXPECT_EQ(h.w.stepval, 3);
}

TEST(HexWindow, ScrollReachesTheLastByteOfAMegabyteImage) {
  HexWindow h;
  Bytes b(1024 * 1024, 0);
  b.back() = 0x5A;
  h.Open(h.dir.Write("big.dmk", b));
  EXPECT_EQ(h.w.VScroll1.max, 65520);  // past the 16-bit position limit
  h.w.VScroll1_Change(65520);
  EXPECT_EQ(h.w.fpasave2, 1048320);
  EXPECT_EQ(h.Items()[0].text, " 00FFF00  ");
  EXPECT_EQ(h.HexItem(1048320, 1048575).text, "5A  ");
}

TEST(HexWindow, ResizeRedrawsThePageShownLast) {
  HexWindow h;
  h.Open(h.dir.Write("a.dsk", Letters(1000)));
  h.w.VScroll1_Change(2);
  h.w.surface.TakeLog();
  h.w.Form_Resize();
  EXPECT_EQ(h.Items()[0].text, " 0000020  ");
  EXPECT_FALSE(h.w.surface.TakeLog().empty());
}

TEST(HexWindow, MenuLoadWithTheScrollBarDownDrawsTheFirstPageTwice) {
  HexWindow h;
  h.Open(h.dir.Write("a.dsk", Letters(1000)));
  h.w.VScroll1_Change(10);
  h.w.surface.TakeLog();
  h.Open(h.dir.Write("b.dsk", Letters(600)));
  EXPECT_EQ(h.w.VScroll1.value, 0);
  EXPECT_EQ(h.w.VScroll1.max, 21);
  const auto log = h.w.surface.TakeLog();
  EXPECT_EQ(std::count_if(log.begin(), log.end(),
                          [](const DrawOp& op) { return op.kind == DrawOp::Kind::Clear; }),
            2);
  EXPECT_EQ(h.Items()[0].text, " 0000000  ");
}

TEST(HexWindow, FirstActivationTakesUpTheSharedFileOnlyOnce) {
  HexWindow h;
  const auto first = h.dir.Write("a.dsk", Letters(1000));
  h.module.SharedFilename = first;
  h.w.Form_Load();
  h.w.Form_Activate();
  EXPECT_EQ(h.w.TxtFilename.text, first);
  EXPECT_TRUE(h.files.IsOpen());  // the hand-over leaves the file open
  EXPECT_TRUE(h.dialogs.opens.empty());

  h.module.SharedFilename = h.dir.Write("b.dsk", Letters(600));
  h.w.Form_Deactivate();
  h.w.Form_Activate();
  EXPECT_EQ(h.w.TxtFilename.text, first);
  EXPECT_EQ(h.w.fileend, 1000);
}

TEST(HexWindow, FailedActivationIsNotRetriedWhenItsMessageBoxCloses) {
  HexWindow h;
  h.module.SharedFilename = h.dir.PathOf("gone.dsk");
  h.w.Form_Activate();
  EXPECT_EQ(h.dialogs.TakeMessages(), std::vector<RecordedMessage>{kOpenError});
  EXPECT_EQ(h.w.openflag, 0);
  h.w.Form_Activate();  // the window comes back as the box closes
  EXPECT_TRUE(h.dialogs.messages.empty());

  // The user goes to another window and comes back: the shared path is tried again.
  h.dir.Write("gone.dsk", Letters(300));
  h.w.Form_Deactivate();
  h.w.Form_Activate();
  EXPECT_TRUE(h.dialogs.messages.empty());
  EXPECT_EQ(h.w.openflag, 1);
  EXPECT_EQ(h.w.fileend, 300);
}

TEST(HexWindow, ExitAndClosingEndTheProgram) {
  struct Row {
    int unloadMode;
    bool ends;
  };
  for (const Row r : {Row{0, true}, Row{1, false}, Row{2, false}, Row{3, true}, Row{4, false}}) {
    HexWindow h;
    int cancel = 0;
    h.w.Form_QueryUnload(cancel, r.unloadMode);
    EXPECT_EQ(h.host.ended, r.ends) << "mode " << r.unloadMode;
    EXPECT_EQ(cancel, 0);
  }
  HexWindow h;
  h.w.mnuFileItem_Click(3);
  EXPECT_FALSE(h.host.ended);
  h.w.mnuFileItem_Click(4);
  EXPECT_TRUE(h.host.ended);
}

}  // namespace
}  // namespace m1::testing
