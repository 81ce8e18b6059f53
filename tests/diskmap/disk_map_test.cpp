// The Disk map: a cell for every record where it lies along its track, colours by owner, health
// and density, the cell under a point, and a lit file's records in order.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "diskmap/disk_map_form.h"
#include "tests/support/disk_views.h"
#include "tests/support/dos_disks.h"
#include "tests/support/image_builder.h"

namespace m1 {
namespace {

using testing::Bytes;
using testing::DmkBuilder;
using testing::DmkSector;

// One single-sided DMK track image of 3328 bytes: 128 of pointers, then 3200 recorded. Double-
// density sectors 1, 2 and 3 at image offsets 528, 1728 and 1828, so that sector 3's ID field lies
// inside sector 2's data (squeezed); the pointer table lists them 1, 3, 2. Each: FE 00 00 s 01 and
// a CRC of 00 00, the data mark FB 30 bytes after FE, 256 data bytes and two CRC bytes, so that
// the field ends 289 bytes after FE.
Bytes SqueezedDmk() {
  Bytes image(3328, 0x4E);
  std::fill_n(image.begin(), 128, 0x00);
  const int table[] = {528, 1828, 1728};
  for (int k = 0; k < 3; ++k) {
    image[2 * k] = static_cast<std::uint8_t>(table[k] & 0xFF);
    image[2 * k + 1] = static_cast<std::uint8_t>(0x80 | (table[k] >> 8));
  }
  const std::pair<int, int> sectors[] = {{528, 1}, {1728, 2}, {1828, 3}};
  for (const auto& [at, sector] : sectors) {
    const std::uint8_t id[] = {0xFE, 0, 0, static_cast<std::uint8_t>(sector), 1, 0, 0};
    std::copy(std::begin(id), std::end(id), image.begin() + at);
    image[at + 30] = 0xFB;
    std::fill_n(image.begin() + at + 31, 258, 0xE5);
  }
  DmkBuilder dmk(1, 3328, 0x10);
  dmk.AddRawTrack(image);
  return dmk.Build();
}

// Two single-sided tracks. Track 0 (double density): sectors 0, 1, 2 without a data mark, and 1
// again; a data byte of sector 0 changed after its CRC was written. Track 1 (single density,
// doubled): sectors 0 and 1, the ID CRC of sector 1 overwritten.
Bytes DamagedDmk() {
  DmkBuilder dmk(2, 6400, 0x10);
  dmk.AddTrack({DmkSector::Dd(0, 0, 0), DmkSector::Dd(0, 0, 1), DmkSector::Dd(0, 0, 2, 0x00),
                DmkSector::Dd(0, 0, 1)});
  dmk.AddTrack({DmkSector::Sd(1, 0, 0), DmkSector::Sd(1, 0, 1)});
  Bytes file = dmk.Build();
  file[dmk.Place(0, 0).data + 7] ^= 0xFF;
  for (std::size_t k = 10; k < 14; ++k) file[dmk.Place(1, 1).idam + k] = 0x00;
  return file;
}

// Newdos/80 on 35 single-density JV1 tracks of 10 sectors: the system sector at track 0 sector 2,
// the directory on track 17 (GAT, HIT, entries), BOOT/SYS, ONE/BAS and LONG/CMD (lump 8 granule 0,
// then lump 10 granule 1: tracks 8 and 10, sectors 0-4 and 5-9, ten records).
const Bytes& NewdosDisk() {
  return fuzzing::DosDisks()[0].file;
}

std::vector<std::string> LegendTexts(const DiskMap& map) {
  std::vector<std::string> texts;
  for (const LegendEntry& e : map.legend) texts.push_back(e.text);
  return texts;
}

TEST(DiskMap, EveryRecordIsACellWhereItLiesOnItsTrack) {
  FixedMetrics metrics;
  DiskMap map(metrics);
  const Bytes squeezed = SqueezedDmk();  // the facts read the bytes where they lie
  const auto dmk = DiskFacts::Read(squeezed);
  ASSERT_EQ(dmk->listing.records.size(), 3u);
  // Bytes after the table: sector 1 from 400 to 689, sector 2 from 1600 to sector 3's 1700 (its
  // own end, 1889, lies past it), sector 3 from 1700 to 1989; of 3200. Listed in table order.
  const std::vector<TrackSpan> spans = TrackSpans(*dmk);
  const double expected[3][2] = {{0.125, 0.2153125}, {0.53125, 0.6215625}, {0.5, 0.53125}};
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_DOUBLE_EQ(spans[k].start, expected[k][0]) << k;
    EXPECT_DOUBLE_EQ(spans[k].end, expected[k][1]) << k;
  }
  map.Load(*dmk);
  ASSERT_EQ(map.cells.size(), 3u);
  ASSERT_EQ(map.rows.size(), 1u);
  EXPECT_EQ(map.rows[0].cells, (std::vector<std::size_t>{0, 2, 1}));

  // JV3 entries of track 0 sectors 0 and 1, track 1 sector 0, track 0 sector 2: thirds of track 0
  // in file order, and all of track 1.
  testing::Jv3Builder jv3;
  jv3.Add(0, 0, 0x00);
  jv3.Add(0, 1, 0x00);
  jv3.Add(1, 0, 0x00);
  jv3.Add(0, 2, 0x00);
  const Bytes table = jv3.Build();
  const auto facts = DiskFacts::Read(table);
  map.Load(*facts);
  ASSERT_EQ(map.cells.size(), 4u);
  ASSERT_EQ(map.rows.size(), 2u);
  EXPECT_EQ(map.rows[0].cells, (std::vector<std::size_t>{0, 1, 3}));
  EXPECT_EQ(map.rows[1].cells, (std::vector<std::size_t>{2}));
  const double thirds[4][2] = {{0, 1 / 3.0}, {1 / 3.0, 2 / 3.0}, {0, 1}, {2 / 3.0, 1}};
  for (std::size_t k = 0; k < 4; ++k) {
    EXPECT_DOUBLE_EQ(map.cells[k].span.start, thirds[k][0]) << k;
    EXPECT_DOUBLE_EQ(map.cells[k].span.end, thirds[k][1]) << k;
  }
}

TEST(DiskMap, ColoursFollowOwnersHealthAndDensity) {
  FixedMetrics metrics;
  DiskMap map(metrics);
  const auto dos = DiskFacts::Read(NewdosDisk());
  map.Load(*dos);
  const struct {
    int track, sector;
    Rgb colour;
  } owners[] = {{0, 2, colour::kMapSystem},
                {17, 0, colour::kMapGat},
                {17, 1, colour::kMapHit},
                {17, 5, colour::kMapDirectory},
                {1, 0, colour::kMapFree},
                // ONE/BAS, the second file: hue 137.5 degrees at saturation 0.45 and value 0.95.
                {5, 5, {133, 242, 165}},
                // LONG/CMD, the third: hue 275 degrees.
                {8, 0, {197, 133, 242}}};
  for (const auto& o : owners) {
    const std::size_t record = *dos->listing.Find(o.track, 0, o.sector);
    EXPECT_EQ(map.cells[record].fill, o.colour) << o.track << " " << o.sector;
  }
  EXPECT_EQ(FileColour(0), (Rgb{242, 133, 133}));

  const Bytes damagedBytes = DamagedDmk();
  const auto damaged = DiskFacts::Read(damagedBytes);
  map.Load(*damaged);
  map.SetColouring(MapColouring::Health);
  const Rgb health[] = {colour::kMapBadDataCrc, colour::kMapGood, colour::kMapNoDataMark,
                        colour::kMapDuplicate,  colour::kMapGood, colour::kMapBadIdCrc};
  ASSERT_EQ(map.cells.size(), 6u);
  for (std::size_t k = 0; k < 6; ++k) EXPECT_EQ(map.cells[k].fill, health[k]) << k;
  EXPECT_EQ(LegendTexts(map),
            (std::vector<std::string>{"bad ID CRC: 1", "no data mark: 1", "bad data CRC: 1",
                                      "duplicate: 1", "good: 2"}));
  map.SetColouring(MapColouring::Density);
  EXPECT_EQ(map.cells[0].fill, colour::kMapDouble);
  EXPECT_EQ(map.cells[4].fill, colour::kMapSingleDoubled);
  EXPECT_EQ(LegendTexts(map),
            (std::vector<std::string>{"single density, doubled: 2", "double density: 4"}));
}

TEST(DiskMap, PointsFindTheCellDrawnThereAndAClickShowsIt) {
  FixedMetrics metrics;
  testing::RecordedViews views;
  DiskMapForm form(views, metrics);
  const Bytes blank = testing::Jv1Builder(35).Build();
  form.Load(*DiskFacts::Read(blank), "/disks/blank.dsk");
  form.Picture_Resize(12000, 9000);
  const DiskMap& map = form.map;
  ASSERT_EQ(map.cells.size(), 350u);
  for (const MapView view : {MapView::Grid, MapView::Platters}) {
    form.View_Change(static_cast<int>(view));
    for (std::size_t k = 0; k < map.cells.size(); ++k) {
      const MapCell& c = map.cells[k];
      Twips x = c.box.left + c.box.width / 2, y = c.box.top + c.box.height / 2;
      if (view == MapView::Platters) {
        const double r = (c.arc.inner + c.arc.outer) / 2.0;
        const double a = (c.arc.startAngle + c.arc.spanAngle / 2) * std::numbers::pi / 180;
        x = c.arc.cx + static_cast<Twips>(std::lround(r * std::cos(a)));
        y = c.arc.cy - static_cast<Twips>(std::lround(r * std::sin(a)));
      }
      ASSERT_EQ(map.CellAt(x, y), k) << static_cast<int>(view) << " " << k;
    }
  }
  // The platter's hub and the margin hold no cell; just right of twelve o'clock on the outer ring
  // lies the first sector of track 0.
  const MapArc& outer = map.cells[0].arc;
  EXPECT_FALSE(map.CellAt(outer.cx, outer.cy));
  EXPECT_FALSE(map.CellAt(10, 10));
  EXPECT_EQ(map.CellAt(outer.cx + 30, outer.cy - outer.outer + 30), 0u);

  // Track 1 sector 2 is the 13th sector of the file: its data at 12 x 256.
  const MapCell& c = map.cells[12];
  EXPECT_TRUE(form.Picture_MouseMove(c.arc.cx + 1, c.arc.cy - c.arc.outer + 30));
  EXPECT_EQ(form.status, "track 1 side 0 sector 0: no CRCs recorded");
  form.View_Change(0);
  EXPECT_TRUE(form.Picture_Click(map.cells[12].box.left + 30, map.cells[12].box.top + 30));
  EXPECT_EQ(views.sectors, (std::vector<std::int64_t>{3072}));
  EXPECT_EQ(form.chosenFile, -1);

  EXPECT_EQ(form.pictureName, "/disks/blank-map.png");
  EXPECT_TRUE(form.PictureRefusal("/disks/../disks/./blank.dsk"));
  EXPECT_FALSE(form.PictureRefusal("/disks/blank-map.png"));
}

TEST(DiskMap, ALitFileShowsItsRecordsInOrderAndDimsTheRest) {
  FixedMetrics metrics;
  testing::RecordedViews views;
  DiskMapForm form(views, metrics);
  const auto dos = DiskFacts::Read(NewdosDisk());
  form.Load(*dos, "newdos.dsk");
  form.Picture_Resize(30000, 20000);
  const Rgb unlit = form.map.cells[*dos->listing.Find(5, 0, 5)].fill;
  form.HighlightFile(2);  // LONG/CMD
  const struct {
    int track, sector, order;
  } lit[] = {{8, 0, 1}, {8, 4, 5}, {10, 5, 6}, {10, 9, 10}, {8, 5, -1}, {5, 5, -1}};
  for (const auto& l : lit) {
    const MapCell& cell = form.map.cells[*dos->listing.Find(l.track, 0, l.sector)];
    EXPECT_EQ(cell.order, l.order) << l.track << " " << l.sector;
    EXPECT_EQ(cell.text, l.order > 0 ? std::to_string(l.order) : "");
  }
  // The first record dark, the last in the file's own colour; the rest faded towards white.
  EXPECT_EQ(form.map.cells[*dos->listing.Find(10, 0, 9)].fill, (Rgb{197, 133, 242}));
  EXPECT_EQ(form.map.cells[*dos->listing.Find(8, 0, 0)].fill, (Rgb{89, 60, 109}));
  EXPECT_EQ(form.map.cells[*dos->listing.Find(5, 0, 5)].fill, (Rgb{231, 252, 237}));
  EXPECT_NE(unlit, form.map.cells[*dos->listing.Find(5, 0, 5)].fill);

  // A click on one of its cells names the file, for the Files window to choose.
  const MapCell& first = form.map.cells[*dos->listing.Find(10, 0, 5)];
  EXPECT_TRUE(form.Picture_Click(first.box.left + 15, first.box.top + 15));
  EXPECT_EQ(form.chosenFile, 2);
  form.HighlightFile(-1);
  EXPECT_EQ(form.map.cells[*dos->listing.Find(5, 0, 5)].fill, unlit);
}

}  // namespace
}  // namespace m1
