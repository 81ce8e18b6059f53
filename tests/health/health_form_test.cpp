// The Disk health window's table: one row per record with its verdicts, the problems filter, the
// sort by a column, and a chosen row shown in the main window or, without an index, in hex.
#include "health/health_form.h"

#include <gtest/gtest.h>

#include "tests/support/disk_views.h"
#include "tests/support/image_builder.h"

namespace m1 {
namespace {

using testing::DmkBuilder;
using testing::DmkSector;

using Views = testing::RecordedViews;

// One doubled single-density track with sectors 1 and 2; the ID CRC of sector 1 is overwritten
// with 00 00 (recorded doubled: four bytes from the 11th byte after FE).
struct Fixture {
  Fixture() {
    DmkBuilder dmk(1, 6400);
    dmk.AddTrack({DmkSector::Sd(0, 0, 1), DmkSector::Sd(0, 0, 2)});
    file = dmk.Build();
    for (std::size_t k = 10; k < 14; ++k) file[dmk.Place(0, 0).idam + k] = 0x00;
    first = dmk.Place(0, 0);
    second = dmk.Place(0, 1);
    form.Load(*DiskFacts::Read(file, {.indexReach = true}), "disk.dmk");
  }
  testing::Bytes file;
  DmkBuilder::Placed first{}, second{};
  Views views;
  HealthForm form{views};
};

TEST(HealthForm, EveryRecordIsARowWithItsVerdicts) {
  Fixture f;
  EXPECT_EQ(f.form.caption, "Disk health - disk.dmk");
  // FE 00 00 01 01 has the CRC C2E2.
  EXPECT_EQ(f.form.summary,
            "2 records: 1 good, 1 bad ID CRC, 0 bad data CRC, 0 no data mark, 0 duplicates");
  ASSERT_EQ(f.form.rows.size(), 2u);
  const auto& bad = f.form.rows[0].cells;
  EXPECT_EQ(bad[HealthForm::kTrack], "0");
  EXPECT_EQ(bad[HealthForm::kSector], "1");
  EXPECT_EQ(bad[HealthForm::kSize], "256");
  EXPECT_EQ(bad[HealthForm::kDensity], "single, doubled");
  EXPECT_EQ(bad[HealthForm::kDataMark], "FB");
  EXPECT_EQ(bad[HealthForm::kIdCrc], "bad (written 0000, computed C2E2)");
  EXPECT_EQ(bad[HealthForm::kDataCrc], "ok");
  EXPECT_TRUE(f.form.rows[0].problem);
  EXPECT_FALSE(f.form.rows[1].problem);
  EXPECT_EQ(f.form.rows[1].cells[HealthForm::kIdCrc], "ok");
}

TEST(HealthForm, ProblemsOnlyAndSortingKeepTheRecordsApart) {
  Fixture f;
  f.form.ProblemsOnly_Click(true);
  ASSERT_EQ(f.form.rows.size(), 1u);
  EXPECT_EQ(f.form.rows[0].cells[HealthForm::kSector], "1");
  f.form.ProblemsOnly_Click(false);
  f.form.Heading_Click(HealthForm::kSector);  // ascending: 1, 2
  EXPECT_EQ(f.form.rows[0].cells[HealthForm::kSector], "1");
  f.form.Heading_Click(HealthForm::kSector);  // the same heading again: 2, 1
  EXPECT_FALSE(f.form.ascending);
  EXPECT_EQ(f.form.rows[0].cells[HealthForm::kSector], "2");
  EXPECT_EQ(f.form.rows[0].record, 1u);
}

TEST(HealthForm, ChosenRowShowsItsSectorOrElseItsBytes) {
  Fixture f;
  f.form.Row_DoubleClick(1);
  EXPECT_EQ(f.views.sectors, (std::vector<std::int64_t>{std::int64_t(f.second.data)}));
  EXPECT_TRUE(f.views.bytes.empty());
  // Without a sector index the bytes show from the ID address mark.
  f.views.indexed = false;
  f.form.Row_DoubleClick(0);
  EXPECT_EQ(f.views.bytes, (std::vector<std::int64_t>{std::int64_t(f.first.idam)}));
  f.form.Row_DoubleClick(2);  // past the last row: nothing
  EXPECT_EQ(f.views.sectors.size(), 2u);
}

TEST(HealthForm, Jv1KeepsNoDataMarkOrCrcs) {
  Views views;
  HealthForm form(views);
  form.Load(*DiskFacts::Read(testing::Jv1Builder(35, 0x00).Build()), "disk.dsk");
  ASSERT_EQ(form.rows.size(), 350u);  // 35 tracks of 10 sectors
  const auto& cells = form.rows[0].cells;
  EXPECT_EQ(cells[HealthForm::kDataMark], "-");
  EXPECT_EQ(cells[HealthForm::kIdCrc], "-");
  EXPECT_EQ(cells[HealthForm::kDataCrc], "-");
}

}  // namespace
}  // namespace m1
