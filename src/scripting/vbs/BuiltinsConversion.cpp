// CBool CByte CInt CLng CSng CDbl CStr CDate; IsNumeric IsEmpty IsNull IsArray IsDate IsObject
// VarType TypeName.
#include <array>

#include "scripting/vbs/BuiltinSupport.h"
#include "scripting/vbs/DateMath.h"
#include "scripting/vbs/HostObject.h"
#include "scripting/vbs/Interpreter.h"

namespace kavro::vbs {
namespace {

using namespace builtin;

const Variant& NotNull(const Variant& v) {
  if (v.IsNull()) throw ScriptError(err::InvalidUseOfNull);
  if (v.IsArray() || v.IsObject()) throw ScriptError(err::TypeMismatch);
  return v;
}

Variant CBool(Interpreter&, BuiltinArgs a) {
  return Variant::Boolean(ToBool(NotNull(*a[0])));
}
Variant CByte(Interpreter&, BuiltinArgs a) {
  return Variant::Byte(ToByte(NotNull(*a[0])));
}
Variant CInt(Interpreter&, BuiltinArgs a) {
  return Variant::Integer(ToInteger(NotNull(*a[0])));
}
Variant CLng(Interpreter&, BuiltinArgs a) {
  return Variant::Long(ToLong(NotNull(*a[0])));
}
Variant CSng(Interpreter&, BuiltinArgs a) {
  return Variant::Single(ToSingle(NotNull(*a[0])));
}
Variant CDbl(Interpreter&, BuiltinArgs a) {
  return Variant::Double(ToDouble(NotNull(*a[0])));
}
Variant CCur(Interpreter&, BuiltinArgs a) {
  return Variant::Currency(ToCurrencyValue(ToDouble(NotNull(*a[0]))));
}
Variant CStr(Interpreter&, BuiltinArgs a) {
  return Variant::String(ToText(NotNull(*a[0])));
}
Variant CDate(Interpreter& it, BuiltinArgs a) {
  return Variant::Date(ToDate(NotNull(*a[0]), it.CurrentYear()));
}

// The Is... functions, VarType and TypeName ask about the value itself: an object is an
// object to them, not its default value.
Variant IsNumeric(Interpreter&, BuiltinArgs a) {
  const Variant& v = *a[0];
  if (v.IsString()) return Variant::Boolean(ParseNumber(v.StringValue()).has_value());
  return Variant::Boolean(v.IsEmpty() || (v.IsNumber() && v.Type() != VarType::Date));
}

Variant IsEmpty(Interpreter&, BuiltinArgs a) {
  return Variant::Boolean(a[0]->IsEmpty());
}
Variant IsNull(Interpreter&, BuiltinArgs a) {
  return Variant::Boolean(a[0]->IsNull());
}
Variant IsArray(Interpreter&, BuiltinArgs a) {
  return Variant::Boolean(a[0]->IsArray());
}
Variant IsObject(Interpreter&, BuiltinArgs a) {
  return Variant::Boolean(a[0]->IsObject());
}

Variant IsDate(Interpreter& it, BuiltinArgs a) {
  const Variant& v = *a[0];
  if (v.Type() == VarType::Date) return Variant::Boolean(true);
  if (!v.IsString()) return Variant::Boolean(false);
  return Variant::Boolean(ParseDate(v.StringValue(), it.CurrentYear()).has_value());
}

Variant VarTypeFn(Interpreter&, BuiltinArgs a) {
  const Variant& v = *a[0];
  if (v.IsArray()) return Variant::Integer(8192 + 12);
  return Variant::Integer(static_cast<int16_t>(v.Type()));
}

Variant TypeNameFn(Interpreter&, BuiltinArgs a) {
  const Variant& v = *a[0];
  switch (v.Type()) {
    case VarType::Empty:
      return Variant::String("Empty");
    case VarType::Null:
      return Variant::String("Null");
    case VarType::Integer:
      return Variant::String("Integer");
    case VarType::Long:
      return Variant::String("Long");
    case VarType::Single:
      return Variant::String("Single");
    case VarType::Double:
      return Variant::String("Double");
    case VarType::Currency:
      return Variant::String("Currency");
    case VarType::Date:
      return Variant::String("Date");
    case VarType::String:
      return Variant::String("String");
    case VarType::Boolean:
      return Variant::String("Boolean");
    case VarType::Byte:
      return Variant::String("Byte");
    case VarType::Array:
      return Variant::String("Variant()");
    case VarType::Object:
      return Variant::String(v.ObjectValue() ? v.ObjectValue()->TypeName() : "Nothing");
    default:
      return Variant::String("Unknown");
  }
}

constexpr std::array<BuiltinInfo, 17> kConversions{{
    {"cbool", 1, 1, CBool},
    {"cbyte", 1, 1, CByte},
    {"cint", 1, 1, CInt},
    {"clng", 1, 1, CLng},
    {"csng", 1, 1, CSng},
    {"cdbl", 1, 1, CDbl},
    {"ccur", 1, 1, CCur},
    {"cstr", 1, 1, CStr},
    {"cdate", 1, 1, CDate},
    {"isnumeric", 1, 1, IsNumeric, true},
    {"isempty", 1, 1, IsEmpty, true},
    {"isnull", 1, 1, IsNull, true},
    {"isarray", 1, 1, IsArray, true},
    {"isdate", 1, 1, IsDate, true},
    {"isobject", 1, 1, IsObject, true},
    {"vartype", 1, 1, VarTypeFn, true},
    {"typename", 1, 1, TypeNameFn, true},
}};

}  // namespace

std::span<const BuiltinInfo> ConversionBuiltins() {
  return kConversions;
}

}  // namespace kavro::vbs
