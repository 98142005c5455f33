#include "scripting/host/ShareObject.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <type_traits>

#include "common/KavroError.h"
#include "common/NumberText.h"
#include "scripting/host/ScriptIndex.h"
#include "scripting/vbs/Conversions.h"
#include "scripting/vbs/ScriptError.h"

namespace kavro {
namespace {

using vbs::HostArgs;
using vbs::Variant;

// What the indices of a procedure address.
enum class Shape {
  Variable,   // ix
  Slope,      // ix, slope 1..3
  History,    // ix, age 1..min(HistCount, 200)
  ZonePoint,  // ix, zone 1..7, point 1..4
  Slot,       // store slot 1..16
};

int IndexCount(Shape shape) {
  switch (shape) {
    case Shape::Variable:
    case Shape::Slot:
      return 1;
    case Shape::Slope:
    case Shape::History:
      return 2;
    case Shape::ZonePoint:
      return 3;
  }
  return 1;
}

struct Indexes {
  int ix = 0;
  int ix2 = 0;
  int ix3 = 0;
  int held = 0;  // history samples held, for the age index
};

// The arguments of one call: the checked indices, Val1 and ierr.
struct Call {
  Indexes at;
  Variant& val1;
};

int HeldSamples(const ControllerModel& model) {
  return std::clamp<int>(model.HistCount, 0, HistoryLength);
}

// Checks the indices in order; returns 0 with at filled, or the code of the first that failed.
int CheckIndexes(const ControllerModel& model, Shape shape, int variables, HostArgs args,
                 Indexes& at) {
  const int firstUpper = shape == Shape::Slot ? ScriptSlotCount : variables;
  const auto ix = CheckedIndex(*args[0], firstUpper);
  if (!ix) return 1;
  at.ix = *ix;
  if (shape == Shape::Variable || shape == Shape::Slot) return 0;
  at.held = HeldSamples(model);
  const int secondUpper = shape == Shape::Slope     ? NumSlopes
                          : shape == Shape::History ? at.held
                                                    : NumZones;
  const auto ix2 = CheckedIndex(*args[1], secondUpper);
  if (!ix2) return 2;
  at.ix2 = *ix2;
  if (shape != Shape::ZonePoint) return 0;
  const auto ix3 = CheckedIndex(*args[2], NumPoints);
  if (!ix3) return 3;
  at.ix3 = *ix3;
  return 0;
}

// A procedure body: does the read or write and returns the code for ierr (0, or 2 for the
// special refusals).
using Body = std::function<int(ControllerModel&, Call&)>;

class ShareBuilder {
 public:
  ShareBuilder(vbs::HostObject& object, ControllerModel& model, std::vector<std::string>* declared)
      : object_(object), model_(model), declared_(declared) {}

  // variables: how many variables ix may name (NumIn or NumOut); unused for the store.
  void Add(const char* name, Shape shape, int variables, Body body) {
    if (declared_) declared_->push_back(name);
    ControllerModel& model = model_;
    object_.AddProcedure(name, [&model, shape, variables, body = std::move(body)](HostArgs args) {
      const size_t count = static_cast<size_t>(IndexCount(shape)) + 2;
      if (args.size() != count) throw vbs::ScriptError(vbs::err::WrongArgCount);
      Variant& ierr = *args[count - 1];
      Call call{{}, *args[count - 2]};
      int code = CheckIndexes(model, shape, variables, args, call.at);
      if (code == 0) {
        try {
          code = body(model, call);
        } catch (const KavroError& e) {  // a text that is no number, reported to the script
          throw vbs::ScriptError(e.Number(), e.Description());
        }
      }
      ierr = Variant::Integer(static_cast<int16_t>(code));
    });
  }

 private:
  vbs::HostObject& object_;
  ControllerModel& model_;
  std::vector<std::string>* declared_;
};

// The fields, for inputs and outputs alike.
template <typename Record>
Record& VariableAt(ControllerModel& model, int ix);
template <>
PVarInRecord& VariableAt(ControllerModel& model, int ix) {
  return model.PVarIn[static_cast<size_t>(ix)];
}
template <>
PVarOutRecord& VariableAt(ControllerModel& model, int ix) {
  return model.PVarOut[static_cast<size_t>(ix)];
}

template <typename Record>
using Field = float& (*)(Record&, const Indexes&);

template <typename Record>
float& PVIN(Record& r, const Indexes&) {
  return r.PVIN;
}
template <typename Record>
float& PVHigh(Record& r, const Indexes&) {
  return r.PVHigh;
}
template <typename Record>
float& PVLow(Record& r, const Indexes&) {
  return r.PVLow;
}
template <typename Record>
float& MFPValue(Record& r, const Indexes& at) {
  return r.Zone[static_cast<size_t>(at.ix2)].MFPValue[static_cast<size_t>(at.ix3)];
}
template <typename Record>
float& MFValue(Record& r, const Indexes& at) {
  return r.Zone[static_cast<size_t>(at.ix2)].MFValue[static_cast<size_t>(at.ix3)];
}
template <typename Record>
float& Slope(Record& r, const Indexes& at) {
  return r.Slope[static_cast<size_t>(at.ix2)];
}
// Age 1 is the newest sample held, age n the oldest.
template <typename Record>
float& History(Record& r, const Indexes& at) {
  return r.History[static_cast<size_t>(at.held - at.ix2 + 1)];
}
float& MaxChange(PVarOutRecord& r, const Indexes&) {
  return r.Max_Change;
}
float& ChangeTime(PVarOutRecord& r, const Indexes&) {
  return r.Change_Time;
}
float& WaitChange(PVarOutRecord& r, const Indexes&) {
  return r.Wait_Change;
}

template <typename Record>
constexpr int VariableCount() {
  return std::is_same_v<Record, PVarInRecord> ? NumIn : NumOut;
}

template <typename Record>
void AddGet(ShareBuilder& share, const char* name, Shape shape, Field<Record> field) {
  share.Add(name, shape, VariableCount<Record>(), [field](ControllerModel& model, Call& call) {
    call.val1 = Variant::Single(field(VariableAt<Record>(model, call.at.ix), call.at));
    return 0;
  });
}

// nonNegative: a negative Val1 is refused with code 2 and nothing is written.
template <typename Record>
void AddSet(ShareBuilder& share, const char* name, Shape shape, Field<Record> field,
            bool nonNegative = false) {
  share.Add(name, shape, VariableCount<Record>(),
            [field, nonNegative](ControllerModel& model, Call& call) {
              const float value = vbs::ToSingle(call.val1);
              if (nonNegative && vbs::ToDouble(call.val1) < 0) return 2;
              field(VariableAt<Record>(model, call.at.ix), call.at) = value;
              return 0;
            });
}

// The pending output value as a number; "Not Used" (nothing to send) is refused with code 2.
int GetValueOut(ControllerModel& model, Call& call) {
  const std::string& text = VariableAt<PVarOutRecord>(model, call.at.ix).ValueOut;
  if (text == kNotUsed) return 2;
  call.val1 = Variant::Single(ToSingle(text));
  return 0;
}

// Stored as the cycle writes output values; a text that is no number is stored as it is, so a
// script can hand back "Not Used".
int SetValueOut(ControllerModel& model, Call& call) {
  std::string& target = VariableAt<PVarOutRecord>(model, call.at.ix).ValueOut;
  const Variant& value = call.val1;
  if (value.IsString()) {
    const auto number = vbs::ParseNumber(value.StringValue());
    target = number ? FormatNumber(*number, "######0.000#") : value.StringValue();
  } else {
    target = FormatNumber(vbs::ToDouble(value), "######0.000#");
  }
  return 0;
}

size_t Slot(const Call& call) {
  return static_cast<size_t>(call.at.ix);
}

void AddStore(ShareBuilder& share) {
  share.Add("GET_SCRIPTFLAG", Shape::Slot, 0, [](ControllerModel& model, Call& call) {
    call.val1 = Variant::Boolean(model.Store.ScriptFlag[Slot(call)]);
    return 0;
  });
  share.Add("GET_SCRIPTKOUNTER", Shape::Slot, 0, [](ControllerModel& model, Call& call) {
    call.val1 = Variant::Integer(model.Store.ScriptKounter[Slot(call)]);
    return 0;
  });
  share.Add("GET_SCRIPTBUFFER", Shape::Slot, 0, [](ControllerModel& model, Call& call) {
    call.val1 = Variant::Single(model.Store.ScriptBuffer[Slot(call)]);
    return 0;
  });
  // Only the number 1 sets a flag: True (-1), 2 or a text that is no number clear it.
  share.Add("SET_SCRIPTFLAG", Shape::Slot, 0, [](ControllerModel& model, Call& call) {
    std::optional<double> number;
    if (call.val1.IsString()) {
      number = vbs::ParseNumber(call.val1.StringValue());
    } else if (call.val1.IsNumber()) {
      number = vbs::ToDouble(call.val1);
    }
    model.Store.ScriptFlag[Slot(call)] = number && *number == 1.0;
    return 0;
  });
  share.Add("SET_SCRIPTKOUNTER", Shape::Slot, 0, [](ControllerModel& model, Call& call) {
    model.Store.ScriptKounter[Slot(call)] = vbs::ToInteger(call.val1);
    return 0;
  });
  share.Add("SET_SCRIPTBUFFER", Shape::Slot, 0, [](ControllerModel& model, Call& call) {
    model.Store.ScriptBuffer[Slot(call)] = vbs::ToSingle(call.val1);
    return 0;
  });
}

}  // namespace

std::shared_ptr<vbs::HostObject> MakeShareObject(ControllerModel& model,
                                                 std::vector<std::string>* declared) {
  auto object = std::make_shared<vbs::HostObject>("FLControl");
  ShareBuilder share(*object, model, declared);
  using In = PVarInRecord;
  using Out = PVarOutRecord;

  AddGet<In>(share, "GET_INPVIN", Shape::Variable, PVIN<In>);
  AddGet<In>(share, "GET_INPVHIGH", Shape::Variable, PVHigh<In>);
  AddGet<In>(share, "GET_INPVLOW", Shape::Variable, PVLow<In>);
  AddGet<In>(share, "GET_INMFPValue", Shape::ZonePoint, MFPValue<In>);
  AddGet<In>(share, "GET_INMFMFValue", Shape::ZonePoint, MFValue<In>);
  AddGet<In>(share, "GET_INPVSLOPE", Shape::Slope, Slope<In>);
  AddGet<In>(share, "GET_INPVHIS", Shape::History, History<In>);
  AddSet<In>(share, "SET_INPVIN", Shape::Variable, PVIN<In>);
  AddSet<In>(share, "SET_INPVHIGH", Shape::Variable, PVHigh<In>);
  AddSet<In>(share, "SET_INPVLOW", Shape::Variable, PVLow<In>);
  AddSet<In>(share, "SET_INMFPValue", Shape::ZonePoint, MFPValue<In>);
  AddSet<In>(share, "SET_INMFMFValue", Shape::ZonePoint, MFValue<In>);

  AddGet<Out>(share, "GET_OUTPVIN", Shape::Variable, PVIN<Out>);
  AddGet<Out>(share, "GET_OUTPVHIGH", Shape::Variable, PVHigh<Out>);
  AddGet<Out>(share, "GET_OUTPVLOW", Shape::Variable, PVLow<Out>);
  AddGet<Out>(share, "GET_OUTMAXCHANGE", Shape::Variable, MaxChange);
  AddGet<Out>(share, "GET_OUTCHGTIME", Shape::Variable, ChangeTime);
  AddGet<Out>(share, "GET_OUTWAITCHG", Shape::Variable, WaitChange);
  AddGet<Out>(share, "GET_OUTMFPValue", Shape::ZonePoint, MFPValue<Out>);
  AddGet<Out>(share, "GET_OUTMFMFValue", Shape::ZonePoint, MFValue<Out>);
  AddGet<Out>(share, "GET_OUTPVSLOPE", Shape::Slope, Slope<Out>);
  AddGet<Out>(share, "GET_OUTPVHIS", Shape::History, History<Out>);
  share.Add("GET_OUTVALUEOUT", Shape::Variable, NumOut, GetValueOut);
  AddSet<Out>(share, "SET_OUTPVIN", Shape::Variable, PVIN<Out>);
  AddSet<Out>(share, "SET_OUTPVHIGH", Shape::Variable, PVHigh<Out>);
  AddSet<Out>(share, "SET_OUTPVLOW", Shape::Variable, PVLow<Out>);
  AddSet<Out>(share, "SET_OUTMAXCHANGE", Shape::Variable, MaxChange, true);
  AddSet<Out>(share, "SET_OUTCHGTIME", Shape::Variable, ChangeTime, true);
  AddSet<Out>(share, "SET_OUTWAITCHG", Shape::Variable, WaitChange, true);
  AddSet<Out>(share, "SET_OUTMFPValue", Shape::ZonePoint, MFPValue<Out>);
  AddSet<Out>(share, "SET_OUTMFMFValue", Shape::ZonePoint, MFValue<Out>);
  share.Add("SET_OUTVALUEOUT", Shape::Variable, NumOut, SetValueOut);

  AddStore(share);
  return object;
}

void ClearScriptStore(ControllerModel& model) {
  model.Store = ScriptStore{};
}

}  // namespace kavro
