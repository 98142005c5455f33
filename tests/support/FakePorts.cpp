#include "support/FakePorts.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "common/KavroError.h"
#include "common/RestrictFalseReport.h"
#include "support/TestPaths.h"

namespace kavro::test {

MsgAnswer FakeOperator::MessageBox(const std::string& text, const std::string& title,
                                   MsgIcon icon, MsgButtons buttons) {
  messages.push_back({text, title, icon, buttons});
  if (static_cast<int>(messages.size()) == failAtMessage) {
    throw KavroError(errors::kOutOfMemory, errors::kOutOfMemoryText);
  }
  if (!answers.empty()) {
    const MsgAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  return AsksYesOrNo(buttons) ? MsgAnswer::Yes : MsgAnswer::OK;
}

std::optional<std::string> FakeOperator::InputBox(const std::string& prompt,
                                                  const std::string& title,
                                                  const std::string& initial) {
  prompts.push_back(prompt);
  inputTitles.push_back(title);
  inputInitials.push_back(initial);
  if (!inputs.empty()) {
    auto answer = inputs.front();
    inputs.pop_front();
    return answer;
  }
  return initial;
}

DateTime FakeClock::Now() {
  DateTime now = date;
  const int whole = static_cast<int>(std::floor(seconds));
  now.hour = whole / 3600;
  now.minute = (whole / 60) % 60;
  now.second = whole % 60;
  return now;
}

void FakeClock::Advance(double by) {
  seconds += by;
  while (seconds >= 86400.0) {
    seconds -= 86400.0;
    ++date.day;  // good enough for tests that cross one midnight
  }
}

void FakeEventPump::Sleep(int milliseconds) {
  sleptMilliseconds += milliseconds;
  if (clock_) clock_->Advance(milliseconds / 1000.0);
}

long long FakeProcessStarter::Start(const std::string& program,
                                    const std::vector<std::string>& arguments) {
  started.push_back({program, arguments});
  if (failStart) return 0;
  const long long id = static_cast<long long>(started.size()) + 1000;
  running[id] = true;
  return id;
}

bool FakeProcessStarter::IsRunning(long long processId) {
  const auto it = running.find(processId);
  return it != running.end() && it->second;
}

void FakeProcessStarter::Terminate(long long processId, bool force) {
  terminations.push_back({processId, force});
  if (force || !ignoreTerm) running[processId] = false;
}

FakeWorld::FakeWorld() { WirePorts(controller, Parts()); }

ControllerParts FakeParts(Operator& op, Clock& clock, EventPump& events, CycleTimer& timer,
                          ProcessStarter& processes, Clipboard& clipboard) {
  ControllerParts parts;
  parts.op = &op;
  parts.clock = &clock;
  parts.events = &events;
  parts.timer = &timer;
  parts.processes = &processes;
  parts.clipboard = &clipboard;
  return parts;
}

ScratchDir::ScratchDir() {
  namespace fs = std::filesystem;
  std::random_device seed;
  const fs::path base = fs::path(KAVRO_BINARY_DIR) / "scratch";
  fs::create_directories(base);
  for (;;) {
    KAVRO_STRING_RESTRICT_FALSE_REPORT_BEGIN
    fs::path candidate = base / ("t" + std::to_string(seed()));
    KAVRO_STRING_RESTRICT_FALSE_REPORT_END
    if (fs::create_directory(candidate)) {
      path_ = candidate.string();
      return;
    }
  }
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

void ScratchDir::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ScratchDir::Read(const std::string& name) const {
  std::ifstream in(File(name), std::ios::binary);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

}  // namespace kavro::test
