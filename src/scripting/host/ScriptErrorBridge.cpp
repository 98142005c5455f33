#include "scripting/host/ScriptErrorBridge.h"

namespace kavro {

KavroError AsKavroError(const vbs::ScriptError& error) {
  return KavroError(error.Number(), error.Message());
}

}  // namespace kavro
