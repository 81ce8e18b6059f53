// The Qt platform pieces on their own: activation changes, message texts, filter lists, the
// window font, the surface widget and the message box.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/qt/activation.h"
#include "platform/qt/form_window.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_metrics.h"
#include "platform/qt/status_line.h"
#include "platform/qt/surface_widget.h"

namespace m1::qt {
namespace {

TEST(ActivationTracker, OnlyAChangeOfTheProgramsActiveWindowIsAnActivation) {
  ActivationTracker tracker;
  // Stand-ins for three forms; only their addresses matter.
  // Two addresses standing for two forms; the tracker never looks behind them.
  char a = 0, b = 0;
  auto* first = static_cast<FormWindow*>(static_cast<void*>(&a));
  auto* second = static_cast<FormWindow*>(static_cast<void*>(&b));
  struct Step {
    FormWindow* window;
    bool changed;
    FormWindow* left;
  };
  const Step steps[] = {
      {first, true, nullptr},   // first showing
      {first, false, nullptr},  // back from its own message box, or from another program
      {second, true, first},    // another window of the program
      {second, false, nullptr}, {first, true, second},
  };
  for (const Step& s : steps) {
    const auto change = tracker.Enter(s.window);
    EXPECT_EQ(change.changed, s.changed);
    EXPECT_EQ(change.left, s.left);
  }
  tracker.Forget(first);
  EXPECT_EQ(tracker.Active(), nullptr);
  EXPECT_TRUE(tracker.Enter(first).changed);
}

TEST(QtDialogsText, CarriageReturnsBecomeLineBreaks) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"** ERROR **\r This file", "** ERROR **\n This file"},
      {"a\r\nb", "a\nb"},
      {"one line", "one line"},
      {"\r\r", "\n\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(MessageText(c.in), QString::fromLatin1(c.out)) << c.in;
}

TEST(QtDialogsText, FilterListsBecomeQtFilters) {
  EXPECT_EQ(QtFilters("All Files (*.*)|*.*|Dsk Files (*.dsk)|*.dsk|Dmk Files (*.dmk)|*.dmk|"
                      "JV3 Files (*.jv3)| *.jv3"),
            (QStringList{"All Files (*)", "Dsk Files (*.dsk)", "Dmk Files (*.dmk)",
                         "JV3 Files (*.jv3)"}));
  EXPECT_EQ(QtFilters("Images|*.dsk;*.dmk"), (QStringList{"Images (*.dsk *.dmk)"}));
  EXPECT_EQ(QtFilters("Odd|"), (QStringList{"Odd (*)"}));
  EXPECT_EQ(QtFilters("No pattern"), QStringList{});
}

TEST(WindowFont, IsAFixedPitchBoldCourierOfEightAndAQuarterPoints) {
  const QFont font = WindowFont();
  EXPECT_DOUBLE_EQ(font.pointSizeF(), 8.25);
  EXPECT_EQ(font.weight(), QFont::Bold);
  const QFontInfo info(font);
  EXPECT_TRUE(info.family() == "Courier New" || info.family() == "Liberation Mono")
      << info.family().toStdString();
  EXPECT_TRUE(info.fixedPitch());
}

TEST(QtMetrics, MeasuresInTwipsAtFifteenAPixel) {
  const QtMetrics metrics;
  const Twips one = metrics.TextWidth("M");
  // 8.25 point is 11 pixels at 96 dots an inch; a Courier character is 0.6 of that.
  EXPECT_GE(one, 95);
  EXPECT_LE(one, 110);
  EXPECT_NEAR(metrics.TextWidth("0123456789"), 10 * one, 10);
  EXPECT_EQ(metrics.TextWidth(""), 0);
  EXPECT_GE(metrics.TextHeight("sample"), 165);
  EXPECT_LE(metrics.TextHeight("sample"), 210);
  EXPECT_EQ(metrics.TextHeight("sample"), metrics.TextHeight("X"));
  EXPECT_EQ(metrics.TextHeight("sample") % 15, 0) << "a line is whole pixels high";
}

TEST(WrapCaption, BreaksOnlyCaptionsTooWideForTheirButton) {
  const QFontMetricsF metrics(WindowFont());
  const double ch = metrics.horizontalAdvance(QStringLiteral("M"));
  const struct {
    const char* caption;
    double widthInChars;
    const char* out;
  } cases[] = {
      {"Next Sec", 10, "Next Sec"},
      {"Sector Display", 10, "Sector\nDisplay"},
      {" To Directory", 10, "To\nDirectory"},
      {"File Display Mode", 12, "File Display\nMode"},
      {"Previous", 3, "Previous"},  // one word stays whole
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WrapCaption(QString::fromLatin1(c.caption), metrics, c.widthInChars * ch + 0.5),
              QString::fromLatin1(c.out))
        << c.caption;
  }
}

TEST(FitStatus, ShortensTheHealthAndKeepsThePlaceAndTheOwner) {
  const QFontMetrics metrics(WindowFont());  // fixed pitch: every character as wide as "M"
  const int ch = metrics.horizontalAdvance(QStringLiteral("M"));
  const QString lead = QStringLiteral("track 1 side 0 sector 1: ");
  const QString body = QStringLiteral("ID CRC ok, data CRC bad (written 4E4E, computed A789)");
  const QString trail = QStringLiteral("; SYS0/SYS, record 3 of 18");
  // 25 + 52 + 26 characters fit in 103.
  EXPECT_EQ(FitStatus(lead, body, trail, metrics, 103 * ch), lead + body + trail);
  const QString shortened = FitStatus(lead, body, trail, metrics, 70 * ch);
  EXPECT_TRUE(shortened.startsWith(lead + QStringLiteral("ID CRC ok"))) << shortened.toStdString();
  EXPECT_TRUE(shortened.endsWith(QChar(0x2026) + trail)) << shortened.toStdString();
  // Too narrow for the place and the owner: the line is cut at its end.
  const QString cut = FitStatus(lead, body, trail, metrics, 40 * ch);
  EXPECT_TRUE(cut.startsWith(QStringLiteral("track 1 side 0"))) << cut.toStdString();
  EXPECT_TRUE(cut.endsWith(QChar(0x2026))) << cut.toStdString();
}

class SurfaceWidgetTest : public ::testing::Test {
 protected:
  QtMetrics metrics;
  Surface surface{metrics, Rgb{192, 192, 192}};
};

TEST_F(SurfaceWidgetTest, PaintsFillsAndTextsFromTheRetainedItems) {
  SurfaceWidget widget(surface, WindowFont());
  widget.resize(200, 100);
  // A red box from (150, 150) to (1499, 749) twips: pixels 10..99 by 10..49.
  surface.Fill(150, 150, 1499, 749, Rgb{255, 0, 0});
  surface.SetForeColor(Rgb{0, 0, 255});
  surface.SetPos(1800, 150);
  surface.Print("WWWW", true);
  const QImage first = widget.grab().toImage();
  EXPECT_EQ(first.pixelColor(10, 10), QColor(255, 0, 0));
  EXPECT_EQ(first.pixelColor(99, 49), QColor(255, 0, 0));
  EXPECT_EQ(first.pixelColor(100, 50), QColor(192, 192, 192));
  EXPECT_EQ(first.pixelColor(5, 5), QColor(192, 192, 192));
  bool blue = false;
  for (int y = 10; y < 25 && !blue; ++y) {
    for (int x = 120; x < 150 && !blue; ++x)
      blue = first.pixelColor(x, y).blue() > 150 && first.pixelColor(x, y).red() < 100;
  }
  EXPECT_TRUE(blue) << "the text is painted below its pen position";
  // Painting again (as after the window was covered) gives the same picture.
  widget.hide();
  widget.show();
  EXPECT_EQ(widget.grab().toImage(), first);
}

TEST_F(SurfaceWidgetTest, ClearingLeavesOnlyTheBackground) {
  SurfaceWidget widget(surface, WindowFont());
  widget.resize(50, 50);
  surface.Fill(0, 0, 750, 750, Rgb{0, 255, 0});
  surface.Cls();
  const QImage image = widget.grab().toImage();
  EXPECT_EQ(image.pixelColor(20, 20), QColor(192, 192, 192));
}

TEST_F(SurfaceWidgetTest, ADrawingSchedulesARepaint) {
  SurfaceWidget widget(surface, WindowFont());
  widget.resize(50, 50);
  widget.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
  surface.Fill(0, 0, 750, 750, Rgb{0, 255, 0});
  EXPECT_TRUE(widget.updatesEnabled());
  EXPECT_EQ(widget.grab().toImage().pixelColor(25, 25), QColor(0, 255, 0));
}

TEST(QtDialogsBox, ShowsOneOkButtonWithTitleIconAndLines) {
  QtDialogs dialogs;
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::Information;
  int buttons = 0;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    buttons = static_cast<int>(box->buttons().size());
    box->button(QMessageBox::Ok)->click();
  });
  dialogs.MsgBox("Error encountered\rplease retry.", "Text Editor", MsgIcon::Exclamation);
  EXPECT_EQ(title, "Text Editor");
  EXPECT_EQ(text, "Error encountered\nplease retry.");
  EXPECT_EQ(icon, QMessageBox::Warning);
  EXPECT_EQ(buttons, 1);

  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    icon = box->icon();
    box->button(QMessageBox::Ok)->click();
  });
  dialogs.MsgBox("x", "Error", MsgIcon::None);
  EXPECT_EQ(icon, QMessageBox::NoIcon);
}

}  // namespace
}  // namespace m1::qt
