// Evaluation of expressions: the tree's Eval methods.
#include <array>

#include "scripting/vbs/Builtins.h"
#include "scripting/vbs/Conversions.h"
#include "scripting/vbs/Interpreter.h"
#include "scripting/vbs/ScriptError.h"
#include "scripting/vbs/Unboxed.h"

namespace kavro::vbs {
namespace {

bool IsStable(const Expr& e) {
  return e.kind == ExprKind::Literal || e.kind == ExprKind::Local || e.kind == ExprKind::Global;
}

// Integer, Long and Double operands cover most script arithmetic; they skip the general rules.
bool FastBinary(BinaryOp op, const Variant& a, const Variant& b, Variant& out) {
  Unboxed x, y, r;
  if (!Unbox(a, x) || !Unbox(b, y) || !CombineUnboxed(op, x, y, r)) return false;
  out = Boxed(r);
  return true;
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

[[gnu::hot]] void BinaryExpr::Compute(Interpreter& it, Variant& out) const {
  if (numeric) {
    Unboxed r;
    if (EvalUnboxed(it, *this, r)) {
      out = Boxed(r);
      return;
    }
  }
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
  return *it.slots[static_cast<size_t>(slot)];
}

const Variant& LocalExpr::EvalRef(Interpreter& it, Variant&) const {
  return *it.slots[static_cast<size_t>(slot)];
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

// Fib(n - 1) + Fib(n - 2): each result moved into the operator's scratch by one call.
const Variant& CallExpr::EvalRef(Interpreter& it, Variant& scratch) const {
  scratch = it.CallProcedure(*proc, args);
  return scratch;
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
