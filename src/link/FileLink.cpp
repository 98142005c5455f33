#include "link/FileLink.h"

#include <algorithm>

#include "common/NumberText.h"
#include "config/ConfigLines.h"
#include "engine/EventNotes.h"
#include "link/LinkFiles.h"
#include "link/LinkNames.h"
#include "link/LinkTags.h"

namespace kavro {
namespace {

void ShowProblem(Controller& controller, const std::string& text) {
  controller.ports.op->MessageBox(text, controller.model.ProductName, MsgIcon::Critical,
                                  MsgButtons::OK);
}

}  // namespace

bool FileLink::SwitchOn(Controller& controller) {
  ControllerModel& model = controller.model;
  if (const auto unusable = UnusableLinkNameMessage(model)) {
    ShowProblem(controller, *unusable);
    return false;
  }
  WriteTagFile(controller);
  const std::string file = LinkClientFile(controller);
  const long long id = StartLinkClient(controller, file);
  if (id <= 0) {
    ShowProblem(controller, UnableToStartMessage(file, model.WorkDir));
    return false;
  }
  client_ = LinkClientState{};
  client_.processId = id;
  client_.startedAt = controller.ports.clock->SecondsOfDay();
  lastInput_ = {};
  notedState_ = LinkInputState::Fresh;
  runFrequency_ = {};
  lastInputText_.clear();
  lastOutputText_.clear();
  LinkState& link = model.Link;
  // The client needs a moment to write its first .IN: the next cycle only writes.
  link.SkipNextRead = true;
  link.LinkStatus = kOn;
  link.LinkStatusSent = kOn;
  return true;
}

bool FileLink::InputUsable(Controller& controller) {
  lastInput_ = CheckLinkInputFile(controller);
  const LinkInputState state = lastInput_.state;
  const bool usable = state == LinkInputState::Fresh || state == LinkInputState::Missing;
  if (usable || state == notedState_) {
    if (usable) notedState_ = LinkInputState::Fresh;
    return usable;
  }
  notedState_ = state;
  const std::string file = controller.model.FLCBlock.Name1 + ".IN";
  if (state == LinkInputState::Stale) {
    NoteEvent(controller, EventKind::LinkFault,
              "Stale link input: " + file + " was last written " +
                  DurationText(lastInput_.ageSeconds) + " ago (limit " +
                  DurationText(FreshInputLimitSeconds(controller.model)) +
                  "); its values are not taken");
  } else if (state == LinkInputState::Leftover) {
    NoteEvent(controller, EventKind::LinkFault,
              "Link input " + file +
                  " was written before the link was switched on; its values are not taken");
  } else {
    NoteEvent(controller, EventKind::LinkFault,
              "Link input " + file + " holds " + std::to_string(lastInput_.size) +
                  " bytes, more than a link input can be; it is not read");
  }
  return false;
}

void FileLink::Read(Controller& controller) {
  lastInputText_.clear();
  if (!InputUsable(controller)) {
    controller.model.LinkReadError = true;
    return;
  }
  ReadLinkInput(controller, runFrequency_, &lastInputText_);
}

void FileLink::Write(Controller& controller) {
  lastOutputText_.clear();
  WriteLinkOutput(controller, &lastOutputText_);
}

void FileLink::SwitchOff(Controller& controller) {
  LinkState& link = controller.model.Link;
  link.LinkStatus = kOff;
  WriteLinkOutput(controller);  // the STOP file, while LinkStatusSent still reads "ON"
  link.LinkStatusSent = kOff;
  client_.processId = 0;
}

void FileLink::Supervise(Controller& controller) {
  const bool stale = lastInput_.state == LinkInputState::Stale;
  EndHungLinkClient(controller, client_, stale ? lastInput_.ageSeconds : 0);
  SuperviseLinkClient(controller, client_);
}

LinkPanelLines FileLink::PanelLines(const Controller& controller, bool tagsNotFound) const {
  LinkPanelLines panel;
  const std::vector<std::string> in = SplitConfigLines(lastInputText_);
  const std::vector<std::string> out = SplitConfigLines(lastOutputText_);
  // .IN: three header lines, then one line per read tag in the tag list's order.
  constexpr std::size_t kInHeaderLines = 3;
  const std::vector<bool> readCounted = CountedReadTags(controller.model);
  int valuesRead = 0;
  int readsCounted = 0;
  std::size_t line = kInHeaderLines;
  std::size_t index = 0;
  for (const std::string& tag : ReadTagList(controller.model)) {
    const bool present = line < in.size();
    if (readCounted[index++]) {
      ++readsCounted;
      if (present) ++valuesRead;
    }
    if (!tagsNotFound) panel.lstRead.push_back(tag + ", " + (present ? in[line] : std::string()));
    ++line;
  }
  if (!tagsNotFound) panel.lstWrite = out;
  panel.progressReadMax = readsCounted;
  panel.progressReadValue = valuesRead;
  panel.lblCountRead = FormatNumber(valuesRead, "####0") + "/" + FormatNumber(readsCounted, "####0");
  const std::vector<bool> writeCounted = CountedWriteTags(controller.model);
  const int writesCounted = static_cast<int>(std::count(writeCounted.begin(), writeCounted.end(), true));
  const int written = out.empty() ? 0 : writesCounted;
  panel.progressWriteMax = writesCounted;
  panel.progressWriteValue = written;
  panel.lblCountWrite = FormatNumber(written, "####0") + "/" + FormatNumber(writesCounted, "####0");
  if (client_.processId > 0) {
    panel.lstLinkMsg.push_back("Link Client = " + controller.model.Program_Interface);
    panel.lstLinkMsg.push_back("Process Id  = " + std::to_string(client_.processId));
  }
  return panel;
}

}  // namespace kavro
