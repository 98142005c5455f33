#pragma once
// The built-in functions and constants of the language, looked up by the resolver once.
#include <span>
#include <string_view>
#include <vector>

#include "scripting/vbs/Variant.h"

namespace kavro::vbs {

class Interpreter;

using BuiltinArgs = std::span<const Variant* const>;
using BuiltinFn = Variant (*)(Interpreter& it, BuiltinArgs args);

struct BuiltinInfo {
  const char* name;  // lower case
  int minArgs;
  int maxArgs;  // -1: any number
  BuiltinFn fn;
  // Objects reach it as they are (IsObject, TypeName); other built-ins get an object's default
  // value (CStr(Err) is the number's text).
  bool takesObjects = false;
};

const BuiltinInfo* FindBuiltin(std::string_view lowerName);
// Every built-in function, in name order: for tests that drive them all.
std::vector<const BuiltinInfo*> AllBuiltins();
const Variant* FindBuiltinConstant(std::string_view lowerName);
// Names of the language that Kavro scripts may not use (GetObject, Eval, ...).
bool IsExcludedBuiltin(std::string_view lowerName);

// The parts of the table, one per file.
std::span<const BuiltinInfo> MathBuiltins();
std::span<const BuiltinInfo> ConversionBuiltins();
std::span<const BuiltinInfo> StringBuiltins();
std::span<const BuiltinInfo> DateBuiltins();
std::span<const BuiltinInfo> ArrayBuiltins();
std::span<const BuiltinInfo> FormatBuiltins();
std::span<const BuiltinInfo> CharacterBuiltins();
std::span<const BuiltinInfo> ObjectBuiltins();

}  // namespace kavro::vbs
