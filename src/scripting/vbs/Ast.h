#pragma once
// The syntax tree. The parser builds it with names as written; the resolver then binds each name
// to a local slot, a global variable, a procedure, a built-in or a host member, so that running
// the tree never looks a name up.
#include <memory>
#include <string>
#include <vector>

#include "scripting/vbs/Operators.h"
#include "scripting/vbs/Unboxed.h"
#include "scripting/vbs/Variant.h"

namespace kavro::vbs {

class Interpreter;
struct Procedure;
struct HostMember;
class HostObject;
struct BuiltinInfo;

enum class ExprKind {
  Literal,
  Name,
  Member,
  Paren,
  Unary,
  Binary,
  // Resolved forms of Name and Member:
  Local,
  Global,
  Index,
  Apply,
  Call,
  Builtin,
  HostCall,
  HostObjectRef,
  MemberCall,
  Undefined,
  Unsupported,
};

struct Expr {
  Expr(ExprKind k, int l) : kind(k), line(l) {}
  virtual ~Expr() = default;
  Expr(const Expr&) = delete;
  Expr& operator=(const Expr&) = delete;

  // The value; for a variable a copy of it.
  virtual Variant Eval(Interpreter& it) const = 0;
  // The value without a copy where it lives in a variable; otherwise computed into scratch.
  virtual const Variant& EvalRef(Interpreter& it, Variant& scratch) const {
    scratch = Eval(it);
    return scratch;
  }

  ExprKind kind;
  int line;
  int depth = 1;  // height of this subtree, bounded by the parser
  // Set by the resolver: numbers only, no side effects, so it may be tried unboxed first
  // (see Unboxed.h).
  bool numeric = false;
  UnboxedFn unboxed = &EvalUnboxedTree;  // for a numeric expression: fitted to its shape
};
using ExprPtr = std::unique_ptr<Expr>;

// The value of an expression marked numeric, or false when the general rules must decide.
inline bool EvalUnboxed(Interpreter& it, const Expr& e, Unboxed& out) {
  return e.unboxed(it, e, out);
}
using ExprList = std::vector<ExprPtr>;

struct LiteralExpr final : Expr {
  LiteralExpr(Variant v, int l) : Expr(ExprKind::Literal, l), value(std::move(v)) {
    Unbox(value, number);
  }
  Variant Eval(Interpreter&) const override { return value; }
  const Variant& EvalRef(Interpreter&, Variant&) const override { return value; }
  Variant value;
  Unboxed number{};  // the value unboxed, when it is an Integer, Long or Double
};

// A name as written, possibly with an argument list: a variable, an array element or a call.
struct NameExpr final : Expr {
  NameExpr(std::string n, int l) : Expr(ExprKind::Name, l), name(std::move(n)) {}
  Variant Eval(Interpreter& it) const override;
  std::string name;  // lower case
  std::string written;
  ExprList args;
  bool hasParens = false;
};

// object.member [args]
struct MemberExpr final : Expr {
  MemberExpr(ExprPtr o, std::string n, int l)
      : Expr(ExprKind::Member, l), object(std::move(o)), name(std::move(n)) {}
  Variant Eval(Interpreter& it) const override;
  ExprPtr object;
  std::string name;  // lower case
  std::string written;
  ExprList args;
  bool hasParens = false;
};

// (expr): as an argument it is passed by value.
struct ParenExpr final : Expr {
  ParenExpr(ExprPtr e, int l) : Expr(ExprKind::Paren, l), inner(std::move(e)) {}
  Variant Eval(Interpreter& it) const override { return inner->Eval(it); }
  const Variant& EvalRef(Interpreter& it, Variant& s) const override {
    return inner->EvalRef(it, s);
  }
  ExprPtr inner;
};

enum class UnaryOp { Negate, Not, Plus };

struct UnaryExpr final : Expr {
  UnaryExpr(UnaryOp o, ExprPtr e, int l) : Expr(ExprKind::Unary, l), op(o), operand(std::move(e)) {}
  Variant Eval(Interpreter& it) const override;
  UnaryOp op;
  ExprPtr operand;
};

struct BinaryExpr final : Expr {
  BinaryExpr(BinaryOp o, ExprPtr a, ExprPtr b, int l)
      : Expr(ExprKind::Binary, l), op(o), left(std::move(a)), right(std::move(b)) {}
  Variant Eval(Interpreter& it) const override;
  const Variant& EvalRef(Interpreter& it, Variant& scratch) const override;
  // The value into out, which neither operand reads.
  void Compute(Interpreter& it, Variant& out) const;
  BinaryOp op;
  ExprPtr left, right;
  LiteralDivisor divisor;  // set by the resolver for Mod and \ by a whole literal above 0
};

// A variable of the running procedure (its slot in the frame).
struct LocalExpr final : Expr {
  LocalExpr(int s, int l) : Expr(ExprKind::Local, l), slot(s) {}
  Variant Eval(Interpreter& it) const override;
  const Variant& EvalRef(Interpreter& it, Variant& scratch) const override;
  int slot;
};

// A global variable; its storage never moves while the code that refers to it exists.
struct GlobalExpr final : Expr {
  GlobalExpr(Variant* v, int l) : Expr(ExprKind::Global, l), var(v) {}
  Variant Eval(Interpreter&) const override { return *var; }
  const Variant& EvalRef(Interpreter&, Variant&) const override { return *var; }
  Variant* var;
};

// variable(i, j): an element of the array held in a variable.
struct IndexExpr final : Expr {
  IndexExpr(ExprPtr b, ExprList a, int l)
      : Expr(ExprKind::Index, l), base(std::move(b)), args(std::move(a)) {}
  Variant Eval(Interpreter& it) const override;
  const Variant& EvalRef(Interpreter& it, Variant& scratch) const override;
  ExprPtr base;  // Local or Global
  ExprList args;
};

// f(a)(i): an element of the array that an expression yields, such as Split(s, ",")(1).
struct ApplyExpr final : Expr {
  ApplyExpr(ExprPtr b, ExprList a, int l)
      : Expr(ExprKind::Apply, l), base(std::move(b)), args(std::move(a)) {}
  Variant Eval(Interpreter& it) const override;
  ExprPtr base;
  ExprList args;
};

// A call of a script procedure.
struct CallExpr final : Expr {
  CallExpr(const Procedure* p, ExprList a, int l)
      : Expr(ExprKind::Call, l), proc(p), args(std::move(a)) {}
  Variant Eval(Interpreter& it) const override;
  const Variant& EvalRef(Interpreter& it, Variant& scratch) const override;
  const Procedure* proc;
  ExprList args;
};

struct BuiltinExpr final : Expr {
  BuiltinExpr(const BuiltinInfo* b, ExprList a, int l)
      : Expr(ExprKind::Builtin, l), builtin(b), args(std::move(a)) {}
  Variant Eval(Interpreter& it) const override;
  const BuiltinInfo* builtin;
  ExprList args;
  // The name as written when a conversion is called as a statement ("CInt x"): once it has
  // its value it fails with 458.
  std::string statementName;

 private:
  // An argument's value; an object stands for its default value unless the built-in asks
  // about the object itself (IsObject, TypeName).
  const Variant& ArgumentValue(Interpreter& it, const Expr& arg, Variant& scratch) const;
  Variant Finish(Variant result) const;
};

// A call of a host object's member, by its global name or through the object's name.
struct HostCallExpr final : Expr {
  HostCallExpr(std::shared_ptr<HostObject> o, const HostMember* m, ExprList a, int l)
      : Expr(ExprKind::HostCall, l), owner(std::move(o)), member(m), args(std::move(a)) {}
  Variant Eval(Interpreter& it) const override;
  std::shared_ptr<HostObject> owner;  // keeps the member alive
  const HostMember* member;
  ExprList args;
};

// The registered object itself ("share").
struct HostObjectExpr final : Expr {
  HostObjectExpr(std::shared_ptr<HostObject> o, int l)
      : Expr(ExprKind::HostObjectRef, l), object(std::move(o)) {}
  Variant Eval(Interpreter& it) const override;
  std::shared_ptr<HostObject> object;
};

// expr.member(args) where the member is looked up when it runs (438 when there is none); as the
// target of an assignment, the member is set.
struct MemberCallExpr final : Expr {
  MemberCallExpr(ExprPtr o, std::string n, ExprList a, int l)
      : Expr(ExprKind::MemberCall, l),
        object(std::move(o)),
        name(std::move(n)),
        args(std::move(a)) {}
  Variant Eval(Interpreter& it) const override;
  ExprPtr object;
  std::string name;
  ExprList args;
};

// A name that cannot be used as written (undeclared under Option Explicit: 500; a call of an
// unknown procedure: 35; a call of a variable: 13): the error comes when it is reached.
struct UndefinedExpr final : Expr {
  UndefinedExpr(std::string n, int num, int l)
      : Expr(ExprKind::Undefined, l), name(std::move(n)), number(num) {}
  Variant Eval(Interpreter& it) const override;
  std::string name;
  int number;
};

// ---- statements ----

enum class Flow { Normal, ExitDo, ExitFor, ExitProcedure };

struct Stmt {
  explicit Stmt(int l) : line(l) {}
  virtual ~Stmt() = default;
  Stmt(const Stmt&) = delete;
  Stmt& operator=(const Stmt&) = delete;
  virtual Flow Exec(Interpreter& it) const = 0;
  int line;
};
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

struct AssignStmt final : Stmt {
  AssignStmt(ExprPtr t, ExprPtr v, bool s, int l)
      : Stmt(l), target(std::move(t)), value(std::move(v)), isSet(s) {}
  Flow Exec(Interpreter& it) const override;
  ExprPtr target;
  ExprPtr value;
  bool isSet;

 private:
  Flow ExecGeneral(Interpreter& it) const;
};

struct CallStmt final : Stmt {
  CallStmt(ExprPtr c, int l) : Stmt(l), call(std::move(c)) {}
  Flow Exec(Interpreter& it) const override;
  ExprPtr call;
};

struct IfStmt final : Stmt {
  explicit IfStmt(int l) : Stmt(l) {}
  Flow Exec(Interpreter& it) const override;
  ExprList conditions;
  std::vector<Block> branches;
  Block elseBranch;
};

enum class CaseTestKind { Value, Range, Is };

struct CaseTest {
  CaseTestKind kind = CaseTestKind::Value;
  BinaryOp op = BinaryOp::Equal;  // for Is
  ExprPtr value;
  ExprPtr upper;  // for Range
};

struct CaseClause {
  std::vector<CaseTest> tests;
  Block body;
  int line = 0;
};

struct SelectStmt final : Stmt {
  explicit SelectStmt(int l) : Stmt(l) {}
  Flow Exec(Interpreter& it) const override;
  ExprPtr subject;
  std::vector<CaseClause> cases;
  bool hasElse = false;
  Block elseBody;
};

struct ForStmt final : Stmt {
  explicit ForStmt(int l) : Stmt(l) {}
  Flow Exec(Interpreter& it) const override;
  ExprPtr counter;  // Local or Global
  ExprPtr from, to, step;
  Block body;
};

struct ForEachStmt final : Stmt {
  explicit ForEachStmt(int l) : Stmt(l) {}
  Flow Exec(Interpreter& it) const override;
  ExprPtr element;  // Local or Global
  ExprPtr collection;
  Block body;
};

struct LoopStmt final : Stmt {
  explicit LoopStmt(int l) : Stmt(l) {}
  Flow Exec(Interpreter& it) const override;
  ExprPtr condition;  // none for a plain Do ... Loop
  bool testFirst = true;
  bool until = false;
  bool isWend = false;  // While ... Wend: Exit Do does not apply
  Block body;
};

struct ExitStmt final : Stmt {
  ExitStmt(Flow f, int l) : Stmt(l), flow(f) {}
  Flow Exec(Interpreter& it) const override;
  Flow flow;
};

struct Dimension {
  ExprPtr target;  // Name while parsing, then Local or Global
  ExprList bounds;
  bool isArray = false;  // Dim a() or Dim a(n)
};

// Dim, ReDim and Erase; Dim only matters for arrays, which exist from the time it runs.
struct DimStmt final : Stmt {
  enum Kind { Dim, ReDim, Erase };
  DimStmt(Kind k, int l) : Stmt(l), kindOf(k) {}
  Flow Exec(Interpreter& it) const override;
  Kind kindOf;
  bool preserve = false;
  std::vector<Dimension> items;
};

// Const name = value: bound by the resolver, nothing to do at run time.
struct ConstStmt final : Stmt {
  explicit ConstStmt(int l) : Stmt(l) {}
  Flow Exec(Interpreter&) const override { return Flow::Normal; }
  std::vector<std::pair<std::string, ExprPtr>> items;  // lower-case name, literal value
};

struct OnErrorStmt final : Stmt {
  OnErrorStmt(bool r, int l) : Stmt(l), resumeNext(r) {}
  Flow Exec(Interpreter& it) const override;
  bool resumeNext;
};

struct RandomizeStmt final : Stmt {
  explicit RandomizeStmt(int l) : Stmt(l) {}
  Flow Exec(Interpreter& it) const override;
  ExprPtr seed;
};

// ---- procedures and programs ----

struct Parameter {
  std::string name;  // lower case
  bool byRef = true;
  bool isArray = false;  // written "name()"
};

struct Procedure {
  std::string name;  // as written
  std::string lower;
  bool isFunction = false;
  std::vector<Parameter> params;
  Block body;
  int line = 0;
  // Filled by the resolver: frame size (slot 0 is the function result, then the parameters,
  // then the locals).
  int slotCount = 0;
  int callCost = 1;
};

// One piece of code as added: its procedures and its top-level statements.
struct Program {
  std::vector<std::unique_ptr<Procedure>> procedures;
  Block topLevel;
  bool optionExplicit = false;
  std::vector<std::shared_ptr<Program>> keepAlive;  // programs whose procedures this one calls
};

}  // namespace kavro::vbs
