// The main window's trend: the held cycles drawn live, the plant history filling the span after
// a restart, long spans as each pixel column's extremes, scales and their labels, scrolling,
// zooming and live, the cursor and the export of the span shown, and a history that is missing
// or damaged leaving the live trend drawn from memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "display/PenColours.h"
#include "display/TrendExport.h"
#include "display/TrendPlot.h"
#include "display/TrendView.h"
#include "history/HistoryRecorder.h"
#include "history/HistorySchema.h"
#include "history/HistoryTime.h"
#include "history/HistoryWriter.h"
#include "support/DisplayFixture.h"
#include "support/HeldCycles.h"

namespace kavro {
namespace {

struct TrendPlotTest : test::DisplayFixture {
  TrendPlotTest() {
    ResetModel(c.model, dir.Path());
    ApplyDefaults(c.model);
    c.ports.clock = &world.clock;
    c.model.FLCBlock.Name1 = "KILN1";
    c.model.FLCBlock.RunFrequency = 10;
    for (int i = 1; i <= NumIn; ++i) c.model.PVarIn[i].PlotHi = c.model.PVarIn[i].PlotLo = kAuto;
    for (int k = 1; k <= NumOut; ++k) {
      c.model.PVarOut[k].PlotHi = c.model.PVarOut[k].PlotLo = kAuto;
    }
    Trend(c).span.SetColumns(600);  // 6 s a column over the hour
  }
  std::int64_t Now() { return TrendNowMs(c); }
  // Names input 1 and holds its samples, 10 s apart up to now; HistCount follows.
  void Input1(std::initializer_list<float> samples, const std::string& name = "FEED") {
    c.model.PVarIn[1].PVarName = name;
    int j = 0;
    for (float v : samples) c.model.PVarIn[1].History[static_cast<std::size_t>(++j)] = v;
    test::HoldCycles(c, j);
  }
  const TrendTrace* Trace(int index) {
    for (const TrendTrace& t : Trend(c).Picture2.traces) {
      if (t.index == index) return &t;
    }
    return nullptr;
  }
  // Records cycles of input 1 "FEED" (and output 1 "FUEL" at twice its value) through the
  // recorder, as a controller that ran before this one did.
  void Record(long cycles, std::int64_t last, std::int64_t every,
              const std::function<double(long)>& feed) {
    ConfigRevision config;
    config.runFrequency = 10;
    config.in[1] = {"FEED", "t/h", 0, 200};
    config.out[1] = {"FUEL", "%", 0, 100};
    HistoryRecorder recorder(dir.Path(), [](const std::string&, bool) {});
    for (long k = 0; k < cycles; ++k) {
      CycleRecord row;
      row.timeMs = last - (cycles - 1 - k) * every;
      row.in[1].pv = feed(k);
      row.out[1].pv = 2 * feed(k);
      recorder.Record(row, config, DateTimeOfHistoryMs(row.timeMs));
    }
    recorder.Flush();
  }
  test::ScratchDir dir;
};

TEST_F(TrendPlotTest, HeldCyclesAreDrawnLiveFromTheThirdOnWithoutAHistory) {
  ShowTrendCaptions(c);
  EXPECT_EQ(Trend(c).lblPlotTime.caption, "Live: last 1 h");
  c.model.PVarOut[2].PVarName = "FAN";
  c.model.PVarOut[2].History[1] = 1;
  c.model.PVarOut[2].History[2] = 2;
  c.model.PVarOut[2].History[3] = 4;
  Input1({10, 20});
  RefreshTrend(c);
  EXPECT_TRUE(Trend(c).Picture2.traces.empty());
  EXPECT_EQ(Trend(c).lblScaleHi[0].caption, "A:");  // untouched until a trace is drawn

  Input1({10, 20, 30});
  RefreshTrend(c);
  ASSERT_EQ(Trend(c).Picture2.traces.size(), 2u);  // input 1 and output 2, nothing for blanks
  const TrendTrace* feed = Trace(0);
  const TrendTrace* fan = Trace(7);
  ASSERT_TRUE(feed && fan);
  ASSERT_EQ(feed->points.size(), 3u);  // one point a cycle: two segments
  EXPECT_TRUE(feed->breaks.empty());
  EXPECT_EQ(feed->pen, PenColor(1));
  EXPECT_EQ(fan->pen, PenColor(8));
  EXPECT_EQ(fan->name, "FAN");
  EXPECT_EQ(Trend(c).lblPenName[7].caption, "FAN");
  EXPECT_EQ(Trend(c).lblPenName[7].foreColour, PenColor(8));
  EXPECT_EQ(Trend(c).lblScaleHi[7].caption, "A: 4.000");
  EXPECT_EQ(Trend(c).lblScaleLo[7].caption, "A: 1.000");
  // The newest cycle at the right edge, the ones before 10 s (1/360 of the hour) apart.
  EXPECT_NEAR(feed->points[2].x, 1.0, 0.002);
  EXPECT_NEAR(feed->points[2].x - feed->points[1].x, 1.0 / 360, 0.002);

  // A refresh after the held cycles shrank (a restart of counting) clears the picture again.
  c.model.HistCount = 1;
  RefreshTrend(c);
  EXPECT_TRUE(Trend(c).Picture2.traces.empty());
}

TEST_F(TrendPlotTest, ScalesAreAutomaticOrFixedAndAFlatTraceLiesMidBand) {
  Input1({5, 5, 5, 5});
  RefreshTrend(c);
  const TrendTrace* t = Trace(0);
  ASSERT_TRUE(t);
  EXPECT_DOUBLE_EQ(t->hi, 5.5);
  EXPECT_DOUBLE_EQ(t->lo, 4.5);
  for (const TrendPoint& p : t->points) EXPECT_NEAR(p.y, 0.48, 1e-12);  // half-way 2 % .. 94 %
  EXPECT_EQ(Trend(c).lblScaleHi[0].caption, "A: 5.500");
  EXPECT_EQ(Trend(c).lblScaleLo[0].caption, "A: 4.500");

  // A fixed scale 0..100: bottom at 94 %, top at 2 %; a value beyond the top is drawn above it
  // (the window clips it).
  c.model.PVarIn[1].PlotHi = "100";
  c.model.PVarIn[1].PlotLo = "0";
  Input1({0, 50, 100, 150});
  RefreshTrend(c);
  t = Trace(0);
  ASSERT_TRUE(t);
  ASSERT_EQ(t->points.size(), 4u);
  const double ys[] = {0.94, 0.48, 0.02, -0.44};
  for (std::size_t j = 0; j < 4; ++j) EXPECT_NEAR(t->points[j].y, ys[j], 1e-12) << j;
  EXPECT_EQ(Trend(c).lblScaleHi[0].caption, "100.000");  // no "A: " before a fixed end
  EXPECT_EQ(Trend(c).lblScaleLo[0].caption, "0.000");

  // One end fixed, the other automatic: AUTO takes the extreme of the span only.
  c.model.PVarIn[1].PlotHi = kAuto;
  c.model.PVarIn[1].History[5] = 999;  // beyond HistCount: not part of the plot
  RefreshTrend(c);
  EXPECT_EQ(Trend(c).lblScaleHi[0].caption, "A: 150.000");
  EXPECT_EQ(Trend(c).lblScaleLo[0].caption, "0.000");

  // A blank variable draws nothing and leaves its scale labels as they were.
  c.model.PVarIn[2].PVarName = "   ";
  c.model.PVarIn[2].History = c.model.PVarIn[1].History;
  Trend(c).lblScaleHi[1].caption = "kept";
  RefreshTrend(c);
  EXPECT_EQ(Trace(1), nullptr);
  EXPECT_EQ(Trend(c).lblScaleHi[1].caption, "kept");
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
  EXPECT_EQ(Trend(c).lblScaleHi[0].caption, "A: 3.000");
  EXPECT_EQ(Trend(c).lblScaleLo[0].caption, "A: 1.000");
  EXPECT_EQ(c.model.PVarIn[1].PlotHi, "12abc");  // the file's text is kept as it was

  // Another bad text is told again; so is the same one after it had been mended.
  c.model.PVarIn[1].PlotHi = "1e99";  // beyond the single range
  RefreshTrend(c);
  c.model.PVarIn[1].PlotHi = "50";
  RefreshTrend(c);
  EXPECT_EQ(Trend(c).lblScaleHi[0].caption, "50.000");
  c.model.PVarIn[1].PlotHi = "12abc";
  RefreshTrend(c);
  RefreshTrend(c);
  EXPECT_EQ(test::EventTextsOfKind(c.events, EventKind::Configuration).size(), 3u);
}

TEST_F(TrendPlotTest, AfterARestartTheLastHourIsDrawnFromTheRecordedHistory) {
  // Two hours of cycles a minute apart, the last a minute ago: FEED counts the minutes 0..59.
  c.model.FLCBlock.RunFrequency = 60;
  Record(120, Now() - kMinuteMs, kMinuteMs,
         [](long k) { return 100 + static_cast<double>(k % 60); });
  c.model.PVarIn[1].PVarName = "FEED";
  c.model.PVarOut[1].PVarName = "FUEL";
  c.model.HistCount = 0;  // a restart holds nothing in memory
  ShowTrendCaptions(c);   // the main display's build: drawn before the first cycle
  const TrendTrace* feed = Trace(0);
  ASSERT_TRUE(feed);
  ASSERT_TRUE(Trace(6));
  // The hour's cycles, one line: the oldest at the left edge, the newest a minute from the right.
  EXPECT_EQ(feed->points.size(), 60u);
  EXPECT_LT(feed->points.front().x, 0.01);
  EXPECT_NEAR(feed->points.back().x, 59.0 / 60, 0.005);
  EXPECT_TRUE(feed->breaks.empty());
  EXPECT_EQ(Trend(c).lblScaleHi[0].caption, "A: 159.000");
  EXPECT_EQ(Trend(c).lblScaleLo[0].caption, "A: 100.000");
  EXPECT_EQ(Trend(c).lblScaleHi[6].caption, "A: 318.000");

  // The first cycle after the restart shows before the recorder has it: held cycles are merged.
  c.model.PVarIn[1].History[1] = 500;
  c.model.HistoryTime[1] = DateTimeOfHistoryMs(Now());
  c.model.HistCount = 1;
  RefreshTrend(c);
  EXPECT_EQ(Trend(c).lblScaleHi[0].caption, "A: 500.000");
  EXPECT_NEAR(Trace(0)->points.back().x, 1.0, 0.002);
  EXPECT_NEAR(Trace(0)->points.back().y, 0.02, 1e-9);
}

TEST_F(TrendPlotTest, LongSpansDrawEachColumnsExtremesScrollZoomAndReturnToLive) {
  // A day of cycles 10 s apart up to now, with the controller off for an hour at noon
  // yesterday; FEED swings 0..100 each minute.
  ConfigRevision config;
  config.in[1] = {"FEED", "t/h", 0, 200};
  const std::int64_t now = Now();
  HistoryWriter writer(dir.Path(), [](const std::string&, bool) {});
  writer.RecordMany(
      8280,
      [now](long k) {
        const long place = k == 0 ? 0 : k + 360;  // none from 24 h to 23 h ago
        CycleRecord row;
        row.timeMs = now - (8640 - place) * 10'000LL;
        row.in[1].pv = 100 * static_cast<double>(place % 6) / 5;
        return row;
      },
      config);
  c.model.PVarIn[1].PVarName = "FEED";
  SetTrendColumns(c, 200);
  ZoomTrendPreset(c, 3);  // 24 h: 432 s a column, over 40 cycles each
  EXPECT_TRUE(Trend(c).span.Live());
  EXPECT_EQ(Trend(c).lblPlotTime.caption, "Live: last 24 h");
  const TrendTrace* feed = Trace(0);
  ASSERT_TRUE(feed);
  EXPECT_LE(feed->points.size(), 400u);  // at most two a column, however many cycles
  EXPECT_GE(feed->points.size(), 380u);
  // Every column spans the whole swing: its top and bottom at one place.
  EXPECT_DOUBLE_EQ(feed->points[101].x, feed->points[102].x);
  EXPECT_NEAR(std::fabs(feed->points[101].y - feed->points[102].y), 0.92, 1e-9);
  EXPECT_EQ(feed->breaks.size(), 1u);  // the hour the controller was off stays a gap

  ScrollTrend(c, -0.5);  // half a day back
  EXPECT_FALSE(Trend(c).span.Live());
  EXPECT_EQ(Trend(c).span.End(), now - 12 * kHourMs);
  EXPECT_EQ(Trend(c).lblPlotTime.caption, "24 h to Dec-05-2026 00:00:00");
  world.clock.Advance(600);  // time goes on: the span scrolled back stays
  RefreshTrend(c);
  EXPECT_EQ(Trend(c).span.End(), now - 12 * kHourMs);
  ZoomTrend(c, 0.5);  // around its middle
  EXPECT_EQ(Trend(c).span.SpanMs(), 12 * kHourMs);
  EXPECT_EQ(Trend(c).span.End(), now - 18 * kHourMs);
  ZoomTrend(c, 1e-9);
  EXPECT_EQ(Trend(c).span.SpanMs(), kMinuteMs);  // no shorter than a minute
  ScrollTrendTo(c, Now() + kDayMs);              // scrolled past now: live again
  EXPECT_TRUE(Trend(c).span.Live());
  ScrollTrend(c, -3);
  TrendLive(c);
  EXPECT_TRUE(Trend(c).span.Live());
  EXPECT_EQ(Trend(c).span.End(), Now());
}

TEST_F(TrendPlotTest, TheCursorReadsEveryShownPenFromTheHeldCyclesOrTheHistory) {
  EXPECT_FALSE(TrendCursorAt(c, 0.5));  // nothing drawn
  // Recorded: FEED 100 + k a minute apart from 10:01 to 11:00 and FUEL twice that.
  c.model.FLCBlock.RunFrequency = 60;
  Record(60, Now() - kHourMs, kMinuteMs, [](long k) { return 100 + static_cast<double>(k); });
  Input1({10, 20, 30});
  c.model.PVarOut[1].PVarName = "FUEL";
  c.model.PVarOut[1].History[1] = 1.5f;
  c.model.PVarOut[1].History[2] = 2.5f;
  c.model.PVarOut[1].History[3] = 3.25f;
  RefreshTrend(c);

  // Held: the second last cycle, 10 s before now, is read just after it.
  const double second = 1 - 9.0 / 3600;
  const auto held = TrendCursorAt(c, second);
  ASSERT_TRUE(held);
  EXPECT_EQ(held->timeMs, Now() - 10'000);
  EXPECT_NEAR(held->x, 1 - 10.0 / 3600, 1e-9);
  ASSERT_EQ(held->lines.size(), 3u);
  EXPECT_EQ(held->lines[0].text, "Dec-05-2026 11:59:50");
  EXPECT_EQ(held->lines[1].text, "FEED: 20.000");
  EXPECT_EQ(held->lines[2].text, "FUEL: 2.500");
  EXPECT_EQ(held->lines[2].colour, PenColor(7));
  // Left of the held cycles, the newest recorded cycle before: the last an hour ago.
  const auto before = TrendCursorAt(c, 0.5);
  ASSERT_TRUE(before);
  EXPECT_EQ(before->lines[0].text, "Dec-05-2026 11:00:00");
  EXPECT_EQ(before->lines[1].text, "FEED: 159.000");
  EXPECT_EQ(before->lines[2].text, "FUEL: 318.000");

  // Scrolled back an hour: the recorded cycles, read from the history; a hidden pen is not.
  ScrollTrend(c, -1);
  Trend(c).Picture2.penHidden[6] = true;
  ShowPenState(c, 6);
  const auto recorded = TrendCursorAt(c, 0.5);
  ASSERT_TRUE(recorded);
  EXPECT_EQ(recorded->lines[0].text, "Dec-05-2026 10:30:00");
  ASSERT_EQ(recorded->lines.size(), 2u);
  EXPECT_EQ(recorded->lines[1].text, "FEED: 129.000");
  EXPECT_FALSE(TrendCursorAt(c, 0.0));  // 10:00: the first cycle was recorded at 10:01
}

TEST_F(TrendPlotTest, TheExportWritesTheSpanShownFromTheHistoryAndTheHeldCycles) {
  c.model.FLCBlock.RunFrequency = 60;
  Record(120, Now() - kMinuteMs, kMinuteMs, [](long k) { return 0.5 * static_cast<double>(k); });
  c.model.PVarIn[1].PVarName = "FEED";
  c.model.PVarIn[3].PVarName = "A,\"B\"";  // quoted as a spreadsheet expects
  c.model.HistCount = 1;                   // the newest cycle, not recorded yet
  c.model.PVarIn[1].History[1] = 1e8f;
  c.model.HistoryTime[1] = DateTimeOfHistoryMs(Now());
  RefreshTrend(c);
  std::string csv = TrendCsvText(c);
  EXPECT_EQ(csv.substr(0, csv.find("\r\n", csv.find("\r\n") + 2) + 2),
            "Time,FEED,\"A,\"\"B\"\"\"\r\n2026-12-05T11:00:00,30,0\r\n");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 60 + 1);  // the hour's, and the held
  EXPECT_NE(csv.find("2026-12-05T11:59:00,59.5,0\r\n2026-12-05T12:00:00,1E+08,-9999.99\r\n"),
            std::string::npos);

  ScrollTrend(c, -0.5);  // 10:30 .. 11:30: recorded cycles only
  csv = TrendCsvText(c);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 61);
  EXPECT_EQ(csv.find("1E+08"), std::string::npos);
}

TEST_F(TrendPlotTest, AMissingOrDamagedHistoryLeavesTheLiveTrendDrawnFromMemory) {
  dir.Write(kHistoryFileName, std::string(4096, 'x'));  // not a database
  Input1({1, 2, 3});
  EXPECT_NO_THROW(RefreshTrend(c));
  ASSERT_TRUE(Trace(0));
  EXPECT_EQ(Trace(0)->points.size(), 3u);
  EXPECT_EQ(Trend(c).lblScaleHi[0].caption, "A: 3.000");
  ASSERT_TRUE(TrendCursorAt(c, 1.0));
  EXPECT_EQ(TrendCursorAt(c, 1.0)->lines[1].text, "FEED: 3.000");
  const std::string csv = TrendCsvText(c);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4);
  EXPECT_TRUE(test::EventTextsOfKind(c.events, EventKind::Control).empty());
}

}  // namespace
}  // namespace kavro
