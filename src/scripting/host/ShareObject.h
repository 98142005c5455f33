#pragma once
// The object "share" that the script host registers with both script engines: the 38
// data-access procedures through which scripts read and write the controller's variables and
// the script store. Its members are also global names of the scripts.
//
// Each procedure takes its arguments by reference: indices, then Val1, then ierr. ierr gets 0
// on success or the number of the first index that failed (1, 2, 3); a GET writes Val1 only on
// success. Bad indices never raise; a Val1 that is no number does (13 "Type mismatch"), as does
// a counter beyond 16 bits (6 "Overflow").
#include <memory>
#include <string>
#include <vector>

#include "model/ControllerModel.h"
#include "scripting/vbs/HostObject.h"

namespace kavro {

// The name the object is registered under.
inline constexpr const char* kShareObjectName = "share";

// The object working on model in place. declared, when given, receives the procedure names in
// the order the object declares them.
std::shared_ptr<vbs::HostObject> MakeShareObject(ControllerModel& model,
                                                 std::vector<std::string>* declared = nullptr);

// Start-up's clearing of the script store: slots 1..16 False, 0 and 0.0.
void ClearScriptStore(ControllerModel& model);

}  // namespace kavro
