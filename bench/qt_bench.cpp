// m1view-bench-qt: what a step costs on screen. The window logic with the metrics of the real
// window font, and the surface widget painting the result into an offscreen image (QImage) with
// that font (Courier New 8.25 point bold, or Liberation Mono where fontconfig stands it in), for
// one main-window sector display and one hex page of the 1 MB DMK image.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <memory>
#include <string>

#include "bench/images.h"
#include "bench/report.h"
#include "core/disk_facts.h"
#include "diskmap/disk_map_form.h"
#include "diskmap/qt/map_picture.h"
#include "hexview/form2.h"
#include "platform/files.h"
#include "platform/qt/qt_convert.h"
#include "platform/qt/qt_metrics.h"
#include "platform/qt/surface_widget.h"
#include "platform/recording.h"
#include "viewer/mainform.h"

namespace m1::bench {
namespace {

// The recording platform over the machine's files, measuring with the Qt metrics of the window
// font (the first base, so that the metrics are there before the platform that refers to them).
struct WindowFontMetrics {
  qt::QtMetrics windowFont{qt::WindowFont()};
};
struct QtHarness : WindowFontMetrics, RecordingPlatform {
  QtHarness() : RecordingPlatform(windowFont) {}
};

// A window's logic with the widget that paints its surface into an image of the window's size.
struct Painted {
  std::unique_ptr<qt::SurfaceWidget> widget;
  QImage image;

  void Attach(Surface& surface, Twips width, Twips height) {
    surface.TakeLog();
    widget = std::make_unique<qt::SurfaceWidget>(surface, qt::WindowFont());
    widget->resize(qt::Px(width), qt::Px(height));
    image = QImage(widget->size(), QImage::Format_ARGB32_Premultiplied);
  }
  // Paints the widget's surface into the image: the widget's own paint event, as on screen.
  void Paint() {
    widget->render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
};

// The main window's logic on the 1 MB DMK, at the third directory sector (every entry coloured).
struct MainSetup : Painted {
  QtHarness h;
  Mainform main{h.platform};

  MainSetup() {
    main.Form_Load();
    h.dialogs.answers.push_back(Images().Get(Kind::Dmk).path.string());
    main.mnuFileItem_Click(1);
    if (main.img.dirstartsecfnd == 1) main.img.PresSecnum = main.img.dirstartsec + 2;
    Draw();
    Attach(main.surface, Mainform::kWidth, Mainform::kHeight);
  }
  void Draw() { main.GetDispSector(); }
  Surface& surface() { return main.surface; }
};

// The hex window's logic on the 1 MB DMK, scrolled to its last page.
struct HexSetup : Painted {
  QtHarness h;
  form2 hex{h.platform};
  int position = 0;

  HexSetup() {
    hex.Form_Load();
    h.module.SharedFilename = Images().Get(Kind::Dmk).path.string();
    hex.Form_Activate();
    position = hex.VScroll1.max;
    Draw();
    Attach(hex.surface, form2::kWidth, form2::kHeight);
  }
  void Draw() { hex.VScroll1_Change(position); }
  Surface& surface() { return hex.surface; }
};

// The logic of one drawing into the surface, with the window font's metrics.
template <class Setup>
void Logic(benchmark::State& state) {
  Setup s;
  for (auto _ : state) {
    s.Draw();
    benchmark::DoNotOptimize(s.surface().TakeLog());
  }
  state.counters["items"] = static_cast<double>(s.surface().Items().size());
}

// Painting what the logic drew.
template <class Setup>
void PaintOnly(benchmark::State& state) {
  Setup s;
  for (auto _ : state) s.Paint();
  state.counters["items"] = static_cast<double>(s.surface().Items().size());
}

// Both, as one step of the window.
template <class Setup>
void Step(benchmark::State& state) {
  Setup s;
  for (auto _ : state) {
    s.Draw();
    s.surface().TakeLog();
    s.Paint();
  }
}

// The Disk map of the 1 MB DMK (every record a cell) at 960 x 560 pixels, measured in the
// picture's font, with the facts as the main window hands them over.
struct NoViews final : DiskViews {
  bool ShowSector(std::int64_t) override { return true; }
  void ShowBytes(std::int64_t) override {}
};
struct DiskMapSetup {
  qt::QtMetrics metrics{qt::MapFont()};
  NoViews views;
  std::unique_ptr<const DiskFacts> facts =
      DiskFacts::Read(Images().Get(Kind::Dmk).bytes, {.indexReach = true});
  DiskMapForm form{views, metrics};

  explicit DiskMapSetup(MapView view) {
    form.Load(*facts, Images().Get(Kind::Dmk).path.string());
    form.Picture_Resize(960 * qt::kTwipsPerPixel, 560 * qt::kTwipsPerPixel);
    form.View_Change(static_cast<int>(view));
  }
  // The middle of a cell, in twips.
  std::pair<Twips, Twips> Middle(std::size_t cell) const {
    const TwipsRect& b = form.map.cells.at(cell).box;
    return {b.left + b.width / 2, b.top + b.height / 2};
  }
};

// The whole map painted into a new image, as the window does after any change of the picture.
void DiskMapPaint(benchmark::State& state, MapView view) {
  DiskMapSetup s(view);
  for (auto _ : state) {
    const QImage image = qt::RenderMap(s.form.map, 1.0);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["cells"] = static_cast<double>(s.form.map.cells.size());
}

// The mouse from one cell to another: the cell found and its status line, then (repaint) the
// widget painting the kept picture and the outline.
void DiskMapHover(benchmark::State& state, bool repaint) {
  DiskMapSetup s(MapView::Grid);
  qt::MapPicture picture(s.form, nullptr);
  picture.resize(960, 560);
  QImage image(picture.size(), QImage::Format_ARGB32_Premultiplied);
  picture.render(&image);
  const std::pair<Twips, Twips> points[] = {s.Middle(100), s.Middle(2000)};
  std::size_t k = 0;
  for (auto _ : state) {
    const auto [x, y] = points[k++ % 2];
    if (!s.form.Picture_MouseMove(x, y)) state.SkipWithError("the cell did not change");
    benchmark::DoNotOptimize(s.form.status.data());
    if (repaint) picture.render(&image);
  }
}

}  // namespace
}  // namespace m1::bench

int main(int argc, char** argv) {
  // Offscreen unless the caller chose a platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QApplication app(qtArgc, argv);
  const QFontInfo font(m1::qt::WindowFont());
  std::printf("window font: %s %.2f pt, weight %d\n", font.family().toStdString().c_str(),
              font.pointSizeF(), font.weight());

  using namespace m1::bench;
  benchmark::RegisterBenchmark("Qt/GetDispSector/logic", Logic<MainSetup>);
  benchmark::RegisterBenchmark("Qt/GetDispSector/paint", PaintOnly<MainSetup>);
  benchmark::RegisterBenchmark("Qt/GetDispSector/step", Step<MainSetup>);
  benchmark::RegisterBenchmark("Qt/ShowHexPage/logic", Logic<HexSetup>);
  benchmark::RegisterBenchmark("Qt/ShowHexPage/paint", PaintOnly<HexSetup>);
  benchmark::RegisterBenchmark("Qt/ShowHexPage/step", Step<HexSetup>);
  benchmark::RegisterBenchmark("Qt/DiskMap/paint/grid", DiskMapPaint, m1::MapView::Grid);
  benchmark::RegisterBenchmark("Qt/DiskMap/paint/platters", DiskMapPaint, m1::MapView::Platters);
  benchmark::RegisterBenchmark("Qt/DiskMap/hover/logic", DiskMapHover, false);
  benchmark::RegisterBenchmark("Qt/DiskMap/hover/step", DiskMapHover, true);
  const std::vector<Row> rows = {
      {"sector display, logic with the window font's metrics", "Qt/GetDispSector/logic", "", 50},
      {"sector display painted into a QImage", "Qt/GetDispSector/paint", "", 2000},
      {"sector display, logic + paint", "Qt/GetDispSector/step", "", 0},
      {"hex page (end of 1 MB DMK), logic with the window font's metrics", "Qt/ShowHexPage/logic",
       "", 50},
      {"hex page painted into a QImage", "Qt/ShowHexPage/paint", "", 2000},
      {"hex page, logic + paint", "Qt/ShowHexPage/step", "", 0},
      {"Disk map of the 1 MB DMK (2880 cells), grid painted into a QImage", "Qt/DiskMap/paint/grid",
       "", 8000},
      {"Disk map of the 1 MB DMK, platters painted into a QImage", "Qt/DiskMap/paint/platters", "",
       8000},
      {"Disk map hover: the cell under the mouse and its status line", "Qt/DiskMap/hover/logic", "",
       1000},
      {"Disk map hover with the repaint of the kept picture and the outline",
       "Qt/DiskMap/hover/step", "", 1000},
  };
  return RunAndReport(argc, argv, rows);
}
