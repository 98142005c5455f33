#include "link/LinkClient.h"

#include "common/DateText.h"
#include "common/TimeOfDay.h"
#include "config/ConfigLines.h"
#include "link/LinkFiles.h"
#include "link/LinkNames.h"

namespace kavro {
namespace {

constexpr const char* kRestartTitle = "Link Auto ReStart";

bool RestartAttemptDue(const LinkClientState& client, double now) {
  if (client.lastRestartAttempt < 0) return true;
  return SecondsBetween(client.lastRestartAttempt, now) >= kRestartIntervalSeconds;
}

void NoteRestart(Controller& controller, const std::string& text) {
  const std::string when = FormatDateTime(controller.ports.clock->Now(), "mmm-dd-yyyy hh:mm:ss");
  controller.events.Note(when, kRestartTitle, text, EventKind::LinkFault);
}

}  // namespace

std::string LinkClientFile(Controller& controller) {
  const std::string name = LinkClientName(controller.model);
  const std::string windowsName = name + ".exe";
  FileSystem& files = *controller.ports.files;
  const std::string folder = controller.model.WorkDir + "/";
  if (!files.Exists(folder + name) && files.Exists(folder + windowsName)) return windowsName;
  return name;
}

long long StartLinkClient(Controller& controller, const std::string& file) {
  if (!controller.ports.processes) return 0;
  return controller.ports.processes->Start(controller.model.WorkDir + "/" + file,
                                           {controller.model.FLCBlock.Name1});
}

std::string UnableToStartMessage(const std::string& file) {
  return "Unable to Start/Find Link Client Program - " + file + kCrLf +
         "Please check the Program Name Entered";
}

void SuperviseLinkClient(Controller& controller, LinkClientState& client) {
  ControllerModel& model = controller.model;
  if (!model.RestartInterface || model.Link.LinkStatus != kOn) return;
  ProcessStarter* processes = controller.ports.processes;
  if (!processes || !controller.ports.clock) return;
  if (client.processId > 0 && processes->IsRunning(client.processId)) return;
  const double now = controller.ports.clock->SecondsOfDay();
  if (!RestartAttemptDue(client, now)) return;
  client.lastRestartAttempt = now;

  // The names may have been edited since the switch-on.
  if (const auto unusable = UnusableLinkNameMessage(model)) {
    NoteRestart(controller, "Link Client Program Ended - " + *unusable);
    return;
  }
  WriteTagFile(controller);
  const std::string file = LinkClientFile(controller);
  const long long id = StartLinkClient(controller, file);
  if (id <= 0) {
    NoteRestart(controller, "Link Client Program Ended - " + UnableToStartMessage(file));
    return;
  }
  client.processId = id;
  NoteRestart(controller,
              "Link Client Program Ended - Restarted " + file + " " + model.FLCBlock.Name1);
}

}  // namespace kavro
