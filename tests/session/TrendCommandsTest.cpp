#include <gtest/gtest.h>

#include <filesystem>

#include "common/KavroError.h"
#include "display/PenColours.h"
#include "display/TrendExport.h"
#include "display/TrendPlot.h"
#include "session/SaveCommands.h"
#include "session/TrendCommands.h"
#include "support/DisplayFixture.h"
#include "support/HeldCycles.h"

namespace kavro {
namespace {

struct TrendCommandsTest : test::DisplayFixture {
  TrendCommandsTest() {
    ResetModel(c.model, dir.Path());
    ApplyDefaults(c.model);
    c.model.FLCBlock.Name1 = "KILN1";
    c.model.PVarIn[2].PVarName = "O2";
    c.model.PVarIn[2].PlotHi = c.model.PVarIn[2].PlotLo = kAuto;
  }
  void Answer(std::optional<std::string> text) { world.op.inputs.push_back(std::move(text)); }
  test::ScratchDir dir;
  LabelState& hi = Trend(c).lblScaleHi[1];
  LabelState& lo = Trend(c).lblScaleLo[1];
  std::string& plotHi = c.model.PVarIn[2].PlotHi;
  std::string& plotLo = c.model.PVarIn[2].PlotLo;
};

TEST_F(TrendCommandsTest, ScaleBoxKeepsTheScaleTheRightWayUp) {
  lo.caption = "4.000";  // a fixed bottom
  hi.caption = "A: 5.500";
  Answer("3");
  lblScaleHi_Click(c, 1);
  EXPECT_EQ(world.op.prompts.back(), "Enter Plot MAX Value or AUTO");
  EXPECT_EQ(world.op.inputTitles.back(), "KILN1");
  EXPECT_EQ(world.op.inputInitials.back(), "AUTO");  // an automatic end offers AUTO
  EXPECT_EQ(hi.caption, "4.1");
  EXPECT_EQ(plotHi, "4.1");
  EXPECT_TRUE(c.model.ChangesPending);
  EXPECT_FALSE(c.model.CycleHold);

  // The bottom's twin: at or above a fixed top it goes 0.1 under it; its default is its caption.
  hi.caption = "10.000";
  Answer("12.5");
  lblScaleLo_Click(c, 1);
  EXPECT_EQ(world.op.prompts.back(), "Enter Plot MIN Value or AUTO");
  EXPECT_EQ(world.op.inputInitials.back(), "4.000");
  EXPECT_EQ(lo.caption, "9.9");
  EXPECT_EQ(plotLo, "9.9");

  // Against an automatic opposite end nothing is moved; "####0.0##" shows up to three decimals.
  lo.caption = "A: 4.000";
  Answer("-3.14159");
  lblScaleHi_Click(c, 1);
  EXPECT_EQ(hi.caption, "-3.142");
  EXPECT_EQ(plotHi, "-3.142");
  Answer("7");
  lblScaleHi_Click(c, 1);
  EXPECT_EQ(hi.caption, "7.0");
}

TEST_F(TrendCommandsTest, ScaleBoxTakesOnlyNumbersAndExactAuto) {
  hi.caption = "250.0";
  plotHi = "250.0";
  for (const char* ignored : {"auto", "Auto ", "", "abc", "1e999", "12 kg"}) {
    Answer(std::string(ignored));
    lblScaleHi_Click(c, 1);
    EXPECT_EQ(hi.caption, "250.0") << ignored;
    EXPECT_EQ(plotHi, "250.0") << ignored;
  }
  Answer(std::nullopt);  // Cancel
  lblScaleHi_Click(c, 1);
  EXPECT_EQ(plotHi, "250.0");
  EXPECT_FALSE(c.model.ChangesPending);

  Answer("AUTO");
  lblScaleHi_Click(c, 1);
  EXPECT_EQ(hi.caption, "A:");
  EXPECT_EQ(plotHi, "AUTO");
  EXPECT_TRUE(c.model.ChangesPending);
  EXPECT_THROW(lblScaleHi_Click(c, 8), KavroError);  // there are eight pairs, 0..7
}

TEST_F(TrendCommandsTest, ChangedScaleIsSavedAndDrawnFromTheNextRefresh) {
  lo.caption = "4.000";
  Answer("3");
  lblScaleHi_Click(c, 1);
  mnuSave(c);
  const std::string saved = dir.Read("FLC.dat");
  EXPECT_NE(saved.find("PVarName: O2\r\n"), std::string::npos);
  EXPECT_NE(saved.find("PlotHi: 4.1\r\n"), std::string::npos) << saved;

  for (int j = 1; j <= 3; ++j) c.model.PVarIn[2].History[j] = static_cast<float>(j);
  test::HoldCycles(c, 3);
  RefreshTrend(c);
  EXPECT_EQ(hi.caption, "4.100");
  EXPECT_EQ(lo.caption, "A: 1.000");
}

TEST_F(TrendCommandsTest, NameClickHidesAndShowsANamedPen) {
  for (int j = 1; j <= 3; ++j) c.model.PVarIn[2].History[j] = static_cast<float>(j);
  test::HoldCycles(c, 3);
  RefreshTrend(c);
  ASSERT_EQ(Trend(c).Picture2.traces.size(), 1u);
  MainGridNameClick(c, grid::InputColumn(2));
  EXPECT_FALSE(Trend(c).Picture2.traces[0].shown);
  EXPECT_NE(hi.foreColour, PenColor(2));
  RefreshTrend(c);  // stays hidden across cycles
  EXPECT_FALSE(Trend(c).Picture2.traces[0].shown);
  MainGridNameClick(c, grid::InputColumn(2));
  EXPECT_TRUE(Trend(c).Picture2.traces[0].shown);
  EXPECT_EQ(hi.foreColour, PenColor(2));

  // Blank variables and the label columns have no pen.
  for (int col : {0, 1, grid::InputColumn(1), grid::OutputColumn(2), 10}) {
    MainGridNameClick(c, col);
  }
  for (bool hidden : Trend(c).Picture2.penHidden) EXPECT_FALSE(hidden);
}

TEST_F(TrendCommandsTest, ExportWritesTheHistoryIntoWorkDirOnly) {
  for (int j = 1; j <= 4; ++j) c.model.PVarIn[2].History[j] = 20.5f + static_cast<float>(j);
  test::HoldCycles(c, 4);
  RefreshTrend(c);
  Answer("trend1  ");
  mnuExportTrend(c);
  EXPECT_EQ(world.op.prompts.back(),
            "Trend History will be Saved With .CSV Extension - Enter File Name: ");
  EXPECT_EQ(world.op.inputTitles.back(), "Kavro");
  EXPECT_EQ(dir.Read("trend1.CSV"), TrendCsvText(c));
  EXPECT_NE(dir.Read("trend1.CSV").find(",24.5\r\n"), std::string::npos);  // the newest held
  EXPECT_TRUE(world.op.messages.empty());

  Answer("../escape");
  mnuExportTrend(c);
  ASSERT_EQ(world.op.messages.size(), 1u);
  EXPECT_EQ(world.op.messages[0].text.rfind("Trend history not exported: \"../escape\"", 0), 0u)
      << world.op.messages[0].text;
  EXPECT_FALSE(std::filesystem::exists(dir.Path() + "/../escape.CSV"));

  Answer("   ");
  mnuExportTrend(c);
  EXPECT_EQ(world.op.messages.size(), 1u);
}

}  // namespace
}  // namespace kavro
