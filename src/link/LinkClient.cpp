#include "link/LinkClient.h"

#include "common/TimeOfDay.h"
#include "config/ConfigLines.h"
#include "engine/EventNotes.h"
#include "engine/RunTimeError.h"
#include "link/LinkFiles.h"
#include "link/LinkInputAge.h"
#include "link/LinkNames.h"

namespace kavro {
namespace {

constexpr const char* kRestartTitle = "Link Auto ReStart";

bool RestartAttemptDue(const LinkClientState& client, double now) {
  if (client.lastRestartAttempt < 0) return true;
  return SecondsBetween(client.lastRestartAttempt, now) >= kRestartIntervalSeconds;
}

void NoteRestart(Controller& controller, const std::string& text) {
  controller.events.Note(NowText(controller), kRestartTitle, text, EventKind::LinkFault);
}

void RaiseRestartFailure(Controller& controller, const std::string& text) {
  controller.events.Add(NowText(controller), kRestartTitle, text, EventKind::LinkFault);
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
  return controller.ports.processes->Start(controller.model.WorkDir + "/" + file,
                                           {controller.model.FLCBlock.Name1});
}

std::string UnableToStartMessage(const std::string& file, const std::string& folder) {
  return "Unable to Start/Find Link Client Program - " + file + kCrLf +
         "Please check the Program Name Entered" + kCrLf + "Folder searched: " + folder;
}

void EndHungLinkClient(Controller& controller, LinkClientState& client, double inputAgeSeconds) {
  ControllerModel& model = controller.model;
  if (!model.RestartInterface || model.Link.LinkStatus != kOn) return;
  ProcessStarter& processes = *controller.ports.processes;
  const double now = controller.ports.clock->SecondsOfDay();
  if (client.terminateSentAt >= 0) {
    if (!processes.IsRunning(client.processId)) {
      client.terminateSentAt = -1;
    } else if (SecondsBetween(client.terminateSentAt, now) >= kTerminateGraceSeconds) {
      processes.Terminate(client.processId, true);
      client.terminateSentAt = -1;
      NoteEvent(controller, EventKind::LinkFault,
                "Link client program (process " + std::to_string(client.processId) +
                    ") did not end when asked: killed");
    }
    return;
  }
  const double hungAfter = 3 * FreshInputLimitSeconds(model);
  if (inputAgeSeconds < hungAfter || SecondsBetween(client.startedAt, now) < hungAfter) return;
  if (client.processId <= 0 || !processes.IsRunning(client.processId)) return;
  processes.Terminate(client.processId, false);
  client.terminateSentAt = now;
  NoteEvent(controller, EventKind::LinkFault,
            "Link client program (process " + std::to_string(client.processId) +
                ") has not written " + model.FLCBlock.Name1 + ".IN for " +
                DurationText(inputAgeSeconds) + ": ending it to start it again");
}

void SuperviseLinkClient(Controller& controller, LinkClientState& client) {
  ControllerModel& model = controller.model;
  if (!model.RestartInterface || model.Link.LinkStatus != kOn) return;
  // Without a running clock no restart ever falls due.
  if (!controller.ports.clock->Runs()) return;
  if (client.processId > 0 && controller.ports.processes->IsRunning(client.processId)) return;
  const double now = controller.ports.clock->SecondsOfDay();
  client.terminateSentAt = -1;
  if (!RestartAttemptDue(client, now)) return;
  client.lastRestartAttempt = now;

  // The names may have been edited since the switch-on.
  // A client that cannot be started again leaves the plant without a link: the operator must
  // see that on the main window, not only in the log.
  if (const auto unusable = UnusableLinkNameMessage(model)) {
    RaiseRestartFailure(controller, "Link Client Program Ended - " + *unusable);
    return;
  }
  WriteTagFile(controller);
  const std::string file = LinkClientFile(controller);
  const long long id = StartLinkClient(controller, file);
  if (id <= 0) {
    RaiseRestartFailure(controller, "Link Client Program Ended - " +
                                        UnableToStartMessage(file, model.WorkDir));
    return;
  }
  client.processId = id;
  client.startedAt = now;
  NoteRestart(controller,
              "Link Client Program Ended - Restarted " + file + " " + model.FLCBlock.Name1);
}

}  // namespace kavro
