// The picture of the Disk map: every sector record of the physical listing as a cell where it lies
// on its track, either in a grid (a row for each cylinder, a column for each side) or on platters
// (each track a ring, cylinder 0 outermost, side 0 and side 1 side by side), coloured by its owner,
// its health or its density, with a legend of the colours shown. Places are in twips of the
// picture, angles in degrees; the Qt form paints what is here and decides nothing.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/disk_facts.h"
#include "platform/surface.h"

namespace m1 {

// Where a record lies along its track, as parts of one revolution from the index hole (0 to 1):
// from its ID field to the end of its data field.
struct TrackSpan {
  double start = 0;
  double end = 0;
};

// The span of every record of the listing, in its order. A DMK track image holds the track as it
// was read, gaps and all, so a record lies where its ID address mark does among the recorded bytes
// after the pointer table, and ends with the CRC of its data field, or where the next ID field
// starts when that comes first (a squeezed sector). JV1 and JV3 keep no gaps: record k of the n on
// a track spans k/n to (k + 1)/n, in file order.
std::vector<TrackSpan> TrackSpans(const DiskFacts& facts);

// A file's own colour: the hues of the files spread round the colour wheel by the golden angle, so
// that neighbours in the directory never look alike, light enough for its record numbers to read.
Rgb FileColour(int file);

enum class MapView { Grid, Platters };
enum class MapColouring { Owner, Health, Density };

// A ring sector of a platter: centre, radii, and the angles in degrees, counter-clockwise from
// three o'clock (y up); the span is negative, for the disk turns the sectors past the head
// clockwise as seen from above.
struct MapArc {
  Twips cx = 0;
  Twips cy = 0;
  Twips inner = 0;
  Twips outer = 0;
  double startAngle = 0;
  double spanAngle = 0;
};

struct MapCell {
  std::size_t record = 0;  // in the listing
  int cylinder = 0;
  int head = 0;
  TrackSpan span;
  int key = 0;     // its class in the colouring (owner, health or density), in the legend's order
  int order = -1;  // the record of the lit file it holds (1-based), 0 past the file's end; -1
                   // when it is not the lit file's
  // Where it is drawn: the grid's rectangle, or (platters) the arc and the square round its ring.
  TwipsRect box;
  MapArc arc;
  Rgb fill;
  std::string text;  // the record number of a lit file's cell, where it fits
  Rgb textColour;
};

// One track: its cells in the order they pass the head.
struct MapRow {
  int cylinder = 0;
  int head = 0;
  std::vector<std::size_t> cells;
};

// A heading or a cylinder number.
struct MapText {
  Twips x = 0;  // the top left of the text
  Twips y = 0;
  Rgb colour;
  std::string text;
};

struct LegendEntry {
  Rgb colour;
  std::string text;  // "BASIC/CMD: 18"
  TwipsRect swatch;
  MapText label;
};

class DiskMap {
 public:
  // metrics measure the texts of the picture; they outlive the map.
  explicit DiskMap(const TextMetrics& metrics) : metrics_(metrics) {}

  // Takes up the records of an image (no cells without a listing); nothing lit.
  void Load(const DiskFacts& facts);
  void SetView(MapView v);
  // The legend holds the entries that colour some cell.
  void SetColouring(MapColouring by);
  // Lights the cells of file `file` of the file system in its record order and dims the rest;
  // -1 lights none.
  void SetLit(int file);
  // The picture's size in twips.
  void SetSize(Twips w, Twips h);

  // The cell drawn at (x, y) twips of the picture; nothing between cells.
  std::optional<std::size_t> CellAt(Twips x, Twips y) const;
  // The file that owns a record, or -1.
  int FileOf(std::size_t record) const;
  const std::vector<SectorRecord>& Records() const { return records_; }

  MapView view = MapView::Grid;
  MapColouring colouring = MapColouring::Owner;
  int lit = -1;
  Twips width = 0;
  Twips height = 0;
  int cylinders = 0;
  int sides = 0;
  std::vector<MapCell> cells;  // one per record, in the listing's order
  std::vector<MapRow> rows;    // (cylinder x sides + head)
  std::vector<MapText> texts;
  std::vector<LegendEntry> legend;

 private:
  // Everything drawn, from the records and the choices above.
  void Rebuild();
  void ColourCells();
  // Where the legend starts: the picture's right edge less its columns.
  Twips LayoutLegend();
  void LayoutGrid(Twips right);
  void LayoutPlatters(Twips right);
  void Fill();

  const TextMetrics& metrics_;
  struct Key {
    Rgb colour;
    std::string name;
    int cells = 0;
  };
  std::vector<Key> keys_;
  std::vector<SectorOwner> owners_;     // one per record; empty without a file system
  std::vector<std::string> fileNames_;  // of the file system's files
  std::vector<SectorRecord> records_;
  // The grid: the top of its rows, their height, the left of each side's column and its width.
  double top_ = 0;
  double rowHeight_ = 0;
  double columnWidth_ = 0;
  std::vector<double> columnLeft_;
  // The platters: each side's centre, the radius of cylinder 0's outer edge and of the hub, the
  // width of a ring.
  std::vector<std::pair<double, double>> centres_;
  double radius_ = 0;
  double hub_ = 0;
  double ringWidth_ = 0;
};

}  // namespace m1
