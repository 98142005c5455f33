#include "scripting/vbs/ErrObject.h"

#include "scripting/vbs/Conversions.h"

namespace kavro::vbs {
namespace {

void NoArguments(HostArgs args) {
  if (!args.empty()) throw ScriptError(err::WrongArgCount);
}

// A text property of the state: read, and assigned any value that has a text.
void AddText(ErrObject& err, const char* name, std::string ErrState::*field) {
  err.AddProperty(
      name,
      [&err, field](HostArgs args) {
        NoArguments(args);
        return Variant::String(err.state.*field);
      },
      [&err, field](HostArgs args, const Variant& value) {
        NoArguments(args);
        err.state.*field = ToText(value);
      });
}

// A whole-number property, assigned a number the script gives as fromScript reads it.
void AddWhole(ErrObject& err, const char* name, int ErrState::*field, int (*fromScript)(int32_t)) {
  err.AddProperty(
      name,
      [&err, field](HostArgs args) {
        NoArguments(args);
        return Variant::Long(err.state.*field);
      },
      [&err, field, fromScript](HostArgs args, const Variant& value) {
        NoArguments(args);
        err.state.*field = fromScript(ToLong(value));
      });
}

// Err.Raise number[, source[, description[, helpfile[, helpcontext]]]]: what is left out keeps
// the value the Err object still holds, as the language does; a known number without a
// description of its own takes the standard one.
[[noreturn]] void Raise(const ErrState& held, HostArgs args) {
  if (args.empty() || args.size() > 5) throw ScriptError(err::WrongArgCount);
  auto given = [&](size_t i) { return i < args.size() && !args[i]->IsEmpty(); };
  if (!given(0)) throw ScriptError(err::InvalidCall);
  const int32_t n = ErrorNumberFromHresult(ToLong(*args[0]));
  if (n == 0) throw ScriptError(err::InvalidCall);
  std::string source = given(1)              ? ToText(*args[1])
                       : held.source.empty() ? kRuntimeErrorSource
                                             : held.source;
  std::string description = given(2)                    ? ToText(*args[2])
                            : !held.description.empty() ? held.description
                                                        : ErrorDescription(n);
  std::string helpFile = given(3) ? ToText(*args[3]) : held.helpFile;
  const int helpContext = given(4) ? ToLong(*args[4]) : held.helpContext;
  ScriptError e(n, std::move(description));
  e.SetSource(std::move(source));
  e.SetHelp(std::move(helpFile), helpContext);
  throw e;
}

}  // namespace

ErrObject::ErrObject() : HostObject("Object") {
  AddWhole(*this, "Number", &ErrState::number, ErrorNumberFromHresult);
  AddText(*this, "Description", &ErrState::description);
  AddText(*this, "Source", &ErrState::source);
  AddText(*this, "HelpFile", &ErrState::helpFile);
  AddWhole(*this, "HelpContext", &ErrState::helpContext, [](int32_t n) { return n; });
  AddProcedure("Clear", [this](HostArgs args) {
    NoArguments(args);
    state = ErrState{};
  });
  AddProcedure("Raise", [this](HostArgs args) { Raise(state, args); });
  SetDefaultMember("Number");
}

void ErrObject::Take(const ScriptError& e) {
  state.number = e.Number();
  state.description = e.Description();
  state.source = e.Source().empty() ? kRuntimeErrorSource : e.Source();
  state.helpFile = e.HelpFile();
  state.helpContext = e.HelpContext();
}

}  // namespace kavro::vbs
