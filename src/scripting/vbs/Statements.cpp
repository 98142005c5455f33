// Execution of statements: the tree's Exec methods.
#include "scripting/vbs/Conversions.h"
#include "scripting/vbs/HostObject.h"
#include "scripting/vbs/Interpreter.h"
#include "scripting/vbs/ScriptError.h"
#include "scripting/vbs/Unboxed.h"

namespace kavro::vbs {
namespace {

[[noreturn]] void NotAVariable(Interpreter& it, const Expr& target) {
  target.Eval(it);  // an undefined name raises its error here
  throw ScriptError(err::IllegalAssignment);
}

inline Variant& VariableRef(Interpreter& it, const Expr& target) {
  if (target.kind != ExprKind::Local && target.kind != ExprKind::Global) {
    NotAVariable(it, target);
  }
  return VariableAt(it, target);
}

// A condition's truth: Null counts as False.
[[gnu::hot]] bool Truth(Interpreter& it, const Expr& condition) {
  if (Unboxed u; condition.numeric && NumericValue(it, condition, u)) {
    return u.type == VarType::Double ? u.real != 0 : u.whole != 0;
  }
  Variant scratch;
  const Variant& value = OperandValue(it, condition, scratch);
  if (value.Type() == VarType::Boolean) return value.BoolValue();
  Variant plain;
  const Variant& v = PlainValue(value, plain);
  if (v.IsNull()) return false;
  if (v.Type() == VarType::Boolean) return v.BoolValue();
  if (v.IsArray() || v.IsObject()) throw ScriptError(err::TypeMismatch);
  return ToBool(v);
}

bool IsIntegral(const Variant& v) {
  return v.Type() == VarType::Integer || v.Type() == VarType::Long || v.Type() == VarType::Byte;
}

// Evaluating it changes no variable: a literal, a variable, or a built-in of such.
bool WithoutSideEffects(const Expr& e) {
  switch (e.kind) {
    case ExprKind::Literal:
    case ExprKind::Local:
    case ExprKind::Global:
      return true;
    case ExprKind::Builtin:
      for (const auto& arg : static_cast<const BuiltinExpr&>(e).args) {
        if (!WithoutSideEffects(*arg)) return false;
      }
      return true;
    default:
      return false;
  }
}

// s = s & x on a variable holding a text appends in place instead of copying the text; only
// where x cannot change s, so the order of evaluation does not show.
bool AppendInPlace(Interpreter& it, const Expr& target, const Expr& value) {
  if (value.kind != ExprKind::Binary) return false;
  const auto& concat = static_cast<const BinaryExpr&>(value);
  if (concat.op != BinaryOp::Concat || concat.left->kind != target.kind) return false;
  if (!WithoutSideEffects(*concat.right)) return false;
  if (target.kind == ExprKind::Local) {
    if (static_cast<const LocalExpr&>(*concat.left).slot !=
        static_cast<const LocalExpr&>(target).slot) {
      return false;
    }
  } else if (static_cast<const GlobalExpr&>(*concat.left).var !=
             static_cast<const GlobalExpr&>(target).var) {
    return false;
  }
  Variant& var = VariableRef(it, target);
  if (!var.IsString()) return false;
  Variant scratch;
  const Variant& tail = concat.right->EvalRef(it, scratch);
  if (tail.IsArray() || tail.IsObject()) return false;  // the general path raises the error
  std::string& text = var.MutableString();
  const size_t before = text.size();
  AppendText(text, tail);
  if (text.size() > it.limits.maxStringLength) {
    text.resize(before);
    it.Raise(err::OutOfStringSpace);
  }
  try {
    it.Charge(text.size() - before);
  } catch (const ScriptError&) {
    text.resize(before);  // a refused text leaves the variable as it was
    throw;
  }
  return true;
}

// A loop's body: one statement without a handler runs without the block's catch, as what it
// throws would only be thrown on from there; an assignment, the usual one, by a direct call.
inline Flow ExecLoopBody(Interpreter& it, const Block& body, const AssignStmt* onlyAssign) {
  if (body.size() != 1 || it.frame->resumeNext) return it.ExecBlock(body);
  return onlyAssign ? onlyAssign->Exec(it) : body[0]->Exec(it);
}

const AssignStmt* OnlyAssignment(const Block& body) {
  return body.size() == 1 ? dynamic_cast<const AssignStmt*>(body[0].get()) : nullptr;
}

// counter + step: the common cases, an Integer or Long counter with an Integer step, on a short
// path that promotes as Add does.
inline void StepCounter(Variant& counter, const Variant& step) {
  if (step.Type() == VarType::Integer && counter.Type() == VarType::Integer) {
    counter =
        IntegerResult(int64_t{counter.IntegerValue()} + step.IntegerValue(), VarType::Integer);
  } else if (step.Type() == VarType::Integer && counter.Type() == VarType::Long) {
    counter = IntegerResult(int64_t{counter.LongValue()} + step.IntegerValue(), VarType::Long);
  } else {
    counter = ApplyBinary(BinaryOp::Add, counter, step);
  }
}

}  // namespace

[[gnu::hot]] Flow AssignStmt::Exec(Interpreter& it) const {
  it.line = line;
  if (Unboxed u; !isSet && value->numeric && EvalUnboxed(it, *value, u)) {
    if (target->kind == ExprKind::Local || target->kind == ExprKind::Global) {
      VariableRef(it, *target) = Boxed(u);
      return Flow::Normal;
    }
    // a(i) = a(i) + x: the number stored in place; neither side has side effects, so when the
    // element is out of reach the general path runs the statement again and raises the error.
    if (target->kind == ExprKind::Index) {
      if (Variant* element = ElementInPlace(it, static_cast<const IndexExpr&>(*target))) {
        *element = Boxed(u);
        return Flow::Normal;
      }
    }
  }
  return ExecGeneral(it);
}

// Apart from the numbers' quick path above, so that the quick path saves and restores only the
// few registers it uses.
[[gnu::noinline]] Flow AssignStmt::ExecGeneral(Interpreter& it) const {
  if (!isSet && (target->kind == ExprKind::Local || target->kind == ExprKind::Global) &&
      AppendInPlace(it, *target, *value)) {
    return Flow::Normal;
  }
  Variant v;
  if (const Variant& computed = OperandValue(it, *value, v); &computed != &v) v = computed;
  if (!isSet && (target->kind == ExprKind::Local || target->kind == ExprKind::Global) &&
      !v.IsString() && !v.IsArray() && !v.IsObject()) {
    VariableRef(it, *target) = v;  // a number, Empty or Null: nothing to check or count
    return Flow::Normal;
  }
  // Without Set an object stands for its default value; Set takes objects only.
  if (isSet != v.IsObject()) it.Assign(v, Variant(v), isSet);
  switch (target->kind) {
    case ExprKind::Local:
    case ExprKind::Global:
    case ExprKind::Undefined:
      it.Assign(VariableRef(it, *target), std::move(v), isSet);
      return Flow::Normal;
    case ExprKind::Index: {
      const auto& index = static_cast<const IndexExpr&>(*target);
      Variant& base = VariableRef(it, *index.base);
      if (base.IsObject()) {
        it.AssignDefault(base, index.args, v);  // d(key) = value
      } else {
        it.StoreElement(base, index.args, std::move(v));
      }
      return Flow::Normal;
    }
    case ExprKind::MemberCall: {
      const auto& member = static_cast<const MemberCallExpr&>(*target);
      Variant scratch;
      it.AssignMember(member.object->EvalRef(it, scratch), member.name, member.args, v);
      return Flow::Normal;
    }
    default:
      it.Raise(err::IllegalAssignment);
  }
}

Flow CallStmt::Exec(Interpreter& it) const {
  it.line = line;
  call->Eval(it);
  return Flow::Normal;
}

[[gnu::hot]] Flow IfStmt::Exec(Interpreter& it) const {
  it.line = line;
  for (size_t i = 0; i < conditions.size(); ++i) {
    bool take;
    if (it.frame->resumeNext) {
      // Under On Error Resume Next a failing condition goes on with the next statement, which
      // is the first one of its branch, as the language does.
      try {
        take = Truth(it, *conditions[i]);
      } catch (const ScriptError& e) {
        if (IsFatal(e)) throw;
        it.SetErr(e);
        take = true;
      }
    } else {
      take = Truth(it, *conditions[i]);
    }
    if (take) return it.ExecBlock(branches[i]);
  }
  return it.ExecBlock(elseBranch);
}

Flow SelectStmt::Exec(Interpreter& it) const {
  it.line = line;
  Variant subjectValue = subject->Eval(it);
  if (subjectValue.IsObject()) {
    Variant plain;
    subjectValue = Variant(PlainValue(subjectValue, plain));
  }
  for (const CaseClause& clause : cases) {
    bool match = false;
    for (const CaseTest& test : clause.tests) {
      it.line = clause.line;
      Variant scratch, plain;
      const Variant& v = PlainValue(test.value->EvalRef(it, scratch), plain);
      if (test.kind == CaseTestKind::Is) {
        Variant r = ApplyBinary(test.op, subjectValue, v);
        match = !r.IsNull() && ToBool(r);
      } else if (subjectValue.IsNull() || v.IsNull()) {
        match = false;
      } else if (test.kind == CaseTestKind::Value) {
        match = CompareValues(subjectValue, v, false) == 0;
      } else {
        Variant upperScratch;
        const Variant& upper = test.upper->EvalRef(it, upperScratch);
        match = !upper.IsNull() && CompareValues(subjectValue, v, false) >= 0 &&
                CompareValues(subjectValue, upper, false) <= 0;
      }
      if (match) break;
    }
    if (match) return it.ExecBlock(clause.body);
  }
  if (hasElse) return it.ExecBlock(elseBody);
  return Flow::Normal;
}

[[gnu::hot]] Flow ForStmt::Exec(Interpreter& it) const {
  it.line = line;
  Variant start = from->Eval(it);
  const Variant end = to->Eval(it);
  const Variant stepValue = step ? step->Eval(it) : Variant::Integer(1);
  if (start.IsNull() || end.IsNull() || stepValue.IsNull()) it.Raise(err::InvalidUseOfNull);
  if (start.IsString()) start = Variant::Double(ToDouble(start));
  const bool down = ToDouble(stepValue) < 0;
  ToDouble(end);  // a text that is no number fails here, before the first pass
  Variant& counter = VariableRef(it, *this->counter);
  it.Assign(counter, std::move(start), false);
  const bool endIntegral = IsIntegral(end);
  const int64_t endWhole = endIntegral ? ToLong(end) : 0;
  // The common loop, a whole counter running to a whole end by an Integer step, counts without
  // the general comparison and addition; once the body leaves the counter anything else, the
  // general loop below goes on from the same point.
  const AssignStmt* onlyAssign = OnlyAssignment(body);
  if (endIntegral && stepValue.Type() == VarType::Integer) {
    const int32_t stepWhole = stepValue.IntegerValue();
    for (;;) {
      Variant& current = VariableRef(it, *this->counter);
      int64_t c;
      if (current.Type() == VarType::Integer) {
        c = current.IntegerValue();
      } else if (current.Type() == VarType::Long) {
        c = current.LongValue();
      } else {
        break;
      }
      if (stepWhole < 0 ? c < endWhole : c > endWhole) return Flow::Normal;
      const Flow flow = ExecLoopBody(it, body, onlyAssign);
      if (flow == Flow::ExitFor) return Flow::Normal;
      if (flow != Flow::Normal) return flow;
      it.Tick();
      it.line = line;
      StepCounter(VariableRef(it, *this->counter), stepValue);
    }
  }
  for (;;) {
    Variant& current = VariableRef(it, *this->counter);
    int cmp;
    if (endIntegral && IsIntegral(current)) {
      const int64_t c = current.Type() == VarType::Integer ? current.IntegerValue()
                        : current.Type() == VarType::Long  ? current.LongValue()
                                                           : ToLong(current);
      cmp = c < endWhole ? -1 : c > endWhole ? 1 : 0;
    } else {
      cmp = CompareValues(current.IsString() ? Variant::Double(ToDouble(current)) : current,
                          end.IsString() ? Variant::Double(ToDouble(end)) : end, false);
    }
    if (down ? cmp < 0 : cmp > 0) break;
    const Flow flow = ExecLoopBody(it, body, onlyAssign);
    if (flow == Flow::ExitFor) break;
    if (flow != Flow::Normal) return flow;
    it.Tick();
    it.line = line;
    StepCounter(VariableRef(it, *this->counter), stepValue);
  }
  return Flow::Normal;
}

Flow ForEachStmt::Exec(Interpreter& it) const {
  it.line = line;
  const Variant collectionValue = collection->Eval(it);
  // An object that is a collection gives its items as they are now (a Dictionary its keys).
  std::vector<Variant> enumerated;
  const bool isCollection =
      collectionValue.IsArray() || (collectionValue.IsObject() && collectionValue.ObjectValue() &&
                                    collectionValue.ObjectValue()->Enumerate(enumerated));
  if (!isCollection) it.Raise(err::NotACollection);
  const std::vector<Variant>& items =
      collectionValue.IsArray() ? collectionValue.ArrayValue()->items : enumerated;
  for (const Variant& item : items) {
    it.line = line;
    it.Assign(VariableRef(it, *element), item, item.IsObject());
    const Flow flow = it.ExecBlock(body);
    if (flow == Flow::ExitFor) break;
    if (flow != Flow::Normal) return flow;
    it.Tick();
  }
  return Flow::Normal;
}

Flow LoopStmt::Exec(Interpreter& it) const {
  auto test = [&] {
    it.line = line;
    const bool t = Truth(it, *condition);
    return until ? !t : t;
  };
  for (;;) {
    if (testFirst && condition && !test()) break;
    const Flow flow = it.ExecBlock(body);
    if (flow == Flow::ExitDo && !isWend) break;
    if (flow != Flow::Normal) return flow;
    if (!testFirst && condition && !test()) break;
    it.line = line;  // a time limit passed in an empty loop names the loop
    it.Tick();
  }
  return Flow::Normal;
}

Flow ExitStmt::Exec(Interpreter& it) const {
  it.line = line;
  return flow;
}

Flow DimStmt::Exec(Interpreter& it) const {
  it.line = line;
  if (kindOf == Dim) {
    // Run again (a loop, the next cycle of the same text), it keeps the array it made.
    for (const Dimension& item : items) {
      if (!item.isArray) continue;
      Variant& var = VariableRef(it, *item.target);
      if (!var.IsArray()) it.AllocateArray(var, item.bounds, false, !item.bounds.empty());
    }
    return Flow::Normal;
  }
  for (const Dimension& item : items) {
    Variant& var = VariableRef(it, *item.target);
    if (kindOf == ReDim) {
      it.AllocateArray(var, item.bounds, preserve, false);
    } else if (var.IsArray()) {
      ArrayData& a = *var.ArrayValue();
      if (a.fixedSize) {
        for (auto& v : a.items) v.Clear();
      } else {
        a.items.clear();
        a.upper.clear();
      }
    } else {
      it.Raise(err::TypeMismatch);
    }
  }
  return Flow::Normal;
}

Flow OnErrorStmt::Exec(Interpreter& it) const {
  it.line = line;
  it.frame->resumeNext = resumeNext;
  it.err = ErrState{};
  return Flow::Normal;
}

Flow RandomizeStmt::Exec(Interpreter& it) const {
  it.line = line;
  if (seed) {
    const Variant v = seed->Eval(it);
    it.Randomize(&v);
  } else {
    it.Randomize(nullptr);
  }
  return Flow::Normal;
}

}  // namespace kavro::vbs
