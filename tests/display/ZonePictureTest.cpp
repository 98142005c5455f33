#include <gtest/gtest.h>

#include <cmath>

#include "display/VariableEditorView.h"
#include "display/ZonePicture.h"
#include "edit/EditWorld.h"

namespace kavro::test {
namespace {

// TEMP: LOW at 0, 0, 100, 150 (membership 1, 1, 1, 0), HIGH at 100, 150, 200, 200 (0, 1, 1, 1),
// zones 3..7 all at 0 with membership 0, not in use and not drawn. In a 1000 by 500 picture
// with a 50 unit label band: the range 0..200 spans 940.5 units from x = 50, membership 1
// stands 413.59 above y = 450.
TEST(ZonePictureTest, AxesLabelsAndThreeSegmentsPerZoneForAKnownZoneSet) {
  EditWorld w;
  ShowVariableEditor(w.controller(), w.edits.variable, 2);
  const ZonePicture picture = DrawZonePicture(
      w.edits.variable.MSHFlexGrid3, ZoneAxisTitle(w.edits.variable.MSHFlexGrid2), 1000, 500, 50);
  ASSERT_EQ(picture.segments.size(), 2u + 2u * 3u);
  const double xScale = 940.5 / 200.001;
  const double top = 450 - 0.92 * 450 / 1.001;

  const PictureSegment& horizontal = picture.segments[0];
  EXPECT_DOUBLE_EQ(horizontal.from.x, 50);
  EXPECT_DOUBLE_EQ(horizontal.from.y, 450);
  EXPECT_DOUBLE_EQ(horizontal.to.x, 990);
  EXPECT_DOUBLE_EQ(horizontal.to.y, 450);
  const PictureSegment& vertical = picture.segments[1];
  EXPECT_DOUBLE_EQ(vertical.from.x, 50);
  EXPECT_DOUBLE_EQ(vertical.from.y, 0);
  EXPECT_DOUBLE_EQ(vertical.to.y, 450);
  EXPECT_EQ(horizontal.zone, 0);

  // LOW: a flat top from 0 to 100, then down to 0 at 150.
  const PictureSegment* low = &picture.segments[2];
  EXPECT_EQ(low[0].zone, 1);
  EXPECT_DOUBLE_EQ(low[0].from.x, 50);
  EXPECT_NEAR(low[0].from.y, top, 1e-9);
  EXPECT_NEAR(low[1].to.x, 50 + 100 * xScale, 1e-9);
  EXPECT_NEAR(low[1].to.y, top, 1e-9);
  EXPECT_NEAR(low[2].to.x, 50 + 150 * xScale, 1e-9);
  EXPECT_DOUBLE_EQ(low[2].to.y, 450);
  // HIGH rises from 100 to 150 and ends at the range's right end.
  const PictureSegment* high = &picture.segments[5];
  EXPECT_EQ(high[0].zone, 2);
  EXPECT_NEAR(high[0].from.x, 50 + 100 * xScale, 1e-9);
  EXPECT_DOUBLE_EQ(high[0].from.y, 450);
  EXPECT_NEAR(high[2].to.x, 50 + 200 * xScale, 1e-9);
  EXPECT_LT(high[2].to.x, 1000);  // inside the picture

  ASSERT_EQ(picture.labels.size(), 3u);
  EXPECT_EQ(picture.labels[0].text, "0.0");
  EXPECT_EQ(picture.labels[1].text, "200.00");
  EXPECT_EQ(picture.labels[1].align, LabelAlign::Right);
  EXPECT_EQ(picture.labels[2].text, "TEMP");  // no units in the worked example
  EXPECT_EQ(picture.labels[2].align, LabelAlign::Centre);
  EXPECT_DOUBLE_EQ(picture.labels[2].at.x, 520);
}

// A variable whose zones lie far from 0 (a kiln at 1200..1600 degC) spans its own zones, not
// the unset zones at 0: its first point stands at the vertical axis.
TEST(ZonePictureTest, TheAxisSpansTheZonesInUseWithTheVariablesNameAndUnits) {
  CellTable zoneGrid(zones::kRows, zones::kCols);
  for (int z = 1; z <= NumZones; ++z) {
    for (int p = 1; p <= NumPoints; ++p) {
      zoneGrid.SetText(zones::ValueRow(z), zones::PointCol(p), "0.000");
      zoneGrid.SetText(zones::MembershipRow(z), zones::PointCol(p), "0.000");
    }
  }
  const char* low[] = {"1200", "1200", "1330", "1360"};
  const char* high[] = {"1330", "1360", "1600", "1600"};
  for (int p = 1; p <= NumPoints; ++p) {
    zoneGrid.SetText(zones::ValueRow(1), zones::PointCol(p), low[p - 1]);
    zoneGrid.SetText(zones::ValueRow(2), zones::PointCol(p), high[p - 1]);
  }
  zoneGrid.SetText(zones::MembershipRow(1), zones::PointCol(1), "1.000");
  CellTable itemGrid(items::kRows, items::kCols);
  itemGrid.SetText(items::kNameRow, items::kValueCol, "BZTEMP  ");
  itemGrid.SetText(items::kUnitsRow, items::kValueCol, "degC");
  const ZonePicture picture = DrawZonePicture(zoneGrid, ZoneAxisTitle(itemGrid), 1000, 500, 50);
  ASSERT_EQ(picture.segments.size(), 2u + 2u * 3u);
  EXPECT_EQ(picture.labels[0].text, "1200.0");
  EXPECT_EQ(picture.labels[1].text, "1600.00");
  EXPECT_EQ(picture.labels[2].text, "BZTEMP (degC)");
  EXPECT_DOUBLE_EQ(picture.segments[2].from.x, 50);  // zone 1's first point at the axis
  EXPECT_NEAR(picture.segments.back().to.x, 990.5, 0.01);
  itemGrid.SetText(items::kUnitsRow, items::kValueCol, " ");
  EXPECT_EQ(ZoneAxisTitle(itemGrid), "BZTEMP");
}

TEST(ZonePictureTest, OneValueAloneStillDrawsWithinThePicture) {
  CellTable zoneGrid(zones::kRows, zones::kCols);
  for (int z = 1; z <= NumZones; ++z) {
    for (int p = 1; p <= NumPoints; ++p)
      zoneGrid.SetText(zones::ValueRow(z), zones::PointCol(p), "5.000");
  }
  const ZonePicture picture = DrawZonePicture(zoneGrid, "", 200, 100, 10);
  for (const PictureSegment& s : picture.segments) {
    EXPECT_TRUE(std::isfinite(s.from.x) && std::isfinite(s.to.x));
    EXPECT_GE(s.to.x, 0);
    EXPECT_LE(s.to.x, 200);
  }
  EXPECT_EQ(picture.labels[0].text, "5.0");
  EXPECT_EQ(picture.labels[1].text, "5.00");
}

}  // namespace
}  // namespace kavro::test
