// Fuzz target: the .IN file a link client program writes. Whatever it holds, taking it must not
// crash: it either stores its values or fails with the controller's own error, and a failure
// leaves every value after the bad line as it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/KavroError.h"
#include "link/LinkFileText.h"
#include "link/LinkTags.h"

namespace {

using namespace kavro;

// Every tag named except input 2's high limit, so both the storing and the passing over run.
void NameTags(ControllerModel& model) {
  model.FLCBlock.DCSONOFF = "ONOFF";
  int n = 0;
  ForEachValueTag(model, [&](std::string& tag, float&) { tag = "T" + std::to_string(++n); });
  model.PVarIn[2].DCSTagHigh = " ";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ControllerModel model = [] {
    ControllerModel m;
    NameTags(m);
    return m;
  }();
  model.PVarOut[NumOut].Wait_Change = -1;  // the last value: stored only by a complete file
  try {
    StoreLinkInput(model, std::string(reinterpret_cast<const char*>(data), size), [](int16_t) {});
  } catch (const KavroError&) {
    if (model.PVarOut[NumOut].Wait_Change != -1) std::abort();
  }
  return 0;
}
