#include "engine/ErrorCode.h"

#include "common/NumberText.h"

namespace kavro {

void ComposeErrorCode(ControllerModel& model) {
  int16_t code = model.ToFileMode ? -90 : 0;
  int16_t digit = 1;  // output 1 owns the units, output 2 the tens
  for (int o = 1; o <= NumOut; ++o) {
    const PVarOutRecord& output = model.PVarOut[o];
    if (output.ClampIncrease) code = ToInt16(code - digit);
    if (output.ClampDecrease) code = ToInt16(code - 2 * digit);
    digit = ToInt16(digit * 10);
  }
  if (model.LinkReadError) code = 1;
  if (model.LinkWriteError) code = 2;
  model.ErrorCodeValue = code;
}

}  // namespace kavro
