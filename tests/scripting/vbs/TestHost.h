#pragma once
// A recording host for engine tests: Echo and message boxes write to a text log, input boxes
// answer from a queue, and the clock stands still at 5 Dec 2026 18:00:00.
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "scripting/vbs/ScriptEngine.h"

namespace kavro::vbs::test {

class RecordingUi : public ScriptUi {
 public:
  int MsgBox(const std::string& prompt, int buttons, const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;
  double Now() override { return now; }

  std::string* log = nullptr;
  std::deque<std::string> inputs;
  int msgBoxAnswer = 1;
  double now = 46361.75;  // 12/5/2026 6:00:00 PM
};

// An engine set up as the host does, with Echo writing lines to log.
struct TestEngine {
  TestEngine();
  // Runs text as added code; returns the log, ending with "Error N: description (line L)"
  // when the run failed.
  std::string Run(const std::string& text);

  std::string log;
  RecordingUi ui;
  ScriptEngine engine;
};

// A script and what it prints, ending with its error line when it fails.
struct ScriptCase {
  std::string code;
  std::string output;
};

// Runs each case in an engine of its own and compares what it printed, naming the case that
// differs, so one table holds many small scripts without one's state reaching the next.
void ExpectOutputs(const std::vector<ScriptCase>& cases);

}  // namespace kavro::vbs::test
