// The tuner's search space, the file it writes and the folders it refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

#include "common/ports/FileSystem.h"
#include "tune/DemoCopy.h"
#include "tune/TuneReport.h"
#include "tune/TuneRun.h"
#include "tune/ZonePointsText.h"
#include "tune/ZoneSpace.h"

namespace kavro::test {
namespace {

void ExpectZonesInOrder(const ZoneTable& zones, const ZoneTable& old, const std::string& what) {
  int previous = 0;
  for (int z = 1; z <= NumZones; ++z) {
    if (old[z].MFValue[1] + old[z].MFValue[2] + old[z].MFValue[3] + old[z].MFValue[4] == 0) continue;
    for (int p = 1; p < NumPoints; ++p) {
      ASSERT_LE(zones[z].MFPValue[p], zones[z].MFPValue[p + 1]) << what << " zone " << z;
    }
    if (previous > 0) {
      for (int p = 1; p <= NumPoints; ++p) {
        ASSERT_LE(zones[previous].MFPValue[p], zones[z].MFPValue[p]) << what << " zone " << z;
      }
    }
    previous = z;
  }
}

TEST(ZoneSpace, AnyPointOfTheBoxKeepsZonesInOrderEndsInPlaceAndSharedPointsShared) {
  const DemoCopy demo;
  const ControllerModel& shipped = demo.controller.model;
  const ZoneSpace space(shipped);
  // Gaps: BZTEMP 9, O2 5, NOX 5, TORQUE 5, FUEL 4 and its factor, FAN 2 and its factor; each
  // input's shift and width.
  EXPECT_EQ(space.Dimensions(), 9u + 5 + 5 + 5 + 5 + 3 + 4 * 2);
  ControllerModel same = shipped;
  space.Apply(space.Start(), same);
  EXPECT_EQ(ZoneChangesText(shipped, same), "") << "the start point is the shipped configuration";

  std::mt19937 random(5);
  for (int trial = 0; trial < 200; ++trial) {
    std::vector<double> x(space.Dimensions());
    for (std::size_t k = 0; k < x.size(); ++k) {
      // The corners of the box as well as inside it.
      const int pick = static_cast<int>(random() % 4);
      const double u = std::uniform_real_distribution<double>(0, 1)(random);
      x[k] = pick == 0 ? space.Lower()[k]
             : pick == 1 ? space.Upper()[k]
                         : space.Lower()[k] + u * (space.Upper()[k] - space.Lower()[k]);
    }
    ControllerModel m = shipped;
    space.Apply(x, m);
    for (int i = 1; i <= 4; ++i) ExpectZonesInOrder(m.PVarIn[i].Zone, shipped.PVarIn[i].Zone, "input");
    for (int o = 1; o <= 2; ++o) ExpectZonesInOrder(m.PVarOut[o].Zone, shipped.PVarOut[o].Zone, "output");
    const ZoneTable& t = m.PVarIn[1].Zone;  // BZTEMP, 1200 .. 1600
    EXPECT_EQ(t[1].MFPValue[1], 1200.0f);
    EXPECT_EQ(t[5].MFPValue[4], 1600.0f);
    EXPECT_EQ(t[1].MFPValue[3], t[2].MFPValue[1]) << "VLOW ends fading where LOW starts";
    EXPECT_EQ(t[2].MFPValue[3], t[3].MFPValue[1]);
    const ZoneTable& fuel = m.PVarOut[1].Zone;
    EXPECT_EQ(fuel[3].MFPValue[1], 0.0f) << "an increment of zero stays zero under the factor";
  }
  EXPECT_FALSE(::testing::Test::HasFailure());
}

TEST(ZoneSpace, AnInputsShiftAndWidthMoveItsInnerPointsAsAWholeWithinItsEnds) {
  const DemoCopy demo;
  const ControllerModel& shipped = demo.controller.model;
  const ZoneSpace space(shipped);
  // O2's numbers follow BZTEMP's 9 gaps, shift and width: its 5 gaps, then its shift and width.
  constexpr std::size_t kShift = 11 + 5;
  constexpr std::size_t kWidth = kShift + 1;
  const auto o2 = [&](double shift, double width) {
    std::vector<double> x = space.Start();
    x[kShift] = shift;
    x[kWidth] = width;
    ControllerModel m = shipped;
    space.Apply(x, m);
    const ZoneTable& z = m.PVarIn[2].Zone;  // LOW 0 0 1.2 1.8, OK 1.2 1.8 2.6 3.2, HIGH .. 10 10
    return std::vector<float>{z[1].MFPValue[1], z[2].MFPValue[1], z[2].MFPValue[2],
                              z[2].MFPValue[3], z[2].MFPValue[4], z[3].MFPValue[4]};
  };
  // Halved about their middle 2.2, then moved by a quarter of their span (2): about 2.7.
  EXPECT_EQ(o2(0, std::log(0.5)), (std::vector<float>{0, 1.7f, 2.0f, 2.4f, 2.7f, 10}));
  EXPECT_EQ(o2(0.25, std::log(0.5)), (std::vector<float>{0, 2.2f, 2.5f, 2.9f, 3.2f, 10}));
  EXPECT_EQ(o2(-0.5, 0), (std::vector<float>{0, 0.2f, 0.8f, 1.6f, 2.2f, 10}));
  // Widened past an end, the inner points stop there rather than cross it.
  EXPECT_EQ(o2(-0.5, 0.4)[1], 0.0f);
  ControllerModel m = shipped;
  std::vector<double> x = space.Start();
  x[kWidth] = std::log(0.5);
  space.Apply(x, m);
  EXPECT_EQ(ZoneChangesText(shipped, m).find("BZTEMP"), std::string::npos) << "O2's alone";
}

TEST(ZonePointsText, TheTunedFileDiffersFromTheOldInZonePointsOnly) {
  const DemoCopy demo;
  std::string original;
  ASSERT_TRUE(SystemFileSystem().ReadAll(demo.dir.File("FLC.dat"), original));
  const ZoneSpace space(demo.controller.model);
  ControllerModel tuned = demo.controller.model;
  std::vector<double> x(space.Dimensions(), 0.7);
  space.Apply(x, tuned);
  const std::string text = WithZonePoints(original, tuned);
  std::istringstream a(original);
  std::istringstream b(text);
  std::string la;
  std::string lb;
  int changed = 0;
  std::string previous;
  int sinceLabel = 99;
  while (std::getline(a, la) && std::getline(b, lb)) {
    ++sinceLabel;
    if (la.starts_with("MFPValue:")) sinceLabel = 0;
    if (la != lb) {
      ++changed;
      EXPECT_TRUE(sinceLabel >= 1 && sinceLabel <= 4) << la << " became " << lb;
      EXPECT_EQ(lb.back(), '\r') << "CR LF kept";
    }
  }
  EXPECT_FALSE(std::getline(b, lb)) << "as many lines as before";
  EXPECT_GT(changed, 20);
}

TEST(TuneRun, RefusesAnOutputFolderThatIsTheWorkingFolderOrNotEmptyWritingNothing) {
  const DemoCopy demo;
  const auto before = demo.Files();
  std::ostringstream progress;
  TuneOptions options;
  options.workDir = demo.dir.Path();
  options.budgetSeconds = 1;
  options.outDir = demo.dir.Path() + "/.";
  try {
    RunTune(options, progress, nullptr);
    ADD_FAILURE() << "tuned into the working folder";
  } catch (const TuneInputError& bad) {
    EXPECT_EQ(std::string(bad.what()), "--out " + demo.dir.Path() + "/. is the working folder itself");
  }
  ScratchDir other;
  other.Write("notes.txt", "mine");
  options.outDir = other.Path();
  EXPECT_THROW(RunTune(options, progress, nullptr), TuneInputError);
  options.outDir = other.Path() + "/new";
  options.plantFile = demo.dir.File("no-plant.txt");
  EXPECT_THROW(RunTune(options, progress, nullptr), TuneInputError);
  EXPECT_FALSE(std::filesystem::exists(other.Path() + "/new"));
  EXPECT_EQ(demo.Files(), before);
  EXPECT_EQ(progress.str(), "") << "nothing searched";
}

}  // namespace
}  // namespace kavro::test
