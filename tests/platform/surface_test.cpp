#include "platform/surface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace m1 {
namespace {

std::vector<std::string> Texts(const Surface& s) {
  std::vector<std::string> out;
  for (const DrawOp& op : s.Items())
    out.push_back(op.kind == DrawOp::Kind::Fill ? "#fill" : op.text);
  return out;
}

TEST(Surface, PrintMovesThePenAfterTheTextOrToTheNextLine) {
  FixedMetrics metrics;
  Surface s(metrics, colour::kWhite);
  s.SetPos(540, 2490);
  s.Print("  00");
  EXPECT_EQ(s.CurrentX(), 540 + 4 * 105);
  EXPECT_EQ(s.CurrentY(), 2490);
  s.Print("AB", true);
  EXPECT_EQ(s.CurrentX(), 0);
  EXPECT_EQ(s.CurrentY(), 2490 + 195);
  s.Fill(750, 2490, 8800, 5600, colour::kButtonFace);
  EXPECT_EQ(s.CurrentX(), 8800);  // a drawn box leaves the pen at its second corner
  EXPECT_EQ(s.CurrentY(), 5600);
  s.Cls();
  EXPECT_EQ(s.CurrentX(), 0);
  EXPECT_EQ(s.CurrentY(), 0);
  EXPECT_TRUE(s.Items().empty());
}

TEST(Surface, AFillHidesWhatStartsInsideItAndARepeatGoesBackOnTop) {
  FixedMetrics metrics;
  Surface s(metrics, colour::kWhite);
  s.SetPos(540, 2490);
  s.Print("  00");  // reaches past 750, under the fill
  s.SetPos(1100, 2490);
  s.Print("FE");  // starts inside the fill
  s.SetPos(180, 1100);
  s.Print("banner");
  s.Fill(750, 2490, 8800, 5600, colour::kButtonFace);
  EXPECT_EQ(Texts(s), (std::vector<std::string>{"  00", "banner", "#fill"}));
  s.SetPos(540, 2490);
  s.Print("  00");
  EXPECT_EQ(Texts(s), (std::vector<std::string>{"banner", "#fill", "  00"}));
  // The same text in another colour is another item.
  s.SetForeColor(colour::kRed);
  s.SetPos(180, 1100);
  s.Print("banner");
  EXPECT_EQ(Texts(s), (std::vector<std::string>{"banner", "#fill", "  00", "banner"}));
}

TEST(Surface, RedrawingTheSamePageKeepsTheListAsSmallAsThePicture) {
  FixedMetrics metrics;
  Surface s(metrics, colour::kWhite);
  for (int round = 0; round < 500; ++round) {
    s.SetPos(180, 1100);
    s.Print("header");
    s.Fill(750, 2490, 8800, 5600, colour::kButtonFace);
    for (int row = 0; row < 16; ++row) {
      s.SetPos(540, 2490 + 195 * row);
      s.Print("  " + std::to_string(row));
      for (int c = 0; c < 16; ++c) {
        s.SetPos(1100 + 320 * c, 2490 + 195 * row);
        s.Print(std::to_string(round % 7));
      }
    }
  }
  EXPECT_EQ(s.Items().size(), 1u + 1u + 16u + 256u);
  EXPECT_EQ(s.Items().front().text, "header");
  EXPECT_EQ(s.Items()[1].kind, DrawOp::Kind::Fill);
}

TEST(Surface, TheLogHoldsEveryOperationSinceItWasTakenUnlessTurnedOff) {
  FixedMetrics metrics;
  Surface s(metrics, colour::kWhite);
  s.Print("a");
  s.Print("a");
  s.Fill(0, 0, 10, 10, colour::kBlack);
  s.Cls();
  const auto log = s.TakeLog();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].text, "a");
  EXPECT_EQ(log[1].x, 105);
  EXPECT_EQ(log[2].kind, DrawOp::Kind::Fill);
  EXPECT_EQ(log[3].kind, DrawOp::Kind::Clear);
  EXPECT_TRUE(s.TakeLog().empty());
  s.KeepLog(false);
  s.Print("b");
  EXPECT_TRUE(s.TakeLog().empty());
  EXPECT_EQ(Texts(s), (std::vector<std::string>{"b"}));
}

}  // namespace
}  // namespace m1
