#include "scripting/vbs/Resolver.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_map>

#include "scripting/vbs/Builtins.h"
#include "scripting/vbs/Interpreter.h"
#include "scripting/vbs/ScriptError.h"
#include "scripting/vbs/Unboxed.h"

namespace kavro::vbs {
namespace {

// Names inside one procedure.
struct LocalScope {
  Procedure* proc = nullptr;
  std::unordered_map<std::string, int> slots;
  std::unordered_map<std::string, Variant> constants;
};

class Resolver {
 public:
  Resolver(Interpreter& it, const std::shared_ptr<Program>& program)
      : it_(it), owner_(program), program_(*program) {}

  void Run() {
    // A procedure declared twice: the later declaration is the one called.
    for (auto& proc : program_.procedures) pending_[proc->lower] = proc.get();
    DeclareBlock(program_.topLevel, true);
    ResolveBlock(program_.topLevel);
    for (auto& proc : program_.procedures) ResolveProcedure(*proc);
    for (auto& [name, proc] : pending_) {
      GlobalName g;
      g.kind = GlobalName::ProcedureName;
      g.proc = proc;
      g.owner = owner_;
      it_.globals[name] = std::move(g);
      ++it_.bindingsVersion;
    }
  }

 private:
  [[noreturn]] void Fail(int number, int line, const std::string& name = {}) const {
    std::string text = ErrorDescription(number);
    if (!name.empty()) text += ": '" + name + "'";
    throw ScriptError(number, text, line);
  }

  // ---- declarations ----
  // Dim, ReDim and Const anywhere in a block (nested blocks included) declare in its scope.
  void DeclareBlock(Block& block, bool global) {
    for (auto& s : block) DeclareStmt(*s, global);
  }

  void DeclareStmt(Stmt& s, bool global) {
    if (auto* d = dynamic_cast<DimStmt*>(&s)) {
      if (d->kindOf == DimStmt::Erase) return;
      for (auto& item : d->items) {
        const auto& name = static_cast<NameExpr&>(*item.target).name;
        if (global) {
          if (pending_.count(name)) Fail(1041, s.line, name);
          const GlobalName* g = it_.FindGlobal(name);
          if (g && g->kind != GlobalName::Variable) {
            if (d->kindOf == DimStmt::Dim) Fail(1041, s.line, name);
            Fail(err::IllegalAssignment, s.line, name);
          }
          it_.DeclareGlobal(name);
        } else if (d->kindOf != DimStmt::ReDim || !ResizesAGlobal(name)) {
          DeclareLocal(name, s.line, d->kindOf == DimStmt::Dim);
        }
      }
    } else if (auto* c = dynamic_cast<ConstStmt*>(&s)) {
      for (auto& [name, expr] : c->items) {
        Variant value = ConstantValue(expr, s.line);
        if (global) {
          if (pending_.count(name)) Fail(1041, s.line, name);
          GlobalName g;
          g.kind = GlobalName::Constant;
          g.constant = std::move(value);
          it_.globals[name] = std::move(g);
          ++it_.bindingsVersion;
        } else {
          if (scope_->slots.count(name) || scope_->constants.count(name)) {
            Fail(1041, s.line, name);
          }
          scope_->constants[name] = std::move(value);
        }
      }
    } else if (auto* i = dynamic_cast<IfStmt*>(&s)) {
      for (auto& b : i->branches) DeclareBlock(b, global);
      DeclareBlock(i->elseBranch, global);
    } else if (auto* sel = dynamic_cast<SelectStmt*>(&s)) {
      for (auto& c2 : sel->cases) DeclareBlock(c2.body, global);
      DeclareBlock(sel->elseBody, global);
    } else if (auto* f = dynamic_cast<ForStmt*>(&s)) {
      DeclareBlock(f->body, global);
    } else if (auto* fe = dynamic_cast<ForEachStmt*>(&s)) {
      DeclareBlock(fe->body, global);
    } else if (auto* l = dynamic_cast<LoopStmt*>(&s)) {
      DeclareBlock(l->body, global);
    }
  }

  // ReDim in a procedure of a name the procedure does not declare but the script does resizes
  // the script's array, as a procedure that sizes a shared table means it to; only a name known
  // nowhere becomes a local.
  bool ResizesAGlobal(const std::string& name) const {
    if (scope_->slots.count(name)) return false;
    const GlobalName* g = it_.FindGlobal(name);
    return g && g->kind == GlobalName::Variable;
  }

  void DeclareLocal(const std::string& name, int line, bool isDim) {
    auto found = scope_->slots.find(name);
    if (found != scope_->slots.end()) {
      if (isDim && found->second != 0) Fail(1041, line, name);
      return;
    }
    if (scope_->constants.count(name)) Fail(1041, line, name);
    scope_->slots[name] = scope_->proc->slotCount++;
  }

  // A constant's value: a literal, a signed literal, or an earlier constant.
  Variant ConstantValue(ExprPtr& expr, int line) {
    ResolveExpr(expr);
    if (expr->kind == ExprKind::Literal) return static_cast<LiteralExpr&>(*expr).value;
    if (expr->kind == ExprKind::Unary) {
      auto& u = static_cast<UnaryExpr&>(*expr);
      if (u.operand->kind == ExprKind::Literal) {
        const Variant& v = static_cast<LiteralExpr&>(*u.operand).value;
        if (u.op == UnaryOp::Negate) return Negate(v);
        if (u.op == UnaryOp::Plus) return v;
      }
    }
    if (expr->kind == ExprKind::Paren)
      return ConstantValue(static_cast<ParenExpr&>(*expr).inner, line);
    Fail(1045, line);
  }

  // ---- procedures ----
  void ResolveProcedure(Procedure& proc) {
    LocalScope scope;
    scope.proc = &proc;
    scope_ = &scope;
    proc.slotCount = 1;  // slot 0: a function's result
    scope.slots[proc.lower] = 0;
    for (const auto& p : proc.params) {
      if (p.name == proc.lower) Fail(1041, proc.line, p.name);
      scope.slots[p.name] = proc.slotCount++;
    }
    DeclareBlock(proc.body, false);
    ResolveBlock(proc.body);
    proc.callCost = maxDepthInProc_ + 2;
    maxDepthInProc_ = 0;
    scope_ = nullptr;
  }

  // ---- statements ----
  void ResolveBlock(Block& block) {
    ++blockDepth_;
    for (auto& s : block) ResolveStmt(*s);
    --blockDepth_;
  }

  void ResolveStmt(Stmt& s) {
    if (auto* a = dynamic_cast<AssignStmt*>(&s)) {
      ResolveTarget(a->target, s.line);
      ResolveExpr(a->value);
      Track(*a->value);
    } else if (auto* c = dynamic_cast<CallStmt*>(&s)) {
      ResolveCall(c->call);
      Track(*c->call);
    } else if (auto* i = dynamic_cast<IfStmt*>(&s)) {
      for (auto& cond : i->conditions) ResolveExpr(cond);
      for (auto& b : i->branches) ResolveBlock(b);
      ResolveBlock(i->elseBranch);
    } else if (auto* sel = dynamic_cast<SelectStmt*>(&s)) {
      ResolveExpr(sel->subject);
      for (auto& clause : sel->cases) {
        for (auto& t : clause.tests) {
          ResolveExpr(t.value);
          if (t.upper) ResolveExpr(t.upper);
        }
        ResolveBlock(clause.body);
      }
      ResolveBlock(sel->elseBody);
    } else if (auto* f = dynamic_cast<ForStmt*>(&s)) {
      ResolveVariable(f->counter, s.line);
      ResolveExpr(f->from);
      ResolveExpr(f->to);
      if (f->step) ResolveExpr(f->step);
      ResolveBlock(f->body);
    } else if (auto* fe = dynamic_cast<ForEachStmt*>(&s)) {
      ResolveVariable(fe->element, s.line);
      ResolveExpr(fe->collection);
      ResolveBlock(fe->body);
    } else if (auto* l = dynamic_cast<LoopStmt*>(&s)) {
      if (l->condition) ResolveExpr(l->condition);
      ResolveBlock(l->body);
    } else if (auto* d = dynamic_cast<DimStmt*>(&s)) {
      for (auto& item : d->items) {
        ResolveVariable(item.target, s.line);
        for (auto& b : item.bounds) {
          ResolveExpr(b);
          if (d->kindOf == DimStmt::Dim && b->kind != ExprKind::Literal) Fail(1026, s.line);
        }
      }
    } else if (auto* r = dynamic_cast<RandomizeStmt*>(&s)) {
      if (r->seed) ResolveExpr(r->seed);
    }
  }

  // How deep the evaluator nests at a statement: its blocks and its expression.
  void Track(const Expr& e) {
    if (e.depth + blockDepth_ > maxDepthInProc_) maxDepthInProc_ = e.depth + blockDepth_;
  }

  // A plain variable (For counter, Dim target).
  void ResolveVariable(ExprPtr& e, int line) {
    auto& n = static_cast<NameExpr&>(*e);
    ExprPtr v = VariableFor(n.name, line, true);
    if (!v) Fail(err::IllegalAssignment, line, n.name);
    e = std::move(v);
  }

  // Local or global variable of that name, declared on first use unless Option Explicit is on;
  // nullptr when the name is something else (constant, procedure, built-in).
  ExprPtr VariableFor(const std::string& name, int line, bool declare) {
    if (scope_) {
      auto found = scope_->slots.find(name);
      if (found != scope_->slots.end()) {
        if (found->second == 0 && !scope_->proc->isFunction) return nullptr;  // Sub's own name
        return std::make_unique<LocalExpr>(found->second, line);
      }
      if (scope_->constants.count(name)) return nullptr;
    }
    if (pending_.count(name)) return nullptr;
    if (const GlobalName* g = it_.FindGlobal(name)) {
      if (g->kind != GlobalName::Variable) return nullptr;
      return std::make_unique<GlobalExpr>(g->var, line);
    }
    if (name == "err" || it_.objects.count(name) || HostMemberFor(name).second ||
        FindBuiltin(name) || FindBuiltinConstant(name)) {
      return nullptr;
    }
    if (!declare) return nullptr;
    if (program_.optionExplicit) return std::make_unique<UndefinedExpr>(name, err::Undefined, line);
    if (scope_) {
      scope_->slots[name] = scope_->proc->slotCount++;
      return std::make_unique<LocalExpr>(scope_->slots[name], line);
    }
    return std::make_unique<GlobalExpr>(it_.DeclareGlobal(name), line);
  }

  std::pair<std::shared_ptr<HostObject>, const HostMember*> HostMemberFor(
      const std::string& name) const {
    for (const auto& [objName, reg] : it_.objects) {
      if (!reg.globalMembers) continue;
      if (const HostMember* m = reg.object->Find(name)) return {reg.object, m};
    }
    return {nullptr, nullptr};
  }

  void ResolveTarget(ExprPtr& e, int line) {
    if (e->kind == ExprKind::Member) {
      // object.member(args) = value: the member is set when the line runs, and a member that
      // is not there or cannot be set (Err.Clear = 1) is 438 then.
      auto& m = static_cast<MemberExpr&>(*e);
      ResolveExpr(m.object);
      ResolveArgs(m.args);
      e = std::make_unique<MemberCallExpr>(std::move(m.object), m.written, std::move(m.args),
                                           m.line);
      return;
    }
    auto& n = static_cast<NameExpr&>(*e);
    ExprPtr var = VariableFor(n.name, line, true);
    if (!var) Fail(err::IllegalAssignment, line, n.written);
    if (!n.args.empty()) {
      for (auto& a : n.args) ResolveExpr(a);
      const int line2 = n.line;
      e = std::make_unique<IndexExpr>(std::move(var), std::move(n.args), line2);
      return;
    }
    e = std::move(var);
  }

  bool IsShadowed(const std::string& name) const {
    if (scope_ && (scope_->slots.count(name) || scope_->constants.count(name))) return true;
    return pending_.count(name) || it_.FindGlobal(name) != nullptr;
  }

  // ---- expressions ----
  void ResolveCall(ExprPtr& e) { Resolve(e, true); }
  void ResolveExpr(ExprPtr& e) {
    Resolve(e, false);
    e->numeric = IsNumeric(*e);
    if (e->numeric) e->unboxed = ChooseUnboxed(*e);
  }

  // Whether the resolved expression may be computed unboxed: its parts are already marked.
  static bool IsNumeric(const Expr& e) {
    switch (e.kind) {
      case ExprKind::Local:
      case ExprKind::Global:
        return true;
      case ExprKind::Literal: {
        const VarType t = static_cast<const LiteralExpr&>(e).value.Type();
        return t == VarType::Integer || t == VarType::Long || t == VarType::Double;
      }
      case ExprKind::Paren:
        return static_cast<const ParenExpr&>(e).inner->numeric;
      case ExprKind::Unary: {
        const auto& u = static_cast<const UnaryExpr&>(e);
        return u.op != UnaryOp::Not && u.operand->numeric;
      }
      case ExprKind::Binary: {
        const auto& b = static_cast<const BinaryExpr&>(e);
        return IsUnboxedOperator(b.op) && b.left->numeric && b.right->numeric;
      }
      case ExprKind::Index: {
        const auto& index = static_cast<const IndexExpr&>(e);
        return (index.base->kind == ExprKind::Local || index.base->kind == ExprKind::Global) &&
               (index.args.size() == 1 || index.args.size() == 2) && index.args[0]->numeric &&
               index.args.back()->numeric;
      }
      default:
        return false;
    }
  }

  void ResolveArgs(ExprList& args) {
    for (auto& a : args) ResolveExpr(a);
  }

  void Resolve(ExprPtr& e, bool asCall) {
    switch (e->kind) {
      case ExprKind::Name:
        e = ResolveName(static_cast<NameExpr&>(*e), asCall);
        return;
      case ExprKind::Member:
        e = ResolveMember(static_cast<MemberExpr&>(*e));
        return;
      case ExprKind::Paren:
        ResolveExpr(static_cast<ParenExpr&>(*e).inner);
        return;
      case ExprKind::Apply: {
        auto& a = static_cast<ApplyExpr&>(*e);
        ResolveExpr(a.base);
        ResolveArgs(a.args);
        return;
      }
      case ExprKind::Unary:
        ResolveExpr(static_cast<UnaryExpr&>(*e).operand);
        return;
      case ExprKind::Binary: {
        auto& b = static_cast<BinaryExpr&>(*e);
        ResolveExpr(b.left);
        ResolveExpr(b.right);
        // Parentheses only group here (they mean ByVal for an argument): dropped, so that
        // running the operator does not pass through them.
        Unwrap(b.left);
        Unwrap(b.right);
        if ((b.op == BinaryOp::Mod || b.op == BinaryOp::IntDivide) &&
            b.right->kind == ExprKind::Literal) {
          const Variant& d = static_cast<const LiteralExpr&>(*b.right).value;
          const bool isInteger = d.Type() == VarType::Integer;
          const int32_t whole = isInteger                   ? d.IntegerValue()
                                : d.Type() == VarType::Long ? d.LongValue()
                                                            : 0;
          if (whole > 0) b.divisor = LiteralDivisor(whole, isInteger);
        }
        return;
      }
      default:
        return;
    }
  }

  static void Unwrap(ExprPtr& e) {
    while (e->kind == ExprKind::Paren) {
      ExprPtr inner = std::move(static_cast<ParenExpr&>(*e).inner);
      e = std::move(inner);
    }
  }

  ExprPtr ResolveName(NameExpr& n, bool asCall) {
    const int line = n.line;
    ResolveArgs(n.args);
    // Local variables and the running function's result.
    if (scope_) {
      auto found = scope_->slots.find(n.name);
      if (found != scope_->slots.end()) {
        if (found->second == 0) return CallOf(scope_->proc, n, line);  // recursion or result
        return VariableUse(std::make_unique<LocalExpr>(found->second, line), n, asCall);
      }
      auto constant = scope_->constants.find(n.name);
      if (constant != scope_->constants.end()) return ConstantUse(constant->second, n, asCall);
    }
    auto pending = pending_.find(n.name);
    if (pending != pending_.end()) return CallOf(pending->second, n, line);
    if (const GlobalName* g = it_.FindGlobal(n.name)) {
      switch (g->kind) {
        case GlobalName::Variable:
          return VariableUse(std::make_unique<GlobalExpr>(g->var, line), n, asCall);
        case GlobalName::Constant:
          return ConstantUse(g->constant, n, asCall);
        case GlobalName::ProcedureName:
          return CallOf(g->proc, n, line, g->owner);
      }
    }
    if (n.name == "err") {
      if (!n.args.empty()) return WrongArgCount("Err", line);
      return std::make_unique<HostObjectExpr>(it_.errObject, line);
    }
    auto object = it_.objects.find(n.name);
    if (object != it_.objects.end()) {
      if (!n.args.empty())
        return std::make_unique<UndefinedExpr>(n.written, err::TypeMismatch, line);
      return std::make_unique<HostObjectExpr>(object->second.object, line);
    }
    auto [owner, member] = HostMemberFor(n.name);
    if (member) return std::make_unique<HostCallExpr>(owner, member, std::move(n.args), line);
    if (const Variant* c = FindBuiltinConstant(n.name)) return ConstantUse(*c, n, asCall);
    if (const BuiltinInfo* b = FindBuiltin(n.name)) {
      const int count = static_cast<int>(n.args.size());
      if (count < b->minArgs || (b->maxArgs >= 0 && count > b->maxArgs)) {
        return WrongArgCount(n.written, line);
      }
      auto call = std::make_unique<BuiltinExpr>(b, std::move(n.args), line);
      if (asCall && IsConversion(n.name)) call->statementName = n.written;
      return call;
    }
    if (IsExcludedBuiltin(n.name)) {
      throw ScriptError(err::NotSupported,
                        "Object doesn't support this action: '" + n.written + "' is not available",
                        line);
    }
    // Unknown: a call of it fails when reached; otherwise it is a new variable.
    if (asCall || !n.args.empty()) {
      return std::make_unique<UndefinedExpr>(n.written, err::NotDefined, line);
    }
    return VariableFor(n.name, line, true);
  }

  ExprPtr CallOf(const Procedure* proc, NameExpr& n, int line,
                 const std::shared_ptr<Program>& owner = nullptr) {
    // Inside a function its own name without arguments is its result.
    if (scope_ && proc == scope_->proc && proc->isFunction && n.args.empty() && !n.hasParens) {
      return std::make_unique<LocalExpr>(0, line);
    }
    if (scope_ && proc == scope_->proc && !proc->isFunction && !n.hasParens) {
      // A Sub's name used as a value: it is called, as the language does.
    }
    if (n.args.size() != proc->params.size()) return WrongArgCount(n.written, line);
    auto call = std::make_unique<CallExpr>(proc, std::move(n.args), line);
    if (owner && owner.get() != &program_) keepAlive_.push_back(owner);
    return call;
  }

  // A call with the wrong number of arguments fails when it runs, not when the code is added:
  // a script may hold such a call on a path it never takes.
  static ExprPtr WrongArgCount(const std::string& written, int line) {
    return std::make_unique<UndefinedExpr>(written, err::WrongArgCount, line);
  }

  // The conversion functions give a value of a type of their own; as a statement they fail
  // once they have it.
  static bool IsConversion(const std::string& name) {
    static constexpr std::array<std::string_view, 9> kNames{
        "cbool", "cbyte", "ccur", "cdate", "cdbl", "cint", "clng", "csng", "cstr"};
    return std::find(kNames.begin(), kNames.end(), name) != kNames.end();
  }

  ExprPtr VariableUse(ExprPtr var, NameExpr& n, bool asCall) {
    if (!n.args.empty())
      return std::make_unique<IndexExpr>(std::move(var), std::move(n.args), n.line);
    if (asCall) return std::make_unique<UndefinedExpr>(n.written, err::TypeMismatch, n.line);
    return var;
  }

  ExprPtr ConstantUse(const Variant& value, NameExpr& n, bool asCall) {
    if (!n.args.empty() || asCall) {
      return std::make_unique<UndefinedExpr>(n.written, err::TypeMismatch, n.line);
    }
    return std::make_unique<LiteralExpr>(value, n.line);
  }

  // The object a name stands for before the code runs: Err, or an object the host registered
  // under that name; nullptr for any other name.
  std::shared_ptr<HostObject> KnownObject(const NameExpr& name) const {
    if (!name.args.empty() || IsShadowed(name.name)) return nullptr;
    if (name.name == "err") return it_.errObject;
    auto object = it_.objects.find(name.name);
    return object == it_.objects.end() ? nullptr : object->second.object;
  }

  ExprPtr ResolveMember(MemberExpr& m) {
    ResolveArgs(m.args);
    if (m.object->kind == ExprKind::Name) {
      if (auto object = KnownObject(static_cast<NameExpr&>(*m.object))) {
        // Bound now; a member it does not have is 438 when the line runs.
        if (const HostMember* member = object->Find(m.name)) {
          return std::make_unique<HostCallExpr>(object, member, std::move(m.args), m.line);
        }
        return std::make_unique<MemberCallExpr>(std::make_unique<HostObjectExpr>(object, m.line),
                                                m.written, std::move(m.args), m.line);
      }
    }
    ResolveExpr(m.object);
    return std::make_unique<MemberCallExpr>(std::move(m.object), m.written, std::move(m.args),
                                            m.line);
  }

  Interpreter& it_;
  std::shared_ptr<Program> owner_;
  Program& program_;
  std::unordered_map<std::string, Procedure*> pending_;
  LocalScope* scope_ = nullptr;
  int maxDepthInProc_ = 0;
  int blockDepth_ = 0;

 public:
  std::vector<std::shared_ptr<Program>> keepAlive_;
};

}  // namespace

void ResolveProgram(Interpreter& it, const std::shared_ptr<Program>& program) {
  Resolver resolver(it, program);
  resolver.Run();
  program->keepAlive = std::move(resolver.keepAlive_);
}

}  // namespace kavro::vbs
