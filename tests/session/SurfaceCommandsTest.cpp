// Saving the control surface: the grid as CSV and the picture as PNG land whole in WorkDir
// under the typed name; a refused view saves nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "session/SurfaceCommands.h"
#include "support/DisplayFixture.h"
#include "support/EngineTestModel.h"

namespace kavro {
namespace {

struct SurfaceCommandsTest : test::DisplayFixture {
  SurfaceCommandsTest() {
    test::OneRuleController(c);
    c.model.WorkDir = dir.Path();
    setup.output = 1;
    setup.xInput = 1;
    setup.yInput = 2;
  }
  void Answer(std::optional<std::string> text) { world.op.inputs.push_back(std::move(text)); }
  test::ScratchDir dir;
  SurfaceSetup setup;
};

TEST_F(SurfaceCommandsTest, CsvAndPictureAreWrittenIntoWorkDir) {
  const SurfaceViewState view = ComputeSurfaceView(c.model, c.grid, setup);
  Answer("fuel map ");
  ExportSurfaceCsv(c, view);
  EXPECT_EQ(world.op.prompts.back(), kExportSurfacePrompt);
  const std::string csv = dir.Read("fuel map.CSV");
  EXPECT_EQ(csv, SurfaceViewCsv(view));
  EXPECT_EQ(csv.substr(0, 15), "X,Y,OUT\n0,0,7\n0");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 60 * 60);

  Answer("fuel");
  SaveSurfacePicture(c, std::string("\x89PNG\r\n\x1a\n", 8));
  EXPECT_EQ(world.op.prompts.back(), kSaveSurfacePicturePrompt);
  EXPECT_EQ(dir.Read("fuel.PNG"), std::string("\x89PNG\r\n\x1a\n", 8));
  EXPECT_TRUE(world.op.messages.empty());

  Answer("../escape");
  ExportSurfaceCsv(c, view);
  ASSERT_EQ(world.op.messages.size(), 1u);
  EXPECT_EQ(world.op.messages[0].text.rfind("Control surface not saved: \"../escape\"", 0), 0u)
      << world.op.messages[0].text;
  EXPECT_FALSE(std::filesystem::exists(dir.Path() + "/../escape.CSV"));
}

TEST_F(SurfaceCommandsTest, ARefusedViewAsksForNoName) {
  setup.yInput = 1;
  const SurfaceViewState refused = ComputeSurfaceView(c.model, c.grid, setup);
  ASSERT_FALSE(refused.refusal.empty());
  ExportSurfaceCsv(c, refused);
  EXPECT_TRUE(world.op.prompts.empty());
}

}  // namespace
}  // namespace kavro
