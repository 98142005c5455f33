#pragma once
// Where a script's failure crosses into the controller: an error of the script language keeps
// its own number and description ("Error Number = 11", "Division by zero"), so the cycle's
// report reads as the script engineer expects, not as an internal error.
#include <utility>

#include "common/KavroError.h"
#include "scripting/vbs/ScriptError.h"

namespace kavro {

KavroError AsKavroError(const vbs::ScriptError& error);

// Runs a call into the interpreter; a script error leaves it as a KavroError.
template <typename Call>
decltype(auto) CallIntoScript(Call&& call) {
  try {
    return std::forward<Call>(call)();
  } catch (const vbs::ScriptError& error) {
    throw AsKavroError(error);
  }
}

}  // namespace kavro
