// CreateObject: a script may make a Scripting.Dictionary and no other object, so that nothing
// it creates reaches files, processes or other machines.
#include <array>

#include "scripting/vbs/BuiltinSupport.h"
#include "scripting/vbs/Dictionary.h"
#include "scripting/vbs/Interpreter.h"
#include "scripting/vbs/TextCase.h"

namespace kavro::vbs {
namespace {

// CreateObject(class[, server]): any other class, or a server to make it on, is 429.
Variant CreateObjectFn(Interpreter& it, BuiltinArgs a) {
  const std::string name = ToText(*a[0]);
  const bool here = !builtin::Given(a, 1) || ToText(*a[1]).empty();
  if (!here || LowerCase(name) != "scripting.dictionary") {
    throw ScriptError::AboutName(err::CannotCreateObject, name, it.line);
  }
  auto dictionary = std::make_shared<Dictionary>(it);
  it.Adopt(dictionary);
  return Variant::Object(std::move(dictionary));
}

constexpr std::array<BuiltinInfo, 1> kObjects{{
    {"createobject", 1, 2, CreateObjectFn},
}};

}  // namespace

std::span<const BuiltinInfo> ObjectBuiltins() {
  return kObjects;
}

}  // namespace kavro::vbs
