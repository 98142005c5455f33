#include <gtest/gtest.h>

#include <initializer_list>

#include "display/PenColours.h"
#include "display/TrendPlot.h"
#include "support/DisplayFixture.h"

namespace kavro {
namespace {

struct TrendPlotTest : test::DisplayFixture {
  TrendPlotTest() {
    c.model.FLCBlock.Name1 = "KILN1";
    c.model.FLCBlock.RunFrequency = 30;
    for (int i = 1; i <= NumIn; ++i) c.model.PVarIn[i].PlotHi = c.model.PVarIn[i].PlotLo = kAuto;
    for (int k = 1; k <= NumOut; ++k) {
      c.model.PVarOut[k].PlotHi = c.model.PVarOut[k].PlotLo = kAuto;
    }
  }
  // Names input 1 and fills its history; HistCount follows.
  void Input1(std::initializer_list<float> samples, const std::string& name = "FEED") {
    c.model.PVarIn[1].PVarName = name;
    int j = 0;
    for (float v : samples) c.model.PVarIn[1].History[static_cast<std::size_t>(++j)] = v;
    c.model.HistCount = static_cast<int16_t>(j);
  }
  const TrendTrace* Trace(int index) const {
    for (const TrendTrace& t : c.window.Picture2.traces) {
      if (t.index == index) return &t;
    }
    return nullptr;
  }
};

TEST_F(TrendPlotTest, NothingIsDrawnBeforeThreeSamplesThenEveryNamedVariableIs) {
  ShowTrendCaptions(c);
  c.model.PVarOut[2].PVarName = "FAN";
  c.model.PVarOut[2].History[1] = 1;
  c.model.PVarOut[2].History[2] = 2;
  c.model.PVarOut[2].History[3] = 4;
  Input1({10, 20});
  RefreshTrend(c);
  EXPECT_TRUE(c.window.Picture2.traces.empty());
  EXPECT_EQ(c.window.lblScaleHi[0].caption, "A:");  // untouched until a trace is drawn

  c.model.HistCount = 3;
  RefreshTrend(c);
  ASSERT_EQ(c.window.Picture2.traces.size(), 2u);  // input 1 and output 2, nothing for blanks
  const TrendTrace* feed = Trace(0);
  const TrendTrace* fan = Trace(7);
  ASSERT_TRUE(feed && fan);
  EXPECT_EQ(feed->points.size(), 3u);  // two segments
  EXPECT_EQ(feed->pen, PenColor(1));
  EXPECT_EQ(fan->pen, PenColor(8));
  EXPECT_EQ(fan->name, "FAN");
  EXPECT_EQ(c.window.lblScaleHi[7].caption, "A: 4.000");
  EXPECT_EQ(c.window.lblScaleLo[7].caption, "A: 1.000");
  EXPECT_EQ(c.window.Picture2.times.size(), 3u);

  // A refresh after the history shrank (a restart of counting) clears the picture again.
  c.model.HistCount = 1;
  RefreshTrend(c);
  EXPECT_TRUE(c.window.Picture2.traces.empty());
}

TEST_F(TrendPlotTest, FlatTraceLiesMidBandOfWidthOneWithAutoLabels) {
  Input1({5, 5, 5, 5});
  RefreshTrend(c);
  const TrendTrace* t = Trace(0);
  ASSERT_TRUE(t);
  EXPECT_DOUBLE_EQ(t->hi, 5.5);
  EXPECT_DOUBLE_EQ(t->lo, 4.5);
  for (const TrendPoint& p : t->points) EXPECT_NEAR(p.y, 0.48, 1e-12);  // half-way 2 % .. 94 %
  EXPECT_EQ(c.window.lblScaleHi[0].caption, "A: 5.500");
  EXPECT_EQ(c.window.lblScaleLo[0].caption, "A: 4.500");
}

TEST_F(TrendPlotTest, PolylineFollowsThePlotGeometry) {
  // A fixed scale 0..100: bottom at 94 %, top at 2 %; a value beyond the top is drawn above it
  // (the window clips it).
  c.model.PVarIn[1].PlotHi = "100";
  c.model.PVarIn[1].PlotLo = "0";
  Input1({0, 50, 100, 150});
  RefreshTrend(c);
  const TrendTrace* t = Trace(0);
  ASSERT_TRUE(t);
  ASSERT_EQ(t->points.size(), 4u);
  const double step = 0.99 * 0.95 / 201;
  const double ys[] = {0.94, 0.48, 0.02, -0.44};
  for (std::size_t j = 0; j < 4; ++j) {
    EXPECT_NEAR(t->points[j].x, 0.99 * 0.03 + static_cast<double>(j) * step, 1e-12) << j;
    EXPECT_NEAR(t->points[j].y, ys[j], 1e-12) << j;
  }
  EXPECT_EQ(c.window.lblScaleHi[0].caption, "100.000");  // no "A: " before a fixed end
  EXPECT_EQ(c.window.lblScaleLo[0].caption, "0.000");
  EXPECT_NEAR(TrendX(200), 0.99 * (0.03 + 199 * 0.95 / 201), 1e-12);

  // One end fixed, the other automatic: AUTO takes the extreme of the held samples only.
  c.model.PVarIn[1].PlotHi = kAuto;
  c.model.PVarIn[1].History[5] = 999;  // beyond HistCount: not part of the plot
  RefreshTrend(c);
  EXPECT_EQ(c.window.lblScaleHi[0].caption, "A: 150.000");
  EXPECT_EQ(c.window.lblScaleLo[0].caption, "0.000");
}

TEST_F(TrendPlotTest, BlankVariableDrawsNothingAndKeepsItsLabels) {
  Input1({1, 2, 3});
  c.model.PVarIn[2].PVarName = "   ";
  c.model.PVarIn[2].History = c.model.PVarIn[1].History;
  c.window.lblScaleHi[1].caption = "kept";
  c.window.lblScaleLo[1].caption = "kept too";
  RefreshTrend(c);
  EXPECT_EQ(Trace(1), nullptr);
  EXPECT_EQ(c.window.lblScaleHi[1].caption, "kept");
  EXPECT_EQ(c.window.lblScaleLo[1].caption, "kept too");
}

TEST_F(TrendPlotTest, TimeSpanLabelFollowsTheRunFrequency) {
  EXPECT_EQ(PlotTimeText(30), "Max 200 Points; 100 mins");
  EXPECT_EQ(PlotTimeText(10), "Max 200 Points; 33 mins");
  EXPECT_EQ(PlotTimeText(1), "Max 200 Points; 03 mins");
  c.model.FLCBlock.RunFrequency = 10;
  ShowTrendCaptions(c);
  EXPECT_EQ(c.window.lblPlotTime.caption, "Max 200 Points; 33 mins");
  // Every scale label is in its variable's pen colour: input i pen i, output k pen 6 + k.
  EXPECT_EQ(c.window.lblScaleHi[3].foreColour, PenColor(4));
  EXPECT_EQ(c.window.lblScaleLo[6].foreColour, PenColor(7));
}

TEST_F(TrendPlotTest, UnreadableScaleSettingIsDrawnAutoAndNotedOnce) {
  c.model.PVarIn[1].PlotHi = "12abc";  // hand-edited FLC.dat
  c.model.PVarIn[1].PlotLo = "";       // never set: automatic without a word
  Input1({1, 2, 3});
  for (int cycle = 0; cycle < 3; ++cycle) EXPECT_NO_THROW(RefreshTrend(c));
  auto notes = test::EventTextsOfKind(c.events, EventKind::Configuration);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_NE(notes[0].find("FEED"), std::string::npos) << notes[0];
  EXPECT_NE(notes[0].find("PlotHi \"12abc\""), std::string::npos) << notes[0];
  EXPECT_FALSE(c.events.NoticeVisible());  // recorded, not raised: the plot still works
  EXPECT_EQ(c.window.lblScaleHi[0].caption, "A: 3.000");
  EXPECT_EQ(c.window.lblScaleLo[0].caption, "A: 1.000");
  EXPECT_EQ(c.model.PVarIn[1].PlotHi, "12abc");  // the file's text is kept as it was

  // Another bad text is told again; so is the same one after it had been mended.
  c.model.PVarIn[1].PlotHi = "1e99";  // beyond the single range
  RefreshTrend(c);
  c.model.PVarIn[1].PlotHi = "50";
  RefreshTrend(c);
  EXPECT_EQ(c.window.lblScaleHi[0].caption, "50.000");
  c.model.PVarIn[1].PlotHi = "12abc";
  RefreshTrend(c);
  RefreshTrend(c);
  EXPECT_EQ(test::EventTextsOfKind(c.events, EventKind::Configuration).size(), 3u);
}

TEST_F(TrendPlotTest, CursorShowsTheTimeAndValuesOfTheSampleUnderIt) {
  EXPECT_FALSE(TrendCursorAt(c.window.Picture2, 0.5));
  Input1({10, 20, 30});
  c.model.PVarOut[1].PVarName = "FUEL";
  c.model.PVarOut[1].History[1] = 1.5f;
  c.model.PVarOut[1].History[2] = 2.5f;
  c.model.PVarOut[1].History[3] = 3.25f;
  for (int j = 1; j <= 3; ++j) c.model.HistoryTime[j] = DateTime{2026, 12, 5, 12, 0, 10 * j};
  RefreshTrend(c);

  const auto second = TrendCursorAt(c.window.Picture2, TrendX(2) + 0.001);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->sample, 2);
  EXPECT_DOUBLE_EQ(second->x, TrendX(2));
  ASSERT_EQ(second->lines.size(), 3u);
  EXPECT_EQ(second->lines[0].text, "12:00:20");
  EXPECT_EQ(second->lines[1].text, "FEED: 20.000");
  EXPECT_EQ(second->lines[2].text, "FUEL: 2.500");
  EXPECT_EQ(second->lines[2].colour, PenColor(7));

  // Left of the first sample and right of the last the nearest end is shown; hidden pens are not.
  EXPECT_EQ(TrendCursorAt(c.window.Picture2, 0.0)->sample, 1);
  c.window.Picture2.penHidden[0] = true;
  ShowPenState(c, 0);
  const auto last = TrendCursorAt(c.window.Picture2, 0.95);
  EXPECT_EQ(last->sample, 3);
  ASSERT_EQ(last->lines.size(), 2u);
  EXPECT_EQ(last->lines[1].text, "FUEL: 3.250");
}

}  // namespace
}  // namespace kavro
