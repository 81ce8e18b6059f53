#include "diskmap/disk_map.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/container/byte_reader.h"
#include "core/container/dmk_format.h"
#include "core/text/number_text.h"

namespace m1 {

namespace {

constexpr Twips kMargin = 120;      // round the picture: 8 pixels
constexpr Twips kGap = 240;         // between the sides, and between the map and its legend
constexpr Twips kTextGap = 90;      // between a swatch or a cylinder number and what follows it
constexpr Twips kCellGap = 15;      // between neighbouring cells wide or tall enough to spare it
constexpr double kMinSpan = 0.004;  // a revolution's part a cell keeps at least (25 DMK bytes)
constexpr double kHubPart = 0.25;   // the hub's radius, as a part of the platter's
constexpr double kDimmed = 0.8;     // how far an unlit cell fades into the background
constexpr double kDarkest = 0.55;   // how far a lit file's first record darkens to black

Rgb Mix(Rgb a, Rgb b, double part) {
  const auto one = [part](int x, int y) {
    return static_cast<int>(std::lround(x + (y - x) * part));
  };
  return {one(a.r, b.r), one(a.g, b.g), one(a.b, b.b)};
}

// White text on a dark fill, black on a light one (by the fill's luma).
Rgb TextOn(Rgb fill) {
  return 299 * fill.r + 587 * fill.g + 114 * fill.b < 140000 ? colour::kWhite : colour::kBlack;
}

// A DMK record's span in bytes of its recorded track (after the pointer table).
struct ByteSpan {
  double start = 0;
  double end = 0;
};

ByteSpan DmkBytes(const SectorRecord& r, std::int64_t imageStart, std::int64_t trackLength) {
  const std::int64_t recordedStart = imageStart + dmk::kPointerTableBytes;
  const std::int64_t id = r.idOffset.value_or(recordedStart);
  const int step = r.Step();
  // The data field ends with its two CRC bytes; a record without one ends with its ID field.
  std::int64_t end = r.dataOffset ? *r.dataOffset + std::int64_t{r.size + 2} * step
                                  : id + std::int64_t{dmk::kIdLogicalBytes} * step;
  end = std::min(end, imageStart + trackLength);
  return {static_cast<double>(id - recordedStart), static_cast<double>(end - recordedStart)};
}

// The owner kinds in the legend's order, with their colours and names; the files come after the
// directory.
struct KindKey {
  OwnerKind kind;
  Rgb colour;
  const char* name;
};
constexpr KindKey kKindsBeforeFiles[] = {
    {OwnerKind::Boot, colour::kMapBoot, "boot"},
    {OwnerKind::System, colour::kMapSystem, "system"},
    {OwnerKind::Gat, colour::kMapGat, "GAT"},
    {OwnerKind::Hit, colour::kMapHit, "HIT"},
    {OwnerKind::DirectorySlot, colour::kMapDirectory, "directory"}};
constexpr KindKey kKindsAfterFiles[] = {
    {OwnerKind::Free, colour::kMapFree, "free"},
    {OwnerKind::AllocatedNoFile, colour::kMapAllocatedNoFile, "allocated to no file"},
    {OwnerKind::Unknown, colour::kMapUnknown, "unknown"}};

// Health, worst first: a record takes the first that fits it. A field cut short says least of all
// about the rest of the record, so it comes first; an ID field without its mark counts as a bad ID.
enum Health {
  kCut,
  kBadId,
  kNoDataMark,
  kBadData,
  kDuplicate,
  kTrackDiffers,
  kNotIndexed,
  kGood,
  kHealths
};
constexpr Rgb kHealthColours[kHealths] = {
    colour::kMapCut,       colour::kMapBadIdCrc,     colour::kMapNoDataMark, colour::kMapBadDataCrc,
    colour::kMapDuplicate, colour::kMapTrackDiffers, colour::kMapNotIndexed, colour::kMapGood};
constexpr const char* kHealthNames[kHealths] = {"cut",
                                                "bad ID CRC",
                                                "no data mark",
                                                "bad data CRC",
                                                "duplicate",
                                                "recorded track differs",
                                                "out of the main window's reach",
                                                "good"};

Health HealthOf(const SectorRecord& r) {
  if (r.Has(kRemarkCutByTrack) || r.Has(kRemarkCutByFile)) return kCut;
  if ((r.idCrc && !r.idCrc->ok) || r.Has(kRemarkNoIdMark)) return kBadId;
  if (r.Has(kRemarkNoDataMark)) return kNoDataMark;
  if (r.dataCrc && !r.dataCrc->ok) return kBadData;
  if (r.Has(kRemarkDuplicate)) return kDuplicate;
  if (r.Has(kRemarkTrackDiffers)) return kTrackDiffers;
  if (r.Has(kRemarkNotIndexed)) return kNotIndexed;
  return kGood;
}

enum Density { kSingle, kSingleDoubled, kDouble, kDensities };
constexpr Rgb kDensityColours[kDensities] = {colour::kMapSingle, colour::kMapSingleDoubled,
                                             colour::kMapDouble};
constexpr const char* kDensityNames[kDensities] = {"single density", "single density, doubled",
                                                   "double density"};

Density DensityOf(const SectorRecord& r) {
  if (r.doubleDensity) return kDouble;
  return r.doubled ? kSingleDoubled : kSingle;
}

Twips Round(double v) {
  return static_cast<Twips>(std::lround(v));
}

}  // namespace

std::vector<TrackSpan> TrackSpans(const DiskFacts& facts) {
  const Listing& listing = facts.listing;
  std::vector<TrackSpan> spans(listing.records.size());
  std::int64_t trackLength = 0;
  if (listing.format == ImageFormat::Dmk) {
    trackLength = dmk::ReadHeader(ByteReader(facts.file)).trackLength;
  }
  const double recorded = static_cast<double>(trackLength - dmk::kPointerTableBytes);
  for (const std::vector<std::size_t>& track : listing.byTrack) {
    if (recorded <= 0) {
      for (std::size_t k = 0; k < track.size(); ++k) {
        const double n = static_cast<double>(track.size());
        spans[track[k]] = {static_cast<double>(k) / n, static_cast<double>(k + 1) / n};
      }
      continue;
    }
    // A DMK track: the records as they lie, each ending where the next begins at the latest.
    std::vector<std::pair<ByteSpan, std::size_t>> placed;
    for (const std::size_t i : track) {
      const SectorRecord& r = listing.records[i];
      placed.emplace_back(DmkBytes(r, dmk::kHeaderBytes + r.image * trackLength, trackLength), i);
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const auto& a, const auto& b) { return a.first.start < b.first.start; });
    for (std::size_t k = 0; k < placed.size(); ++k) {
      ByteSpan b = placed[k].first;
      if (k + 1 < placed.size()) b.end = std::min(b.end, placed[k + 1].first.start);
      const double start = std::clamp(b.start / recorded, 0.0, 1.0 - kMinSpan);
      const double end = std::clamp(b.end / recorded, start + kMinSpan, 1.0);
      spans[placed[k].second] = {start, end};
    }
  }
  return spans;
}

Rgb FileColour(int file) {
  constexpr double kGoldenAngle = 137.50776405;  // 360 x (2 - golden ratio), in degrees
  constexpr double kSaturation = 0.45;
  constexpr double kValue = 0.95;
  const double hue = std::fmod(file * kGoldenAngle, 360.0) / 60.0;
  const double chroma = kValue * kSaturation;
  const double x = chroma * (1 - std::abs(std::fmod(hue, 2.0) - 1));
  const double m = kValue - chroma;
  // In each sixth of the wheel one of red, green and blue takes the chroma and another x.
  constexpr int kChromaIn[6] = {0, 1, 1, 2, 2, 0};
  constexpr int kXIn[6] = {1, 0, 2, 1, 0, 2};
  const int whole = static_cast<int>(hue);
  const int sixth = whole >= 0 && whole < 5 ? whole : 5;
  double rgb[3] = {0, 0, 0};
  rgb[kChromaIn[sixth]] = chroma;
  rgb[kXIn[sixth]] = x;
  const auto byte = [m](double v) { return static_cast<int>(std::lround((v + m) * 255)); };
  return {byte(rgb[0]), byte(rgb[1]), byte(rgb[2])};
}

void DiskMap::Load(const DiskFacts& facts) {
  records_ = facts.listing.records;
  owners_ = facts.fs ? facts.fs->owners : std::vector<SectorOwner>{};
  fileNames_.clear();
  if (facts.fs) {
    for (const DosFile& f : facts.fs->files) fileNames_.push_back(f.FullName());
  }
  cylinders = sides = 0;
  for (const SectorRecord& r : records_) {
    cylinders = std::max(cylinders, r.cylinder + 1);
    sides = std::max(sides, r.head + 1);
  }
  const std::vector<TrackSpan> spans = TrackSpans(facts);
  cells.assign(records_.size(), {});
  rows.assign(static_cast<std::size_t>(cylinders * sides), {});
  for (int c = 0; c < cylinders; ++c) {
    for (int h = 0; h < sides; ++h) {
      rows[static_cast<std::size_t>(c * sides + h)].cylinder = c;
      rows[static_cast<std::size_t>(c * sides + h)].head = h;
    }
  }
  for (std::size_t i = 0; i < records_.size(); ++i) {
    MapCell& cell = cells[i];
    cell.record = i;
    cell.cylinder = records_[i].cylinder;
    cell.head = records_[i].head;
    cell.span = spans[i];
    rows[static_cast<std::size_t>(cell.cylinder * sides + cell.head)].cells.push_back(i);
  }
  for (MapRow& row : rows) {
    std::stable_sort(row.cells.begin(), row.cells.end(), [this](std::size_t a, std::size_t b) {
      return cells[a].span.start < cells[b].span.start;
    });
  }
  lit = -1;
  Rebuild();
}

void DiskMap::SetView(MapView v) {
  view = v;
  Rebuild();
}

void DiskMap::SetColouring(MapColouring by) {
  colouring = by;
  Rebuild();
}

void DiskMap::SetLit(int file) {
  lit = file >= 0 && static_cast<std::size_t>(file) < fileNames_.size() ? file : -1;
  Rebuild();
}

void DiskMap::SetSize(Twips w, Twips h) {
  width = w;
  height = h;
  Rebuild();
}

int DiskMap::FileOf(std::size_t record) const {
  if (record >= owners_.size() || owners_[record].kind != OwnerKind::File) return -1;
  return owners_[record].file;
}

void DiskMap::Rebuild() {
  ColourCells();
  texts.clear();
  const Twips right = LayoutLegend();
  if (!cells.empty()) {
    if (view == MapView::Grid) {
      LayoutGrid(right);
    } else {
      LayoutPlatters(right);
    }
  }
  Fill();
}

void DiskMap::ColourCells() {
  keys_.clear();
  // The key of every record; the legend then keeps the keys that some record has, in this order.
  if (colouring == MapColouring::Owner) {
    for (const KindKey& k : kKindsBeforeFiles) keys_.push_back({k.colour, k.name});
    for (std::size_t f = 0; f < fileNames_.size(); ++f) {
      keys_.push_back({FileColour(static_cast<int>(f)), fileNames_[f]});
    }
    for (const KindKey& k : kKindsAfterFiles) keys_.push_back({k.colour, k.name});
    const int files = static_cast<int>(fileNames_.size());
    const int before = static_cast<int>(std::size(kKindsBeforeFiles));
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const SectorOwner o = i < owners_.size() ? owners_[i] : SectorOwner{};
      int key = before + files + 2;  // unknown
      if (o.kind == OwnerKind::File && o.file >= 0 && o.file < files) {
        key = before + o.file;
      } else {
        for (int k = 0; k < before; ++k) {
          if (kKindsBeforeFiles[k].kind == o.kind) key = k;
        }
        for (int k = 0; k < 2; ++k) {
          if (kKindsAfterFiles[k].kind == o.kind) key = before + files + k;
        }
      }
      cells[i].key = key;
    }
  } else if (colouring == MapColouring::Health) {
    for (int k = 0; k < kHealths; ++k) keys_.push_back({kHealthColours[k], kHealthNames[k]});
    for (std::size_t i = 0; i < cells.size(); ++i) cells[i].key = HealthOf(records_[i]);
  } else {
    for (int k = 0; k < kDensities; ++k) keys_.push_back({kDensityColours[k], kDensityNames[k]});
    for (std::size_t i = 0; i < cells.size(); ++i) cells[i].key = DensityOf(records_[i]);
  }
  for (const MapCell& cell : cells) ++keys_[static_cast<std::size_t>(cell.key)].cells;

  // The lit file's cells carry their record numbers.
  for (std::size_t i = 0; i < cells.size(); ++i) {
    cells[i].order = lit >= 0 && FileOf(i) == lit ? std::max(owners_[i].record, 0) : -1;
  }
}

Twips DiskMap::LayoutLegend() {
  legend.clear();
  Twips textWidth = 0;
  for (const Key& key : keys_) {
    if (key.cells == 0) continue;
    legend.push_back({key.colour, key.name + ": " + PlainText(key.cells), {}, {}});
    textWidth = std::max(textWidth, metrics_.TextWidth(legend.back().text));
  }
  if (legend.empty()) return width - kMargin;
  const Twips line = metrics_.TextHeight("Xg") + 30;
  const Twips swatch = line - 60;
  const int perColumn = std::max(1, (height - 2 * kMargin) / line);
  const int columns = (static_cast<int>(legend.size()) + perColumn - 1) / perColumn;
  const Twips columnWidth = swatch + kTextGap + textWidth;
  const Twips left = width - kMargin - columns * columnWidth - (columns - 1) * kGap;
  for (std::size_t k = 0; k < legend.size(); ++k) {
    const int column = static_cast<int>(k) / perColumn;
    const Twips x = left + column * (columnWidth + kGap);
    const Twips y = kMargin + (static_cast<int>(k) % perColumn) * line;
    legend[k].swatch = {x, y + 30, swatch, swatch};
    legend[k].label = {x + swatch + kTextGap, y, colour::kBlack, legend[k].text};
  }
  return left - kGap;
}

void DiskMap::LayoutGrid(Twips right) {
  const Twips line = metrics_.TextHeight("Xg");
  const double labelWidth = metrics_.TextWidth(PlainText(cylinders - 1)) + kTextGap;
  top_ = kMargin + line + 30;
  const double bottom = height - kMargin;
  columnWidth_ = std::max(
      0.0, (right - kMargin - labelWidth - (sides - 1) * kGap) / static_cast<double>(sides));
  rowHeight_ = std::max(0.0, (bottom - top_) / cylinders);
  columnLeft_.assign(static_cast<std::size_t>(sides), 0);
  for (int s = 0; s < sides; ++s) {
    columnLeft_[static_cast<std::size_t>(s)] = kMargin + labelWidth + s * (columnWidth_ + kGap);
    texts.push_back({Round(columnLeft_[static_cast<std::size_t>(s)]), kMargin, colour::kBlack,
                     "side " + PlainText(s)});
  }
  // A cylinder number every so many rows, as often as the lines of text fit.
  int every = 1;
  for (const int k : {1, 2, 5, 10, 20, 50, 100}) {
    every = k;
    if (k * rowHeight_ >= line) break;
  }
  for (int c = 0; c < cylinders; c += every) {
    texts.push_back(
        {kMargin, Round(top_ + (c + 0.5) * rowHeight_ - line / 2.0), colour::kBlack, PlainText(c)});
  }
  const Twips rowGap = rowHeight_ >= 4 * kCellGap ? kCellGap : 0;
  for (MapCell& cell : cells) {
    const double left = columnLeft_[static_cast<std::size_t>(cell.head)];
    const Twips x1 = Round(left + cell.span.start * columnWidth_);
    Twips x2 = Round(left + cell.span.end * columnWidth_);
    if (x2 - x1 >= 4 * kCellGap) x2 -= kCellGap;
    const Twips y1 = Round(top_ + cell.cylinder * rowHeight_);
    const Twips y2 = Round(top_ + (cell.cylinder + 1) * rowHeight_) - rowGap;
    cell.box = {x1, y1, std::max(x2 - x1, kCellGap), std::max(y2 - y1, kCellGap)};
  }
}

void DiskMap::LayoutPlatters(Twips right) {
  const Twips line = metrics_.TextHeight("Xg");
  const double top = kMargin + line + 30;
  const double w =
      std::max(0.0, (right - kMargin - (sides - 1) * kGap) / static_cast<double>(sides));
  const double h = std::max(0.0, height - kMargin - top);
  radius_ = std::min(w, h) / 2;
  hub_ = radius_ * kHubPart;
  ringWidth_ = (radius_ - hub_) / cylinders;
  centres_.clear();
  for (int s = 0; s < sides; ++s) {
    const double cx = kMargin + s * (w + kGap) + w / 2;
    centres_.emplace_back(cx, top + h / 2);
    const std::string heading = "side " + PlainText(s);
    texts.push_back(
        {Round(cx - metrics_.TextWidth(heading) / 2.0), kMargin, colour::kBlack, heading});
  }
  const double ringGap = ringWidth_ >= 4 * kCellGap ? kCellGap : 0;
  for (MapCell& cell : cells) {
    const auto [cx, cy] = centres_[static_cast<std::size_t>(cell.head)];
    const double outer = radius_ - cell.cylinder * ringWidth_;
    const double degrees = 360 * (cell.span.end - cell.span.start);
    // A pixel of the outer edge parts neighbouring sectors, as it parts the cells of the grid.
    const double parting =
        std::min(degrees / 10, kCellGap / std::max(outer, 1.0) * 180 / std::numbers::pi);
    cell.arc = {Round(cx),
                Round(cy),
                Round(outer - ringWidth_ + ringGap),
                Round(outer),
                90 - 360 * cell.span.start,
                -(degrees - parting)};
    cell.box = {Round(cx - outer), Round(cy - outer), Round(2 * outer), Round(2 * outer)};
  }
}

void DiskMap::Fill() {
  int records = 0;  // of the lit file
  for (const MapCell& cell : cells) records = std::max(records, cell.order);
  const Twips line = metrics_.TextHeight("0");
  for (MapCell& cell : cells) {
    const Rgb base = keys_[static_cast<std::size_t>(cell.key)].colour;
    cell.text.clear();
    if (lit < 0) {
      cell.fill = base;
    } else if (cell.order < 0) {
      cell.fill = Mix(base, colour::kMapBackground, kDimmed);
    } else {
      // From dark at the first record to the file's own colour at the last; a sector past the
      // file's end lighter still.
      const double t = cell.order == 0 ? 1.0
                       : records > 1   ? (cell.order - 1.0) / (records - 1)
                                       : 1.0;
      cell.fill = cell.order == 0 ? Mix(base, colour::kWhite, 0.5)
                                  : Mix(base, colour::kBlack, kDarkest * (1 - t));
      const std::string number = cell.order > 0 ? PlainText(cell.order) : "";
      if (view == MapView::Grid && !number.empty() &&
          metrics_.TextWidth(number) + 2 * kCellGap <= cell.box.width && line <= cell.box.height) {
        cell.text = number;
      }
    }
    cell.textColour = TextOn(cell.fill);
  }
}

std::optional<std::size_t> DiskMap::CellAt(Twips x, Twips y) const {
  if (cells.empty()) return std::nullopt;
  const auto inRow = [&](int cylinder, int head, auto&& hit) -> std::optional<std::size_t> {
    if (cylinder < 0 || cylinder >= cylinders) return std::nullopt;
    const MapRow& row = rows[static_cast<std::size_t>(cylinder * sides + head)];
    // The later of two overlapping cells is drawn over the earlier.
    for (auto it = row.cells.rbegin(); it != row.cells.rend(); ++it) {
      if (hit(cells[*it])) return *it;
    }
    return std::nullopt;
  };
  if (view == MapView::Grid) {
    for (int s = 0; s < sides && rowHeight_ > 0; ++s) {
      const auto found =
          inRow(static_cast<int>(std::floor((y - top_) / rowHeight_)), s, [x, y](const MapCell& c) {
            return x >= c.box.left && x < c.box.left + c.box.width && y >= c.box.top &&
                   y < c.box.top + c.box.height;
          });
      if (found) return found;
    }
    return std::nullopt;
  }
  for (int s = 0; s < sides && ringWidth_ > 0; ++s) {
    const double dx = x - centres_[static_cast<std::size_t>(s)].first;
    const double dy = centres_[static_cast<std::size_t>(s)].second - y;
    const double r = std::hypot(dx, dy);
    if (r > radius_ || r < hub_) continue;
    // The part of the revolution from the index hole at twelve o'clock, clockwise.
    const double degrees = std::atan2(dy, dx) * 180 / std::numbers::pi;
    double part = (90 - degrees) / 360;
    part -= std::floor(part);
    return inRow(static_cast<int>((radius_ - r) / ringWidth_), s, [r, part](const MapCell& c) {
      const double end = c.span.start - c.arc.spanAngle / 360;
      return r >= c.arc.inner && r <= c.arc.outer && part >= c.span.start && part < end;
    });
  }
  return std::nullopt;
}

}  // namespace m1
