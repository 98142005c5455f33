#include "engine/ErrorCode.h"

#include <gtest/gtest.h>

#include "support/EngineTestModel.h"

namespace kavro::test {
namespace {

struct Situation {
  bool toFile;
  bool increase1, decrease1, increase2, decrease2;
  bool readError, writeError;
  int16_t code;
};

TEST(ErrorCode, BlocksAddUpPerOutputDigitAndLinkErrorsOverrideThem) {
  const Situation situations[] = {
      {false, false, false, false, false, false, false, 0},
      {true, false, false, false, false, false, false, -90},
      {true, false, false, false, true, false, false, -110},
      {true, true, false, false, false, false, false, -91},
      {false, true, true, false, false, false, false, -3},
      {false, true, false, false, true, false, false, -21},
      {false, false, false, true, true, false, false, -30},
      {true, true, true, true, true, false, false, -123},
      {true, true, false, false, false, true, false, 1},
      {true, false, false, false, false, true, true, 2},
      {false, false, false, false, false, false, true, 2},
  };
  Controller controller;
  StartController(controller);
  ControllerModel& model = controller.model;
  for (const Situation& s : situations) {
    model.ToFileMode = s.toFile;
    model.PVarOut[1].ClampIncrease = s.increase1;
    model.PVarOut[1].ClampDecrease = s.decrease1;
    model.PVarOut[2].ClampIncrease = s.increase2;
    model.PVarOut[2].ClampDecrease = s.decrease2;
    model.LinkReadError = s.readError;
    model.LinkWriteError = s.writeError;
    ComposeErrorCode(model);
    EXPECT_EQ(model.ErrorCodeValue, s.code) << "expected " << s.code;
  }
}

}  // namespace
}  // namespace kavro::test
