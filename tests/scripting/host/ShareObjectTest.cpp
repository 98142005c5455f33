#include <gtest/gtest.h>

#include "scripting/host/ShareObject.h"
#include "scripting/vbs/ScriptEngine.h"

namespace kavro::test {
namespace {

using vbs::Variant;
using vbs::VarType;

// The share object on a fresh model, called from script code as a script would call it.
class ShareObjectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetModel(model, ".");
    engine.SetLanguage("VBScript");
    engine.AddObject(kShareObjectName, MakeShareObject(model, &declared), true);
  }
  // Runs code in the global scope; variables stay between calls.
  void Run(const std::string& code) { engine.ExecuteStatement(code); }
  Variant Global(const std::string& name) const { return engine.GlobalValue(name); }
  // ierr after the last call: always a 16-bit integer.
  int Ierr() const {
    const Variant e = Global("e");
    EXPECT_EQ(e.Type(), VarType::Integer);
    return e.IntegerValue();
  }
  // Val1 as a single, checking that a GET wrote a single.
  float Single(const std::string& name = "v") const {
    const Variant v = Global(name);
    EXPECT_EQ(v.Type(), VarType::Single) << name;
    return v.SingleValue();
  }
  // Val1 still holds the sentinel the test put there.
  bool Untouched() const {
    const Variant v = Global("v");
    return v.Type() == VarType::String && v.StringValue() == "untouched";
  }
  // Runs one call with Val1 preset to a sentinel; returns ierr.
  int Call(const std::string& call) {
    Run("v = \"untouched\" : e = 99 : " + call);
    return Ierr();
  }
  // The error number a call raised to the script (0: none).
  int Raised(const std::string& call) {
    Run("On Error Resume Next : Err.Clear : " + call + " : n = Err.Number");
    return Global("n").LongValue();
  }

  ControllerModel model;
  vbs::ScriptEngine engine;
  std::vector<std::string> declared;
};

TEST_F(ShareObjectTest, DeclaresThe38ProceduresInOrderAsGlobalNamesAndMembers) {
  const std::vector<std::string> expected = {
      "GET_INPVIN",        "GET_INPVHIGH",      "GET_INPVLOW",      "GET_INMFPValue",
      "GET_INMFMFValue",   "GET_INPVSLOPE",     "GET_INPVHIS",      "SET_INPVIN",
      "SET_INPVHIGH",      "SET_INPVLOW",       "SET_INMFPValue",   "SET_INMFMFValue",
      "GET_OUTPVIN",       "GET_OUTPVHIGH",     "GET_OUTPVLOW",     "GET_OUTMAXCHANGE",
      "GET_OUTCHGTIME",    "GET_OUTWAITCHG",    "GET_OUTMFPValue",  "GET_OUTMFMFValue",
      "GET_OUTPVSLOPE",    "GET_OUTPVHIS",      "GET_OUTVALUEOUT",  "SET_OUTPVIN",
      "SET_OUTPVHIGH",     "SET_OUTPVLOW",      "SET_OUTMAXCHANGE", "SET_OUTCHGTIME",
      "SET_OUTWAITCHG",    "SET_OUTMFPValue",   "SET_OUTMFMFValue", "SET_OUTVALUEOUT",
      "GET_SCRIPTFLAG",    "GET_SCRIPTKOUNTER", "GET_SCRIPTBUFFER", "SET_SCRIPTFLAG",
      "SET_SCRIPTKOUNTER", "SET_SCRIPTBUFFER"};
  EXPECT_EQ(declared, expected);

  model.PVarIn[2].PVIN = 7.5f;
  Run("GET_INPVIN 2, a, e");
  EXPECT_FLOAT_EQ(Single("a"), 7.5f);
  Run("share.GET_INPVIN 2, b, e");  // through the object, any letter case
  EXPECT_FLOAT_EQ(Single("b"), 7.5f);
  EXPECT_EQ(Ierr(), 0);
  EXPECT_EQ(Raised("GET_INPVIN 1, v"), vbs::err::WrongArgCount);
  EXPECT_EQ(Raised("GET_INMFPValue 1, 1, v, e"), vbs::err::WrongArgCount);
}

TEST_F(ShareObjectTest, IndexIsComparedAsPassedThenRoundedHalvesToEven) {
  for (int i = 1; i <= NumIn; ++i) model.PVarIn[i].PVHigh = 100.0f + i;
  model.PVarOut[2].PVIN = 55.0f;

  EXPECT_EQ(Call("GET_INPVHIGH 0, v, e"), 1);
  EXPECT_TRUE(Untouched());
  EXPECT_EQ(Call("GET_INPVHIGH 7, v, e"), 1);
  EXPECT_TRUE(Untouched());
  EXPECT_EQ(Call("GET_INPVHIGH 0.6, v, e"), 1);  // would round to 1, but is below it
  EXPECT_EQ(Call("GET_INPVHIGH 6.4, v, e"), 1);  // would round to 6, but is above it
  EXPECT_EQ(Call("GET_INPVHIGH Empty, v, e"), 1);
  EXPECT_EQ(Call("GET_INPVHIGH Null, v, e"), 1);
  EXPECT_EQ(Call("GET_INPVHIGH \"two\", v, e"), 1);
  EXPECT_EQ(Call("GET_INPVHIGH True, v, e"), 1);  // True is -1
  EXPECT_TRUE(Untouched());

  EXPECT_EQ(Call("GET_INPVHIGH 1.4, v, e"), 0);
  EXPECT_FLOAT_EQ(Single(), 101.0f);
  EXPECT_EQ(Call("GET_INPVHIGH 2.5, v, e"), 0);
  EXPECT_FLOAT_EQ(Single(), 102.0f);
  EXPECT_EQ(Call("GET_INPVHIGH 3.5, v, e"), 0);
  EXPECT_FLOAT_EQ(Single(), 104.0f);
  EXPECT_EQ(Call("GET_INPVHIGH \"6\", v, e"), 0);
  EXPECT_FLOAT_EQ(Single(), 106.0f);

  EXPECT_EQ(Call("GET_OUTPVIN 3, v, e"), 1);
  EXPECT_EQ(Call("GET_OUTPVIN 2, v, e"), 0);
  EXPECT_FLOAT_EQ(Single(), 55.0f);
}

TEST_F(ShareObjectTest, MembershipTableIndicesReportTheFirstThatFails) {
  model.PVarIn[2].Zone[3].MFPValue[4] = 42.0f;
  model.PVarOut[1].Zone[7].MFValue[1] = 0.25f;

  EXPECT_EQ(Call("GET_INMFPValue 1, 8, 1, v, e"), 2);
  EXPECT_EQ(Call("GET_INMFPValue 1, 1, 5, v, e"), 3);
  EXPECT_EQ(Call("GET_INMFPValue 9, 8, 5, v, e"), 1);
  EXPECT_EQ(Call("GET_INMFPValue 1, 0, 5, v, e"), 2);
  EXPECT_TRUE(Untouched());
  EXPECT_EQ(Call("GET_INMFPValue 2, 3, 4, v, e"), 0);
  EXPECT_FLOAT_EQ(Single(), 42.0f);
  EXPECT_EQ(Call("GET_OUTMFMFValue 1, 7, 1, v, e"), 0);
  EXPECT_FLOAT_EQ(Single(), 0.25f);
  EXPECT_EQ(Call("GET_OUTMFMFValue 3, 7, 1, v, e"), 1);

  // Setters write what they are given, plausible or not.
  EXPECT_EQ(Call("SET_INMFMFValue 2, 3, 4, 1.5, e"), 0);
  EXPECT_FLOAT_EQ(model.PVarIn[2].Zone[3].MFValue[4], 1.5f);
  EXPECT_EQ(Call("SET_OUTMFPValue 2, 7, 4, -3, e"), 0);
  EXPECT_FLOAT_EQ(model.PVarOut[2].Zone[7].MFPValue[4], -3.0f);
  EXPECT_EQ(Call("SET_OUTMFPValue 2, 7, 4.6, 99, e"), 3);
  EXPECT_FLOAT_EQ(model.PVarOut[2].Zone[7].MFPValue[4], -3.0f);
}

TEST_F(ShareObjectTest, SlopesAndHistoryCountAgesFromTheNewestSampleHeld) {
  for (int s = 1; s <= HistoryLength; ++s) {
    model.PVarIn[1].History[s] = static_cast<float>(s);
    model.PVarOut[2].History[s] = static_cast<float>(-s);
  }
  model.PVarIn[3].Slope[3] = 0.125f;

  EXPECT_EQ(Call("GET_INPVSLOPE 3, 3, v, e"), 0);
  EXPECT_FLOAT_EQ(Single(), 0.125f);
  EXPECT_EQ(Call("GET_INPVSLOPE 3, 4, v, e"), 2);
  EXPECT_EQ(Call("GET_OUTPVSLOPE 3, 1, v, e"), 1);

  model.HistCount = 0;
  EXPECT_EQ(Call("GET_INPVHIS 1, 1, v, e"), 2);
  EXPECT_TRUE(Untouched());

  model.HistCount = 5;
  EXPECT_EQ(Call("GET_INPVHIS 1, 1, v, e"), 0);
  EXPECT_FLOAT_EQ(Single(), 5.0f);
  EXPECT_EQ(Call("GET_INPVHIS 1, 5, v, e"), 0);
  EXPECT_FLOAT_EQ(Single(), 1.0f);
  EXPECT_EQ(Call("GET_INPVHIS 1, 6, v, e"), 2);
  EXPECT_EQ(Call("GET_OUTPVHIS 2, 2, v, e"), 0);
  EXPECT_FLOAT_EQ(Single(), -4.0f);

  model.HistCount = HistoryLength;
  EXPECT_EQ(Call("GET_INPVHIS 1, 1, v, e"), 0);
  EXPECT_FLOAT_EQ(Single(), 200.0f);
  EXPECT_EQ(Call("GET_INPVHIS 1, 200, v, e"), 0);
  EXPECT_FLOAT_EQ(Single(), 1.0f);
  EXPECT_EQ(Call("GET_INPVHIS 1, 201, v, e"), 2);
}

TEST_F(ShareObjectTest, PendingOutputValueReadsAsNumberAndNotUsedIsRefused) {
  model.PVarOut[1].ValueOut = kNotUsed;
  model.PVarOut[2].ValueOut = "42.125";

  EXPECT_EQ(Call("GET_OUTVALUEOUT 1, v, e"), 2);
  EXPECT_TRUE(Untouched());
  EXPECT_EQ(Call("GET_OUTVALUEOUT 3, v, e"), 1);
  EXPECT_TRUE(Untouched());
  EXPECT_EQ(Call("GET_OUTVALUEOUT 2, v, e"), 0);
  EXPECT_FLOAT_EQ(Single(), 42.125f);

  model.PVarOut[2].ValueOut = "12,5";  // not a number: the script learns of it
  EXPECT_EQ(Raised("GET_OUTVALUEOUT 2, v, e"), vbs::err::TypeMismatch);
}

TEST_F(ShareObjectTest, OutputValueIsStoredAsTheCycleWritesIt) {
  EXPECT_EQ(Call("SET_OUTVALUEOUT 1, 12.5, e"), 0);
  EXPECT_EQ(model.PVarOut[1].ValueOut, "12.500");
  EXPECT_EQ(Call("SET_OUTVALUEOUT 1, 12.34567, e"), 0);
  EXPECT_EQ(model.PVarOut[1].ValueOut, "12.3457");
  EXPECT_EQ(Call("SET_OUTVALUEOUT 1, -0.5, e"), 0);
  EXPECT_EQ(model.PVarOut[1].ValueOut, "-0.500");
  EXPECT_EQ(Call("SET_OUTVALUEOUT 2, \"7.25\", e"), 0);
  EXPECT_EQ(model.PVarOut[2].ValueOut, "7.250");
  EXPECT_EQ(Call("SET_OUTVALUEOUT 2, \"Not Used\", e"), 0);
  EXPECT_EQ(model.PVarOut[2].ValueOut, "Not Used");
  EXPECT_EQ(Call("SET_OUTVALUEOUT 0, 1, e"), 1);
  EXPECT_EQ(model.PVarOut[1].ValueOut, "-0.500");
}

TEST_F(ShareObjectTest, MoveLimitSettersRefuseNegativeValues) {
  model.PVarOut[1].Max_Change = 0.5f;
  model.PVarOut[1].Change_Time = 3.0f;
  model.PVarOut[1].Wait_Change = 4.0f;

  EXPECT_EQ(Call("SET_OUTMAXCHANGE 1, -0.1, e"), 2);
  EXPECT_EQ(Call("SET_OUTCHGTIME 1, -1, e"), 2);
  EXPECT_EQ(Call("SET_OUTWAITCHG 1, -0.001, e"), 2);
  EXPECT_EQ(Call("SET_OUTMAXCHANGE 3, -0.1, e"), 1);  // the index is checked first
  EXPECT_FLOAT_EQ(model.PVarOut[1].Max_Change, 0.5f);
  EXPECT_FLOAT_EQ(model.PVarOut[1].Change_Time, 3.0f);
  EXPECT_FLOAT_EQ(model.PVarOut[1].Wait_Change, 4.0f);

  EXPECT_EQ(Call("SET_OUTMAXCHANGE 1, 0, e"), 0);
  EXPECT_EQ(Call("SET_OUTCHGTIME 1, 2.5, e"), 0);
  EXPECT_EQ(Call("SET_OUTWAITCHG 1, 0, e"), 0);
  EXPECT_FLOAT_EQ(model.PVarOut[1].Max_Change, 0.0f);
  EXPECT_FLOAT_EQ(model.PVarOut[1].Change_Time, 2.5f);
  EXPECT_FLOAT_EQ(model.PVarOut[1].Wait_Change, 0.0f);
}

TEST_F(ShareObjectTest, ValueThatIsNoNumberRaisesAndWritesNothing) {
  model.PVarIn[1].PVIN = 3.0f;
  EXPECT_EQ(Raised("SET_INPVIN 1, \"hot\", e"), vbs::err::TypeMismatch);
  EXPECT_FLOAT_EQ(model.PVarIn[1].PVIN, 3.0f);
  EXPECT_EQ(Raised("SET_OUTMAXCHANGE 1, \"x\", e"), vbs::err::TypeMismatch);
  EXPECT_EQ(Raised("SET_INPVIN 1, 1E+300, e"), vbs::err::Overflow);  // beyond a single
  EXPECT_FLOAT_EQ(model.PVarIn[1].PVIN, 3.0f);

  EXPECT_EQ(Call("SET_INPVLOW 6, \"2.5\", e"), 0);
  EXPECT_FLOAT_EQ(model.PVarIn[6].PVLow, 2.5f);
}

TEST_F(ShareObjectTest, ScriptStoreSlotsAndTheirTypes) {
  EXPECT_EQ(Call("SET_SCRIPTBUFFER 17, 1, e"), 1);
  EXPECT_EQ(Call("SET_SCRIPTBUFFER 16, 2.5, e"), 0);
  EXPECT_FLOAT_EQ(model.Store.ScriptBuffer[16], 2.5f);
  EXPECT_EQ(Call("GET_SCRIPTBUFFER 16, v, e"), 0);
  EXPECT_FLOAT_EQ(Single(), 2.5f);

  EXPECT_EQ(Call("SET_SCRIPTFLAG 3, 1, e"), 0);
  EXPECT_TRUE(model.Store.ScriptFlag[3]);
  EXPECT_EQ(Call("GET_SCRIPTFLAG 3, v, e"), 0);
  EXPECT_EQ(Global("v").Type(), VarType::Boolean);
  EXPECT_TRUE(Global("v").BoolValue());
  for (const char* notOne : {"True", "2", "0.9", "\"yes\"", "Empty"}) {
    model.Store.ScriptFlag[3] = true;
    EXPECT_EQ(Call(std::string("SET_SCRIPTFLAG 3, ") + notOne + ", e"), 0) << notOne;
    EXPECT_FALSE(model.Store.ScriptFlag[3]) << notOne;
  }

  EXPECT_EQ(Call("SET_SCRIPTKOUNTER 1, 2.5, e"), 0);
  EXPECT_EQ(model.Store.ScriptKounter[1], 2);
  EXPECT_EQ(Call("SET_SCRIPTKOUNTER 1, -3.5, e"), 0);
  EXPECT_EQ(model.Store.ScriptKounter[1], -4);
  EXPECT_EQ(Call("GET_SCRIPTKOUNTER 1, v, e"), 0);
  EXPECT_EQ(Global("v").Type(), VarType::Integer);
  EXPECT_EQ(Global("v").IntegerValue(), -4);
  EXPECT_EQ(Raised("SET_SCRIPTKOUNTER 1, 32768, e"), vbs::err::Overflow);
  EXPECT_EQ(model.Store.ScriptKounter[1], -4);
  EXPECT_EQ(Call("SET_SCRIPTKOUNTER 1, -32768, e"), 0);
  EXPECT_EQ(model.Store.ScriptKounter[1], -32768);

  ClearScriptStore(model);
  for (int s = 1; s <= ScriptSlotCount; ++s) {
    EXPECT_FALSE(model.Store.ScriptFlag[s]);
    EXPECT_EQ(model.Store.ScriptKounter[s], 0);
    EXPECT_EQ(model.Store.ScriptBuffer[s], 0.0f);
  }
}

}  // namespace
}  // namespace kavro::test
