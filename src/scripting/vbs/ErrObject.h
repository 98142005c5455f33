#pragma once
// The script's Err object: the run-time error last raised or passed over, with its properties,
// Clear and Raise. Number is its default member, so "If Err Then" and "x = Err" read the
// number, while Err itself is an object a script can pass on and test with IsObject.
#include <string>

#include "scripting/vbs/HostObject.h"
#include "scripting/vbs/ScriptError.h"

namespace kavro::vbs {

// Err.Source of the interpreter's own run-time errors.
inline constexpr const char* kRuntimeErrorSource = "Microsoft VBScript runtime error";

struct ErrState {
  int number = 0;
  std::string description;
  std::string source;
  std::string helpFile;
  int helpContext = 0;
};

class ErrObject final : public HostObject {
 public:
  ErrObject();

  // The error a statement raised, as On Error Resume Next leaves it to the script.
  void Take(const ScriptError& e);

  ErrState state;
};

}  // namespace kavro::vbs
