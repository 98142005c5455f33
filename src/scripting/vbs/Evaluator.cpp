// Evaluation of expressions: the tree's Eval methods.
#include <array>
#include <cmath>

#include "scripting/vbs/Builtins.h"
#include "scripting/vbs/Conversions.h"
#include "scripting/vbs/Interpreter.h"
#include "scripting/vbs/ScriptError.h"

namespace kavro::vbs {
namespace {

bool IsStable(const Expr& e) {
  return e.kind == ExprKind::Literal || e.kind == ExprKind::Local || e.kind == ExprKind::Global;
}

// Integer and Long operands cover most script arithmetic; they skip the general rules.
bool FastIntegral(const Variant& v, int64_t& out) {
  if (v.Type() == VarType::Integer) {
    out = v.IntegerValue();
    return true;
  }
  if (v.Type() == VarType::Long) {
    out = v.LongValue();
    return true;
  }
  return false;
}

// A comparison of two numbers of the same kind; false for any other operator.
template <class T>
bool Comparison(BinaryOp op, T x, T y, Variant& out) {
  switch (op) {
    case BinaryOp::Equal:
      out = Variant::Boolean(x == y);
      return true;
    case BinaryOp::NotEqual:
      out = Variant::Boolean(x != y);
      return true;
    case BinaryOp::Less:
      out = Variant::Boolean(x < y);
      return true;
    case BinaryOp::Greater:
      out = Variant::Boolean(x > y);
      return true;
    case BinaryOp::LessEqual:
      out = Variant::Boolean(x <= y);
      return true;
    case BinaryOp::GreaterEqual:
      out = Variant::Boolean(x >= y);
      return true;
    default:
      return false;
  }
}

// Integer, Long and Double operands where one is a Double: the result is a Double (or a
// Boolean for a comparison), as the general rules give it.
bool FastDouble(BinaryOp op, const Variant& a, const Variant& b, Variant& out) {
  auto value = [](const Variant& v, double& d) {
    switch (v.Type()) {
      case VarType::Double:
        d = v.DoubleValue();
        return true;
      case VarType::Integer:
        d = v.IntegerValue();
        return true;
      case VarType::Long:
        d = v.LongValue();
        return true;
      default:
        return false;
    }
  };
  double x, y;
  if (!value(a, x) || !value(b, y)) return false;
  double r;
  switch (op) {
    case BinaryOp::Add:
      r = x + y;
      break;
    case BinaryOp::Subtract:
      r = x - y;
      break;
    case BinaryOp::Multiply:
      r = x * y;
      break;
    case BinaryOp::Divide:
      if (y == 0) return false;
      r = x / y;
      break;
    default:
      return Comparison(op, x, y, out);
  }
  if (!std::isfinite(r)) return false;  // the general path raises the overflow
  out = Variant::Double(r);
  return true;
}

bool FastBinary(BinaryOp op, const Variant& a, const Variant& b, Variant& out) {
  int64_t x, y;
  if (!FastIntegral(a, x) || !FastIntegral(b, y)) {
    if (a.Type() != VarType::Double && b.Type() != VarType::Double) return false;
    return FastDouble(op, a, b, out);
  }
  const VarType narrow =
      a.Type() == VarType::Long || b.Type() == VarType::Long ? VarType::Long : VarType::Integer;
  switch (op) {
    case BinaryOp::Add:
      out = IntegerResult(x + y, narrow);
      return true;
    case BinaryOp::Subtract:
      out = IntegerResult(x - y, narrow);
      return true;
    case BinaryOp::Multiply:
      out = IntegerResult(x * y, narrow);
      return true;
    case BinaryOp::Mod:
      if (y == 0) return false;
      // The sign of the dividend, as the language's Mod; both operands fit 32 bits, whose
      // division is the quicker one (-1 aside, which could overflow it).
      out = IntegerResult(y == -1 ? 0 : static_cast<int32_t>(x) % static_cast<int32_t>(y), narrow);
      return true;
    case BinaryOp::IntDivide:
      if (y == 0) return false;  // the general path raises the error
      if (y == -1) {
        if (-x > INT32_MAX) return false;
        out = IntegerResult(-x, narrow);
        return true;
      }
      out = IntegerResult(static_cast<int32_t>(x) / static_cast<int32_t>(y), narrow);
      return true;
    case BinaryOp::Divide:
      if (y == 0) return false;
      out = Variant::Double(static_cast<double>(x) / static_cast<double>(y));
      return true;
    default:
      return Comparison(op, x, y, out);
  }
}

// A built-in's work grows with the texts it reads and the value it returns.
void ChargeCall(Interpreter& it, BuiltinArgs args, const Variant& result) {
  size_t read = 0;
  for (const Variant* v : args) {
    if (v->IsString()) read += v->StringValue().size();
  }
  it.Tick(read >> 6);
  it.ChargeValue(result);
}

// A built-in's own errors reach the script as they are; anything else it throws becomes a
// script error of this line (see CaughtScriptError), so nothing else ever leaves a built-in.
Variant CallBuiltin(Interpreter& it, const BuiltinInfo& builtin, BuiltinArgs args) {
  Variant result;
  try {
    result = builtin.fn(it, args);
  } catch (const ScriptError&) {
    throw;
  } catch (...) {
    throw CaughtScriptError(it.line);
  }
  it.CheckString(result);
  ChargeCall(it, args, result);
  return result;
}

}  // namespace

Variant NameExpr::Eval(Interpreter&) const {
  throw ScriptError(err::SyntaxError, "Unresolved name '" + written + "'", line);
}

Variant MemberExpr::Eval(Interpreter&) const {
  throw ScriptError(err::SyntaxError, "Unresolved member '" + written + "'", line);
}

Variant UnaryExpr::Eval(Interpreter& it) const {
  Variant scratch, plain;
  const Variant& v = PlainValue(operand->EvalRef(it, scratch), plain);
  switch (op) {
    case UnaryOp::Negate:
      return Negate(v);
    case UnaryOp::Not:
      return LogicalNot(v);
    default:
      if (v.IsArray() || v.IsObject()) throw ScriptError(err::TypeMismatch);
      return v;
  }
}

Variant BinaryExpr::Eval(Interpreter& it) const {
  Variant result;
  Compute(it, result);
  return result;
}

const Variant& BinaryExpr::EvalRef(Interpreter& it, Variant& scratch) const {
  Compute(it, scratch);
  return scratch;
}

void BinaryExpr::Compute(Interpreter& it, Variant& out) const {
  Variant leftScratch, rightScratch;
  const Variant* leftValue = &OperandValue(it, *left, leftScratch);
  // A variable on the left is read in place only when the right side cannot change it.
  if (leftValue != &leftScratch && !IsStable(*right) && left->kind != ExprKind::Literal) {
    leftScratch = *leftValue;
    leftValue = &leftScratch;
  }
  const Variant& rightValue = OperandValue(it, *right, rightScratch);
  if (FastBinary(op, *leftValue, rightValue, out)) return;
  // An object takes part by its default value (Err + 1), except in Is.
  Variant leftPlain, rightPlain;
  const bool byValue = op != BinaryOp::Is;
  const Variant& a = byValue ? PlainValue(*leftValue, leftPlain) : *leftValue;
  const Variant& b = byValue ? PlainValue(rightValue, rightPlain) : rightValue;
  out = ApplyBinary(op, a, b);
  if (out.IsString()) {
    it.CheckString(out);
    it.Charge(out.StringValue().size());
  }
}

Variant LocalExpr::Eval(Interpreter& it) const {
  return *it.frame->slots[static_cast<size_t>(slot)];
}

const Variant& LocalExpr::EvalRef(Interpreter& it, Variant&) const {
  return *it.frame->slots[static_cast<size_t>(slot)];
}

// v(args): an element of an array, or a call of an object's default member (d(key)).
Variant IndexExpr::Eval(Interpreter& it) const {
  Variant& value = VariableAt(it, *base);
  if (value.IsObject()) return it.CallDefault(value, args);
  return it.Element(value, args);
}

const Variant& IndexExpr::EvalRef(Interpreter& it, Variant& scratch) const {
  scratch = Eval(it);
  return scratch;
}

Variant ApplyExpr::Eval(Interpreter& it) const {
  Variant value = base->Eval(it);
  if (value.IsObject()) return it.CallDefault(value, args);
  return it.Element(value, args);
}

Variant CallExpr::Eval(Interpreter& it) const {
  return it.CallProcedure(*proc, args);
}

Variant BuiltinExpr::Eval(Interpreter& it) const {
  constexpr size_t kInline = 4;
  const size_t n = args.size();
  if (n <= kInline) {
    std::array<Variant, kInline> scratch;
    std::array<const Variant*, kInline> values{};
    for (size_t i = 0; i < n; ++i) values[i] = &ArgumentValue(it, *args[i], scratch[i]);
    return Finish(CallBuiltin(it, *builtin, BuiltinArgs(values.data(), n)));
  }
  std::vector<Variant> scratch(n);
  std::vector<const Variant*> values(n);
  for (size_t i = 0; i < n; ++i) values[i] = &ArgumentValue(it, *args[i], scratch[i]);
  return Finish(CallBuiltin(it, *builtin, BuiltinArgs(values.data(), n)));
}

const Variant& BuiltinExpr::ArgumentValue(Interpreter& it, const Expr& arg,
                                          Variant& scratch) const {
  const Variant& v = arg.EvalRef(it, scratch);
  if (!v.IsObject() || builtin->takesObjects) return v;
  Variant plain;
  if (&PlainValue(v, plain) == &v) return v;
  scratch = std::move(plain);
  return scratch;
}

Variant BuiltinExpr::Finish(Variant result) const {
  // A conversion called as a statement: its value has a type of its own that no statement
  // takes.
  if (!statementName.empty()) {
    throw ScriptError::AboutName(err::UnsupportedType, statementName, line);
  }
  return result;
}

Variant HostCallExpr::Eval(Interpreter& it) const {
  return it.CallHost(*member, args);
}

Variant HostObjectExpr::Eval(Interpreter&) const {
  return Variant::Object(object);
}

Variant MemberCallExpr::Eval(Interpreter& it) const {
  Variant scratch;
  const Variant& target = object->EvalRef(it, scratch);
  return it.CallMember(target, name, args);
}

Variant UndefinedExpr::Eval(Interpreter&) const {
  throw ScriptError::AboutName(number, name, line);
}

}  // namespace kavro::vbs
