#pragma once
// Saving what the control-surface window shows: the grid as CSV, the picture as PNG, each in
// WorkDir under a name the engineer types, written whole or not at all.
#include <string>

#include "display/SurfaceView.h"
#include "model/Controller.h"

namespace kavro {

inline constexpr const char* kExportSurfacePrompt =
    "Control Surface will be Saved With .CSV Extension - Enter File Name: ";
inline constexpr const char* kSaveSurfacePicturePrompt =
    "Control Surface Picture will be Saved With .PNG Extension - Enter File Name: ";

// Asks for a name and writes the computed grid to WorkDir/name.CSV; a view that holds no grid
// (it was refused) writes nothing.
void ExportSurfaceCsv(Controller& controller, const SurfaceViewState& view);

// Asks for a name and writes the picture's PNG bytes to WorkDir/name.PNG.
void SaveSurfacePicture(Controller& controller, const std::string& pngBytes);

}  // namespace kavro
