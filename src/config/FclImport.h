#pragma once
// Reading Fuzzy Control Language (IEC 61131-7) into a configuration: what export-fcl writes, and
// reasonable FCL from other tools. Input terms may be four points, any point list of up to four
// points, TRIANG or TRAPEZ; output terms are singletons. The note block, where present, gives
// back what FCL has no words for; a note about something the FCL text also says is taken only
// while the two agree, so an edit made in another tool wins. Three stages, one file each:
// FclRead (the text), FclShape (where its parts go in the controller) and this one, which
// builds the configuration from them.
#include <string>

#include "model/ControllerModel.h"

namespace kavro {

struct FclImportResult {
  ControllerModel model;
  std::string error;  // empty when the file was read
  int line = 0;       // where the error is, 1-based
  int column = 0;
};

// workDir becomes the model's WorkDir.
FclImportResult ImportFclText(const std::string& text, const std::string& workDir);

}  // namespace kavro
