// The script editor's decisions without a window: the save sequence through each of its branches,
// the restore of the last good script, an unwritable file, the call list and its filters, typing
// a call over a selection, EditorChanged, the status line and Check.
#include <gtest/gtest.h>

#include <algorithm>

#include "display/MenuTree.h"
#include "display/ScriptEditor.h"
#include "display/StatusFrame.h"
#include "model/Colour.h"
#include "scripting/host/HostTestWorld.h"
#include "scripting/host/ShareObject.h"
#include "support/ForwardingFileSystem.h"

namespace kavro::test {
namespace {

constexpr const char* kPostOn = "Status PostProcess = ON";
const Colour kGreen = PaletteColour(10);

// Every file write fails as on a full disk; reads go to the real files.
class FullDisk : public ForwardingFileSystem {
 public:
  bool WriteAtomic(const std::string& path, const std::string&, std::string* error) override {
    if (error) *error = "Disk write error: cannot write " + path + " (No space left on device)";
    return false;
  }
  bool Copy(const std::string&, const std::string&) override { return false; }
};

// The real files, with every write counted.
class CountingWrites : public FullDisk {
 public:
  bool WriteAtomic(const std::string& path, const std::string& bytes, std::string* error) override {
    ++writes;
    return real.WriteAtomic(path, bytes, error);
  }
  bool Copy(const std::string& from, const std::string& to) override {
    ++writes;
    return real.Copy(from, to);
  }
  int writes = 0;
};

class ScriptEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    w.Start("", ScriptFileOf(kPostOn, "x = 1\r\nSET_SCRIPTBUFFER 1, x, e\r\n"));
    w.world.op.messages.clear();
    w.world.clock.date = DateTime{2026, 12, 7, 0, 0, 0};
    w.world.clock.seconds = 9 * 3600 + 30 * 60 + 5;
  }
  std::vector<std::string> Messages() const { return w.MessageTexts(); }
  std::string PostFile() const { return w.dir.Read("FLC_Post.scp"); }
  const UserScript& post() { return w.host.Script(ScriptKind::Post); }

  HostWorld w;
};

TEST_F(ScriptEditorTest, OpeningShowsTheScriptInMemoryAndHoldsTheDisplayUntilClosed) {
  EXPECT_FALSE(w.model.CycleHold);
  {
    ScriptEditor editor(w.controller, w.host, ScriptKind::Post);
    EXPECT_EQ(editor.Title(), "Kavro PostProcess Script");
    EXPECT_EQ(editor.Pad(), "x = 1\r\nSET_SCRIPTBUFFER 1, x, e");
    EXPECT_EQ(editor.LastGoodText(), editor.Pad());
    EXPECT_FALSE(editor.EditorChanged());
    EXPECT_FALSE(editor.Accepted());
    EXPECT_EQ(editor.Calls().size(), 38u);
    EXPECT_TRUE(w.model.CycleHold);
    w.Tick();  // control goes on while the editor is open
    EXPECT_FLOAT_EQ(w.model.Store.ScriptBuffer[1], 1.0f);
    editor.Close();
    EXPECT_FALSE(w.model.CycleHold);
    EXPECT_TRUE(Messages().empty());  // nothing changed: no question on closing
  }
  ScriptEditor pre(w.controller, w.host, ScriptKind::Pre);
  EXPECT_EQ(pre.Title(), "Kavro - PreProcess Script");
  EXPECT_EQ(pre.Pad(), "");
}

TEST_F(ScriptEditorTest, SaveStopsWithoutChangesWhenDeclinedAndWhenNotAccepted) {
  ScriptEditor editor(w.controller, w.host, ScriptKind::Post);
  const std::string before = PostFile();
  EXPECT_EQ(editor.Save(), SaveOutcome::NoChanges);
  EXPECT_EQ(Messages(), std::vector<std::string>{"No New Changes To Save"});

  editor.PadLostFocus();  // leaving the pad counts as a change
  EXPECT_TRUE(editor.EditorChanged());
  w.world.op.answers = {MsgAnswer::No};
  EXPECT_EQ(editor.Save(), SaveOutcome::Declined);
  EXPECT_EQ(w.world.op.messages.back().text,
            "Please Confirm - OverWrite Any Existing PostProcess Script\r\n"
            "This May Execute The Script Immediately To Check For Errors");
  EXPECT_EQ(w.world.op.messages.back().buttons, MsgButtons::YesNo);
  EXPECT_EQ(w.world.op.messages.back().icon, MsgIcon::Exclamation);
  EXPECT_TRUE(editor.EditorChanged());

  EXPECT_EQ(editor.Save(), SaveOutcome::NotAccepted);  // Yes, but Accept is not ticked
  EXPECT_EQ(w.world.op.messages.back().text,
            "Please Accept the Liability Statement Before Saving The Script");
  EXPECT_TRUE(editor.EditorChanged());
  EXPECT_EQ(PostFile(), before);
  EXPECT_EQ(w.world.op.messages.size(), 4u);
}

TEST_F(ScriptEditorTest, AcceptedGoodTextIsWrittenLoadedAndBecomesTheLastGoodText) {
  ScriptEditor editor(w.controller, w.host, ScriptKind::Post);
  editor.PadChanged("x = 7\nSET_SCRIPTBUFFER 1, x, e");
  editor.SetAccepted(true);
  EXPECT_EQ(editor.Save(), SaveOutcome::Saved);
  EXPECT_EQ(PostFile(),
            "Status PostProcess = ON\r\n12/7/2026 9:30:05 AM\r\nx = 7\r\n"
            "SET_SCRIPTBUFFER 1, x, e\r\n");
  EXPECT_FLOAT_EQ(w.model.Store.ScriptBuffer[1], 7.0f);  // the load ran the new top level
  EXPECT_EQ(w.world.op.messages.back().text, "PostScript File and Script Object Updated");
  EXPECT_EQ(editor.LastGoodText(), editor.Pad());
  EXPECT_FALSE(editor.EditorChanged());
  EXPECT_FALSE(editor.Status().isError);
  EXPECT_EQ(editor.Save(), SaveOutcome::NoChanges);  // right after a save
}

// A rejected save changes nothing: no write at all (not even for a moment), the old script runs
// on with its switch as it was, and the pad keeps the new text with the error line marked; a
// syntax error and a run-time error of the top level alike.
TEST_F(ScriptEditorTest, RejectedTextWritesNothingAndTheOldScriptRunsOn) {
  CountingWrites counting;
  w.controller.ports.files = &counting;
  ScriptEditor editor(w.controller, w.host, ScriptKind::Post);
  const std::string good = editor.Pad();
  const std::string before = PostFile();
  struct Case {
    std::string text;
    int number;  // 0: any
    int padLine;
  };
  for (const Case& c : {Case{"x = 2\r\nIf x Then\r\ny = 3\r\n", 0, 0},  // If without End If
                        Case{"' first\r\nx = 1\r\ny = x / 0\r\n", 11, 3}}) {
    SCOPED_TRACE(c.text);
    w.world.op.messages.clear();
    editor.PadChanged(c.text);
    editor.SetAccepted(true);
    EXPECT_EQ(editor.Save(), SaveOutcome::Rejected);

    const std::vector<std::string> messages = Messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[1].rfind("Script Error #: ", 0), 0u) << messages[1];
    EXPECT_EQ(messages[2], "Error in New Script Text - No New Script Data Is Saved");
    EXPECT_EQ(w.world.op.messages[2].icon, MsgIcon::Exclamation);
    EXPECT_EQ(counting.writes, 0);
    EXPECT_EQ(PostFile(), before);
    EXPECT_EQ(post().text, good);
    EXPECT_TRUE(post().on);
    EXPECT_FALSE(post().loadError);
    EXPECT_TRUE(w.controller.window.menus->mnuPostProcessExeChecked);
    EXPECT_EQ(w.controller.window.status->lblPostScript.backColour, kGreen);
    EXPECT_EQ(editor.Pad(), c.text);
    EXPECT_FALSE(editor.EditorChanged());
    EXPECT_TRUE(editor.Status().isError);
    if (c.number != 0) {
      EXPECT_EQ(editor.Status().number, c.number);
      EXPECT_EQ(editor.Status().padLine, c.padLine);
    }
    EXPECT_GT(editor.Status().padLine, 0);
    EXPECT_LE(editor.Status().padLine, 3);
    EXPECT_NE(editor.Status().text.find("(line " + std::to_string(editor.Status().padLine) + ")"),
              std::string::npos);
  }
  w.model.Store.ScriptBuffer[1] = 0;
  w.Tick();  // the old script still runs every cycle
  EXPECT_FLOAT_EQ(w.model.Store.ScriptBuffer[1], 1.0f);

  editor.Revert();
  EXPECT_EQ(editor.Pad(), good);
  EXPECT_TRUE(editor.EditorChanged());
  w.controller.ports.files = &SystemFileSystem();
}

TEST_F(ScriptEditorTest, UnwritableFileLeavesFileAndEngineAsTheyWereAndSaysWhy) {
  FullDisk full;
  w.controller.ports.files = &full;
  ScriptEditor editor(w.controller, w.host, ScriptKind::Post);
  const std::string before = w.dir.Read("FLC_Post.scp");
  const std::string running = post().text;
  editor.PadChanged("x = 99");
  editor.SetAccepted(true);
  EXPECT_EQ(editor.Save(), SaveOutcome::WriteFailed);
  const std::string& message = w.world.op.messages.back().text;
  EXPECT_NE(message.find(w.dir.File("FLC_Post.scp")), std::string::npos) << message;
  EXPECT_NE(message.find("No space left on device"), std::string::npos) << message;
  EXPECT_EQ(w.dir.Read("FLC_Post.scp"), before);
  EXPECT_EQ(post().text, running);
  EXPECT_TRUE(post().on);
  EXPECT_TRUE(editor.EditorChanged());  // nothing was saved
  EXPECT_TRUE(editor.Status().isError);
  w.controller.ports.files = &SystemFileSystem();
}

TEST_F(ScriptEditorTest, ClosingAfterAChangeAsksAndReleasesTheHoldWhateverTheAnswer) {
  ScriptEditor editor(w.controller, w.host, ScriptKind::Post);
  const std::string before = PostFile();
  editor.PadChanged("x = 5");
  w.world.op.answers = {MsgAnswer::No};
  editor.Close();
  EXPECT_EQ(Messages().size(), 1u);  // the overwrite question, answered No
  EXPECT_EQ(PostFile(), before);
  EXPECT_FALSE(w.model.CycleHold);
  EXPECT_FALSE(editor.IsOpen());
}

TEST_F(ScriptEditorTest, FiltersAndCallsTypedAtTheCaretOverTheSelection) {
  ScriptEditor editor(w.controller, w.host, ScriptKind::Pre);
  EXPECT_EQ(editor.Calls().front(), "Call GET_INPVIN (ix, Val1, ierr)");
  EXPECT_EQ(editor.Calls()[3], "Call GET_INMFPValue (ix, ix2, ix3, Val1, ierr)");
  EXPECT_EQ(editor.Calls()[20], "Call GET_OUTVALUEOUT (ix, Val1, ierr)");
  EXPECT_EQ(editor.Calls()[21], "Call GET_OUTPVSLOPE (ix, ix2, Val1, ierr)");
  const std::pair<CallFilter, size_t> counts[] = {
      {CallFilter::Inp, 12}, {CallFilter::Out, 20}, {CallFilter::Flags, 6}, {CallFilter::All, 38}};
  for (const auto& [filter, count] : counts) {
    editor.SetFilter(filter);
    EXPECT_EQ(editor.Calls().size(), count);
  }
  editor.SetFilter(CallFilter::Flags);
  EXPECT_EQ(editor.Calls().front(), "Call GET_SCRIPTFLAG (ix, Val1, ierr)");

  // Every listed procedure is one the scripts can call.
  std::vector<std::string> declared;
  MakeShareObject(w.model, &declared);
  std::sort(declared.begin(), declared.end());
  std::vector<std::string> listed = ScriptProcedureNames();
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, declared);

  editor.SetFilter(CallFilter::Out);
  editor.PadChanged("a = 1\r\nb = 2");
  const size_t caret = editor.InsertCall(19, 6, 5);  // over the CR, selected backwards
  EXPECT_EQ(editor.Pad(), "a = 1Call SET_OUTVALUEOUT (ix, Val1, ierr) \nb = 2");
  EXPECT_EQ(caret, 5 + std::string("Call SET_OUTVALUEOUT (ix, Val1, ierr) ").size());
  const std::string first = "Call GET_OUTPVIN (ix, Val1, ierr) ";
  const size_t end = editor.InsertCall(0, 1000, 1000);  // at the end of the pad
  EXPECT_EQ(editor.Pad().substr(end - first.size()), first);
  EXPECT_EQ(end, editor.Pad().size());
  EXPECT_TRUE(editor.EditorChanged());
}

TEST_F(ScriptEditorTest, CheckCompilesWithoutRunningOrTouchingTheLiveScript) {
  ScriptEditor editor(w.controller, w.host, ScriptKind::Post);
  const std::string running = post().text;
  editor.PadChanged("SET_SCRIPTBUFFER 1, 42, e\r\nFor k = 1 To 3\r\nx = k\r\n");
  EXPECT_TRUE(editor.Check().isError);
  EXPECT_GE(editor.Status().padLine, 2);
  editor.PadChanged("SET_SCRIPTBUFFER 1, 42, e");
  EXPECT_FALSE(editor.Check().isError);
  EXPECT_EQ(editor.Status().text, "No syntax errors");
  EXPECT_FLOAT_EQ(w.model.Store.ScriptBuffer[1], 0.0f);  // not run
  EXPECT_EQ(post().text, running);
}

}  // namespace
}  // namespace kavro::test
