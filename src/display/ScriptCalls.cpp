#include "display/ScriptCalls.h"

namespace kavro {
namespace {

struct Procedure {
  const char* name;
  const char* arguments;
};

constexpr const char* kOne = "ix, Val1, ierr";
constexpr const char* kTwo = "ix, ix2, Val1, ierr";
constexpr const char* kThree = "ix, ix2, ix3, Val1, ierr";

// GET_OUTVALUEOUT stands before GET_OUTPVSLOPE here: the editors list it with the other
// readings of the output's own values.
constexpr Procedure kProcedures[] = {
    {"GET_INPVIN", kOne},         {"GET_INPVHIGH", kOne},       {"GET_INPVLOW", kOne},
    {"GET_INMFPValue", kThree},   {"GET_INMFMFValue", kThree},  {"GET_INPVSLOPE", kTwo},
    {"GET_INPVHIS", kTwo},        {"SET_INPVIN", kOne},         {"SET_INPVHIGH", kOne},
    {"SET_INPVLOW", kOne},        {"SET_INMFPValue", kThree},   {"SET_INMFMFValue", kThree},
    {"GET_OUTPVIN", kOne},        {"GET_OUTPVHIGH", kOne},      {"GET_OUTPVLOW", kOne},
    {"GET_OUTMAXCHANGE", kOne},   {"GET_OUTCHGTIME", kOne},     {"GET_OUTWAITCHG", kOne},
    {"GET_OUTMFPValue", kThree},  {"GET_OUTMFMFValue", kThree}, {"GET_OUTVALUEOUT", kOne},
    {"GET_OUTPVSLOPE", kTwo},     {"GET_OUTPVHIS", kTwo},       {"SET_OUTPVIN", kOne},
    {"SET_OUTPVHIGH", kOne},      {"SET_OUTPVLOW", kOne},       {"SET_OUTMAXCHANGE", kOne},
    {"SET_OUTCHGTIME", kOne},     {"SET_OUTWAITCHG", kOne},     {"SET_OUTMFPValue", kThree},
    {"SET_OUTMFMFValue", kThree}, {"SET_OUTVALUEOUT", kOne},    {"GET_SCRIPTFLAG", kOne},
    {"GET_SCRIPTKOUNTER", kOne},  {"GET_SCRIPTBUFFER", kOne},   {"SET_SCRIPTFLAG", kOne},
    {"SET_SCRIPTKOUNTER", kOne},  {"SET_SCRIPTBUFFER", kOne},
};

}  // namespace

const std::vector<std::string>& ScriptUsageHelp() {
  static const std::vector<std::string> help = {
      "Usage:",
      "Call Sub (ix, ix2, ix3, val, errcode)",
      " ix = index of Var IN/OUT",
      " ix2 = Zone# or Count/History",
      " ix3 = Point # in Membership Table",
      " val = value from/to GET/SET",
      " errcode = 0 implies no error",
  };
  return help;
}

const std::vector<std::string>& ScriptProcedureNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> list;
    for (const Procedure& p : kProcedures) list.emplace_back(p.name);
    return list;
  }();
  return names;
}

const std::vector<std::string>& ScriptProcedureCalls() {
  static const std::vector<std::string> calls = [] {
    std::vector<std::string> list;
    for (const Procedure& p : kProcedures) {
      list.push_back(std::string("Call ") + p.name + " (" + p.arguments + ")");
    }
    return list;
  }();
  return calls;
}

std::vector<std::string> FilteredCalls(CallFilter filter) {
  const char* mark = filter == CallFilter::Out     ? "_OUT"
                     : filter == CallFilter::Inp   ? "_IN"
                     : filter == CallFilter::Flags ? "_SCRIPT"
                                                   : "";
  std::vector<std::string> shown;
  for (const std::string& call : ScriptProcedureCalls()) {
    if (call.find(mark) != std::string::npos) shown.push_back(call);
  }
  return shown;
}

}  // namespace kavro
