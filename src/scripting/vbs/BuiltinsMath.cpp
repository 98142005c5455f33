// Abs Sgn Int Fix Round Sqr Exp Log Sin Cos Tan Atn Rnd.
#include <algorithm>
#include <array>
#include <cmath>

#include "scripting/vbs/BuiltinSupport.h"
#include "scripting/vbs/Interpreter.h"
#include "scripting/vbs/Operators.h"

namespace kavro::vbs {
namespace {

using namespace builtin;

Variant Abs(Interpreter&, BuiltinArgs a) {
  const Variant& v = *a[0];
  switch (v.Type()) {
    case VarType::Null:
      return v;
    case VarType::Empty:
      return Variant::Integer(0);
    case VarType::Byte:
      return v;
    case VarType::Boolean:
    case VarType::Integer:
    case VarType::Long: {
      const int64_t x = ToLong(v);
      return IntegerResult(x < 0 ? -x : x,
                           v.Type() == VarType::Long ? VarType::Long : VarType::Integer);
    }
    case VarType::Single:
      return Variant::Single(std::fabs(v.SingleValue()));
    case VarType::Currency:
      return Variant::Currency(std::fabs(v.DoubleValue()));
    case VarType::Date:
      return Variant::Date(std::fabs(v.DoubleValue()));
    default:
      return Variant::Double(std::fabs(ToDouble(v)));
  }
}

Variant Sgn(Interpreter&, BuiltinArgs a) {
  if (a[0]->IsNull()) throw ScriptError(err::InvalidUseOfNull);
  const double x = ToDouble(*a[0]);
  return Variant::Integer(static_cast<int16_t>(x > 0 ? 1 : x < 0 ? -1 : 0));
}

// Applies cut to a number keeping its subtype: integers are already whole, Empty and Boolean
// become Integer, Null stays Null.
template <class Cut>
Variant WholePart(const Variant& v, Cut cut) {
  switch (v.Type()) {
    case VarType::Null:
    case VarType::Byte:
    case VarType::Integer:
    case VarType::Long:
      return v;
    case VarType::Empty:
      return Variant::Integer(0);
    case VarType::Boolean:
      return Variant::Integer(v.BoolValue() ? -1 : 0);
    case VarType::Single:
      return Variant::Single(static_cast<float>(cut(v.SingleValue())));
    case VarType::Currency:
      return Variant::Currency(cut(v.DoubleValue()));
    case VarType::Date:
      return Variant::Date(cut(v.DoubleValue()));
    default:
      return Variant::Double(cut(ToDouble(v)));
  }
}

Variant Int(Interpreter&, BuiltinArgs a) {
  return WholePart(*a[0], [](double x) { return std::floor(x); });
}
Variant Fix(Interpreter&, BuiltinArgs a) {
  return WholePart(*a[0], [](double x) { return std::trunc(x); });
}

Variant Round(Interpreter&, BuiltinArgs a) {
  const int32_t places = LongArg(a, 1, 0);
  if (places < 0) InvalidCall();
  if (a[0]->Type() == VarType::Boolean) return *a[0];  // Round keeps a Boolean as it is
  return WholePart(*a[0], [places](double x) { return RoundDecimal(x, places); });
}

template <double (*F)(double)>
Variant Unary(Interpreter&, BuiltinArgs a) {
  if (a[0]->IsNull()) return *a[0];
  const double r = F(ToDouble(*a[0]));
  if (!std::isfinite(r)) throw ScriptError(err::Overflow);
  return Variant::Double(r);
}

double SqrImpl(double x) {
  if (x < 0) InvalidCall();
  return std::sqrt(x);
}
double LogImpl(double x) {
  if (x <= 0) InvalidCall();
  return std::log(x);
}
double ExpImpl(double x) {
  return std::exp(x);
}
double SinImpl(double x) {
  return std::sin(x);
}
double CosImpl(double x) {
  return std::cos(x);
}
double TanImpl(double x) {
  return std::tan(x);
}
double AtnImpl(double x) {
  return std::atan(x);
}

Variant Rnd(Interpreter& it, BuiltinArgs a) {
  if (Given(a, 0) && a[0]->IsNull()) throw ScriptError(err::InvalidUseOfNull);
  return Variant::Single(it.NextRandom(Opt(a, 0)));
}

// RGB(red, green, blue): a colour number with red in the low byte; parts above 255 count as 255.
Variant Rgb(Interpreter&, BuiltinArgs a) {
  int32_t colour = 0;
  for (size_t i = 0; i < 3; ++i) {
    if (a[i]->IsNull()) throw ScriptError(err::InvalidUseOfNull);
    const int32_t part = ToLong(*a[i]);
    if (part < 0) InvalidCall();
    colour |= std::min(part, 255) << (8 * i);
  }
  return Variant::Long(colour);
}

constexpr std::array<BuiltinInfo, 14> kMath{{
    {"abs", 1, 1, Abs},
    {"sgn", 1, 1, Sgn},
    {"int", 1, 1, Int},
    {"fix", 1, 1, Fix},
    {"round", 1, 2, Round},
    {"sqr", 1, 1, Unary<SqrImpl>},
    {"exp", 1, 1, Unary<ExpImpl>},
    {"log", 1, 1, Unary<LogImpl>},
    {"sin", 1, 1, Unary<SinImpl>},
    {"cos", 1, 1, Unary<CosImpl>},
    {"tan", 1, 1, Unary<TanImpl>},
    {"atn", 1, 1, Unary<AtnImpl>},
    {"rnd", 0, 1, Rnd},
    {"rgb", 3, 3, Rgb},
}};

}  // namespace

std::span<const BuiltinInfo> MathBuiltins() {
  return kMath;
}

}  // namespace kavro::vbs
