#include "engine/FailureText.h"

#include "common/NumberText.h"
#include "engine/RunTimeError.h"

namespace kavro {

std::string FailureText(const std::exception& failure) {
  const KavroError error = AsKavroError(failure);
  return "Error Number = " + FormatNumber(error.Number(), "####0") +
         "\r\nError Description = " + error.Description();
}

}  // namespace kavro
