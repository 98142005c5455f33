#include "link/LinkFiles.h"

#include "common/KavroError.h"
#include "common/WaitSeconds.h"
#include "engine/EventNotes.h"
#include "link/LinkFileText.h"
#include "link/LinkNames.h"

namespace kavro {
namespace {

constexpr float kRetryWaitSeconds = 1.0f;

void ReadLinkInputFile(Controller& controller, DcsRunFrequency& runFrequency, std::string* taken) {
  ControllerModel& model = controller.model;
  FileSystem& files = *controller.ports.files;
  const auto in = LinkFilePath(model, kInExtension);
  const auto copy = LinkFilePath(model, kInCopyExtension);
  if (!in || !copy) {
    model.LinkReadError = true;
    return;
  }
  int copyFailures = 0;
  for (int attempt = 1;; ++attempt) {
    model.LinkReadError = false;
    // The link client program may be rewriting .IN right now: read only a private copy.
    while (!files.Copy(*in, *copy)) {
      WaitSeconds(controller.ports, kRetryWaitSeconds);
      if (++copyFailures == kLinkTries) {
        model.LinkReadError = true;
        return;
      }
    }
    if (!files.Exists(*copy)) {
      model.LinkReadError = true;
      return;
    }
    try {
      std::string bytes;
      if (!files.ReadAll(*copy, bytes)) {
        throw KavroError(errors::kPathFileAccess, errors::kPathFileAccessText);
      }
      StoreLinkInput(model, bytes, [&](int16_t value) { runFrequency.Take(controller, value); });
      if (taken) *taken = std::move(bytes);
      return;
    } catch (const KavroError&) {
      // A short or garbled file: try a fresh copy, the client may have finished it by then.
      if (attempt == kLinkTries) {
        model.LinkReadError = true;
        return;
      }
      WaitSeconds(controller.ports, kRetryWaitSeconds);
    }
  }
}

void WriteLinkOutputFile(Controller& controller, std::string* written) {
  ControllerModel& model = controller.model;
  const bool toTestFile = model.ToFileMode && model.Link.LinkStatus == model.Link.LinkStatusSent;
  const auto path = LinkFilePath(model, toTestFile ? kTestExtension : kOutExtension);
  if (!path) {
    model.LinkWriteError = true;
    return;
  }
  int createFailures = 0;
  int writeFailures = 0;
  for (;;) {
    std::string text;
    try {
      text = OutputFileText(model, controller.ports.clock->Now());
    } catch (const KavroError&) {
      if (++writeFailures == kLinkTries) {
        model.LinkWriteError = true;
        return;
      }
      WaitSeconds(controller.ports, kRetryWaitSeconds);
      continue;
    }
    // Written beside the old file and renamed over it: the client never reads half a file.
    if (controller.ports.files->WriteAtomic(*path, text)) {
      model.LinkWriteError = false;
      if (written) *written = std::move(text);
      return;
    }
    WaitSeconds(controller.ports, kRetryWaitSeconds);
    if (++createFailures == kLinkTries) {
      model.LinkWriteError = true;
      return;
    }
  }
}

}  // namespace

void WriteTagFile(Controller& controller) {
  const auto path = LinkFilePath(controller.model, kTagExtension);
  if (!path) return;
  const std::string text = TagFileText(controller.model, controller.ports.clock->Now());
  static_cast<void>(controller.ports.files->WriteAtomic(*path, text));
}

void ReadLinkInput(Controller& controller, DcsRunFrequency& runFrequency, std::string* taken) {
  ReadLinkInputFile(controller, runFrequency, taken);
}

void ReadLinkInput(Controller& controller, std::string* taken) {
  DcsRunFrequency runFrequency;
  ReadLinkInputFile(controller, runFrequency, taken);
}

void WriteLinkOutput(Controller& controller, std::string* written) {
  WriteLinkOutputFile(controller, written);
}

void DeleteStaleLinkOutput(Controller& controller) {
  FileSystem& files = *controller.ports.files;
  const auto path = LinkFilePath(controller.model, kOutExtension);
  if (path && files.Exists(*path)) files.Remove(*path);
  // The controller owns its working folder (the folder lock), so no other live process writes
  // these: a temporary file of any other process is a leftover.
  int removed = 0;
  for (const std::string_view extension : {kOutExtension, kTestExtension, kTagExtension}) {
    if (const auto written = LinkFilePath(controller.model, extension)) {
      removed += files.RemoveStaleTemporaries(*written);
    }
  }
  if (removed > 0) {
    NoteEvent(controller, EventKind::StartUp,
              "Start-up: removed " + std::to_string(removed) +
                  " temporary link file(s) that an interrupted write left behind");
  }
}

}  // namespace kavro
