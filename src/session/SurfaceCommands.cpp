#include "session/SurfaceCommands.h"

#include "engine/EventNotes.h"
#include "session/WorkDirFiles.h"

namespace kavro {

namespace {

void SaveNamed(Controller& c, const char* prompt, const char* extension, const std::string& bytes,
               const std::string& what) {
  const std::string failure = what + " not saved";
  const auto fileName = AskWorkDirFileName(c, prompt, extension, failure);
  if (!fileName) return;
  if (WriteWorkDirFile(c, *fileName, bytes, failure)) {
    NoteEvent(c, EventKind::Control, what + " saved to " + *fileName);
  }
}

}  // namespace

void ExportSurfaceCsv(Controller& c, const SurfaceViewState& view) {
  if (view.surface.values.empty()) return;
  SaveNamed(c, kExportSurfacePrompt, ".CSV", SurfaceViewCsv(view), "Control surface");
}

void SaveSurfacePicture(Controller& c, const std::string& pngBytes) {
  SaveNamed(c, kSaveSurfacePicturePrompt, ".PNG", pngBytes, "Control surface picture");
}

}  // namespace kavro
