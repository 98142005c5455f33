#pragma once
// Small helpers the built-in function files share: optional arguments and common checks.
#include "scripting/vbs/Builtins.h"
#include "scripting/vbs/Conversions.h"
#include "scripting/vbs/ScriptError.h"

namespace kavro::vbs::builtin {

// The i-th argument, or nullptr when it was not given.
inline const Variant* Opt(BuiltinArgs args, size_t i) {
  return i < args.size() ? args[i] : nullptr;
}

inline bool Given(BuiltinArgs args, size_t i) {
  return i < args.size() && !args[i]->IsEmpty();
}

inline int32_t LongArg(BuiltinArgs args, size_t i, int32_t fallback) {
  if (!Given(args, i)) return fallback;
  if (args[i]->IsNull()) throw ScriptError(err::InvalidUseOfNull);
  return ToLong(*args[i]);
}

// Text of an argument that must not be Null.
inline std::string TextArg(const Variant& v) {
  return ToText(v);
}

[[noreturn]] inline void InvalidCall() {
  throw ScriptError(err::InvalidCall);
}

// A one-dimensional array of items, within the limits on nested arrays (7 past them).
Variant MakeArray(Interpreter& it, std::vector<Variant> items);

// Position (0-based) of needle in hay from start, or npos; ignoring letter case when asked.
size_t FindText(Interpreter& it, std::string_view hay, std::string_view needle, size_t start,
                bool textCompare);

// vbBinaryCompare (0) or vbTextCompare (1).
inline bool TextCompareArg(BuiltinArgs args, size_t i) {
  const int32_t mode = LongArg(args, i, 0);
  if (mode < 0 || mode > 1) InvalidCall();
  return mode == 1;
}

}  // namespace kavro::vbs::builtin
