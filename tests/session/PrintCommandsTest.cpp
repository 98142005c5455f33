#include <gtest/gtest.h>

#include <filesystem>

#include "session/MenuCommands.h"
#include "session/PrintCommands.h"
#include "support/DisplayFixture.h"

namespace kavro {
namespace {

// A printer and screen that record what the commands asked and fail where told.
class FakePrinter : public PrintAndCapture {
 public:
  void SetBusyPointer(bool busy) override { busySteps.push_back(busy); }
  std::optional<int> PrinterSetup() override { return setupAnswer; }
  bool BeginPrint(std::string& error) override { return Step("begin", error); }
  bool PrintWindowPage(std::string& error) override {
    const bool ok = Step("page", error);
    if (ok) pageTimes.push_back(clock->seconds);
    return ok;
  }
  bool EndPrint(std::string& error) override { return Step("end", error); }
  void AbortPrint() override { steps.push_back("abort"); }
  std::optional<ScreenPicture> GrabScreen(std::string& error) override {
    steps.push_back("grab");
    if (!picture) error = "the screen cannot be pictured";
    return picture;
  }

  bool Step(const std::string& step, std::string& error) {
    steps.push_back(step);
    if (failAt == static_cast<int>(steps.size())) {
      error = "the printer is out of paper";
      return false;
    }
    return true;
  }

  test::FakeClock* clock = nullptr;
  std::optional<int> setupAnswer;
  std::optional<ScreenPicture> picture = ScreenPicture{"BM-picture", true};
  int failAt = 0;  // the step (from 1) that fails
  std::vector<std::string> steps;
  std::vector<bool> busySteps;
  std::vector<double> pageTimes;
};

struct PrintCommandsTest : test::DisplayFixture {
  PrintCommandsTest() {
    ResetModel(c.model, dir.Path());
    ApplyDefaults(c.model);
    printer.clock = &world.clock;
    c.ports.printing = &printer;
  }
  test::ScratchDir dir;
  FakePrinter printer;
};

TEST_F(PrintCommandsTest, PrintBeforeAnySetupPrintsOneCopyThenWaits) {
  mnuPrintScreen(c);
  EXPECT_EQ(printer.steps, (std::vector<std::string>{"begin", "page", "end"}));
  EXPECT_EQ(c.model.PrinterCopies, 1);
  EXPECT_GE(world.events.sleptMilliseconds, 1000);
  EXPECT_EQ(printer.busySteps, (std::vector<bool>{true, false}));
  EXPECT_TRUE(world.op.messages.empty());
}

TEST_F(PrintCommandsTest, SetupChoosesTheCopiesAndCancelChangesNothing) {
  printer.setupAnswer = 3;
  mnuPrintSetup(c);
  EXPECT_EQ(c.model.PrinterCopies, 3);
  EXPECT_FALSE(c.model.CycleHold);
  printer.setupAnswer.reset();  // Cancel
  mnuPrintSetup(c);
  EXPECT_EQ(c.model.PrinterCopies, 3);

  mnuPrintScreen(c);
  EXPECT_EQ(printer.steps, (std::vector<std::string>{"begin", "page", "page", "page", "end"}));
  ASSERT_EQ(printer.pageTimes.size(), 3u);
  // A second's wait after each copy, the event loop running meanwhile.
  EXPECT_GE(printer.pageTimes[1] - printer.pageTimes[0], 1.0);
  EXPECT_GE(printer.pageTimes[2] - printer.pageTimes[1], 1.0);
  EXPECT_GE(world.events.sleptMilliseconds, 3000);
  EXPECT_GT(world.events.processEventsCalls, 0);
}

TEST_F(PrintCommandsTest, PrinterFailureIsToldAndTheJobDropped) {
  printer.failAt = 1;  // no printer: nothing was started, nothing to drop
  mnuPrintScreen(c);
  EXPECT_EQ(printer.steps, (std::vector<std::string>{"begin"}));
  ASSERT_EQ(world.op.messages.size(), 1u);
  EXPECT_EQ(world.op.messages[0].text, "Print Screen failed: the printer is out of paper");
  EXPECT_EQ(world.op.messages[0].title, "Kavro");

  printer.steps.clear();
  c.model.PrinterCopies = 2;
  printer.failAt = 3;  // the second page
  mnuPrintScreen(c);
  EXPECT_EQ(printer.steps, (std::vector<std::string>{"begin", "page", "page", "abort"}));
  EXPECT_EQ(world.op.messages.size(), 2u);
  // Both failures are in the event log (the same text is counted, not repeated).
  ASSERT_EQ(test::EventTextsOfKind(c.events, EventKind::Control).size(), 1u);
  EXPECT_EQ(c.events.Entries().back().repeats, 2);
  EXPECT_EQ(printer.busySteps, (std::vector<bool>{true, false, true, false}));

  // The whole menu path: a failure is a message, never an exception out of the command.
  printer.steps.clear();
  printer.failAt = 2;
  EXPECT_TRUE(RunMenuCommand(c, WindowMenuCommands({}), "mnuPrintScreen"));
  EXPECT_EQ(world.op.messages.size(), 3u);
}

TEST_F(PrintCommandsTest, ScreenImageIsSavedAsBmpInWorkDir) {
  world.op.inputs.push_back("plant1   ");
  SaveScreenImage(c);
  EXPECT_EQ(world.op.prompts.back(),
            "Screen Image will be Saved With .BMP Extension - Enter File Name: ");
  EXPECT_EQ(world.op.inputTitles.back(), "Kavro");
  EXPECT_EQ(dir.Read("plant1.BMP"), "BM-picture");
  EXPECT_GE(world.events.sleptMilliseconds, 500);  // the box leaves the screen first
  EXPECT_TRUE(world.op.messages.empty());
  EXPECT_FALSE(c.model.CycleHold);

  // A desktop that refuses the grab: the window's own picture, and the log says so.
  printer.picture = ScreenPicture{"BM-window", false};
  world.op.inputs.push_back("plant2");
  SaveScreenImage(c);
  EXPECT_EQ(dir.Read("plant2.BMP"), "BM-window");
  const auto notes = test::EventTextsOfKind(c.events, EventKind::Control);
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[0], "Screen image saved as plant1.BMP");
  EXPECT_NE(notes[1].find("main window"), std::string::npos) << notes[1];
}

TEST_F(PrintCommandsTest, ScreenImageRefusesBadNamesAndToldFailures) {
  for (const char* nothing : {"", "    "}) {
    world.op.inputs.push_back(std::string(nothing));
    SaveScreenImage(c);
  }
  world.op.inputs.push_back(std::nullopt);
  SaveScreenImage(c);
  EXPECT_TRUE(printer.steps.empty());
  EXPECT_TRUE(world.op.messages.empty());

  for (const char* bad : {"../plant1", "sub/plant1", "..", "a\\b"}) {
    world.op.inputs.push_back(std::string(bad));
    SaveScreenImage(c);
  }
  EXPECT_TRUE(printer.steps.empty());  // nothing grabbed for a name that cannot be used
  ASSERT_EQ(world.op.messages.size(), 4u);
  EXPECT_EQ(world.op.messages[0].text.rfind("Screen image not saved: \"../plant1\"", 0), 0u)
      << world.op.messages[0].text;
  EXPECT_FALSE(std::filesystem::exists(dir.Path() + "/../plant1.BMP"));

  printer.picture.reset();
  world.op.inputs.push_back("plant3");
  SaveScreenImage(c);
  EXPECT_EQ(world.op.messages.back().text, "Screen image not saved: the screen cannot be pictured");

  // A folder that cannot be written: told, and no file (or part of one) left behind.
  printer.picture = ScreenPicture{"BM", true};
  c.model.WorkDir = dir.Path() + "/missing";
  world.op.inputs.push_back("plant4");
  SaveScreenImage(c);
  EXPECT_EQ(world.op.messages.back().text.rfind(
                "Screen image not saved: " + dir.Path() + "/missing/plant4.BMP: ", 0),
            0u)
      << world.op.messages.back().text;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                          std::filesystem::directory_iterator()),
            0);
}

}  // namespace
}  // namespace kavro
