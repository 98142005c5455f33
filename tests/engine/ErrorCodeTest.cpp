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

// Every code the controller can send is told back as the parts it was composed of.
TEST(ErrorCode, EveryComposedCodeIsToldAsItsParts) {
  Controller controller;
  StartController(controller);
  ControllerModel& model = controller.model;
  for (int flags = 0; flags < 32; ++flags) {
    model.ToFileMode = flags & 1;
    model.PVarOut[1].ClampIncrease = flags & 2;
    model.PVarOut[1].ClampDecrease = flags & 4;
    model.PVarOut[2].ClampIncrease = flags & 8;
    model.PVarOut[2].ClampDecrease = flags & 16;
    std::string expected;
    const char* parts[] = {"Output To FILE", "Output 1 increases blocked",
                           "Output 1 decreases blocked", "Output 2 increases blocked",
                           "Output 2 decreases blocked"};
    for (int bit = 0; bit < 5; ++bit) {
      if (flags & (1 << bit)) expected += (expected.empty() ? "" : " + ") + std::string(parts[bit]);
    }
    ComposeErrorCode(model);
    EXPECT_EQ(ErrorCodeMeaning(model.ErrorCodeValue), expected.empty() ? "No Error" : expected)
        << model.ErrorCodeValue;
  }
  EXPECT_EQ(ErrorCodeMeaning(-91), "Output To FILE + Output 1 increases blocked");
  EXPECT_EQ(ErrorCodeMeaning(1), "File Read Error");
  EXPECT_EQ(ErrorCodeMeaning(2), "File Write Error");
  for (int16_t code : {5, -4, -45, -89, -124, -200}) EXPECT_EQ(ErrorCodeMeaning(code), "Unknown") << code;
}

}  // namespace
}  // namespace kavro::test
