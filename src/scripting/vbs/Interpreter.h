#pragma once
// The engine's state and the evaluator's run-time services: global names and variables, the
// registered host objects, call frames, the Err object, limits and the time budget. Everything
// lives in this object; nothing is global, so engines run side by side.
#include <chrono>
#include <cstdint>
#include <deque>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "scripting/vbs/Ast.h"
#include "scripting/vbs/ErrObject.h"
#include "scripting/vbs/HostObject.h"
#include "scripting/vbs/ScriptEngine.h"
#include "scripting/vbs/Unboxed.h"

namespace kavro::vbs {

struct GlobalName {
  enum Kind { Variable, Constant, ProcedureName } kind = Variable;
  Variant* var = nullptr;
  Variant constant;
  const Procedure* proc = nullptr;
  std::shared_ptr<Program> owner;  // keeps a procedure's code alive while it is bound
};

struct RegisteredObject {
  std::shared_ptr<HostObject> object;
  bool globalMembers = true;
};

struct Frame {
  std::vector<Variant> values;  // the procedure's own variables
  std::vector<Variant*> slots;  // each slot: its own value or the caller's variable (ByRef)
  bool resumeNext = false;      // On Error Resume Next is in force
  bool redirected = false;      // a slot points at a caller's variable
};

class Interpreter {
 public:
  Interpreter();
  ~Interpreter();
  Interpreter(const Interpreter&) = delete;
  Interpreter& operator=(const Interpreter&) = delete;

  // ---- state kept between runs ----
  std::unordered_map<std::string, GlobalName> globals;        // by lower-case name
  std::deque<Variant> globalStorage;                          // addresses never move
  std::unordered_map<std::string, RegisteredObject> objects;  // by lower-case name
  std::vector<std::shared_ptr<Program>> addedCode;            // AddCode programs
  // Recently executed statement texts, each with what its compiled form depends on besides
  // the text: the bindings version and the year a date literal without one takes.
  struct CachedStatement {
    std::string text;
    uint64_t bindingsVersion = 0;
    int year = 0;
    std::shared_ptr<Program> program;
  };
  std::list<CachedStatement> statementCache;
  // Changes whenever what a name means can change (a global, constant or procedure is added or
  // replaced, an object is registered): compiled code binds names, so a cached statement
  // compiled under an older version must be compiled again.
  uint64_t bindingsVersion = 0;
  ScriptLimits limits;
  ScriptUi* ui = nullptr;
  int timeLimitMs = 0;
  const std::shared_ptr<ErrObject> errObject = std::make_shared<ErrObject>();

  // ---- run-time state ----
  Frame* frame = nullptr;
  // The running frame's slots (frame->slots' data), one load nearer for every variable read.
  Variant* const* slots = nullptr;
  void Enter(Frame* f) {
    frame = f;
    slots = f ? f->slots.data() : nullptr;
  }
  int line = 0;
  ErrState& err = errObject->state;  // the script's Err
  bool running = false;

  // An object made for the script (a Dictionary): its values count against the memory budget,
  // and it lets go of them when the code is forgotten, so that objects holding each other go.
  void Adopt(const std::shared_ptr<HostObject>& object);
  void ReleaseObjects();

  // Global variable of that name, created Empty when missing.
  Variant* DeclareGlobal(const std::string& lowerName);
  const GlobalName* FindGlobal(const std::string& lowerName) const;

  // Runs a compiled program's top level in the global scope.
  void RunProgram(const Program& program);

  // Runs the statements in turn. Under On Error Resume Next a failing statement sets Err and
  // the block goes on with the next; otherwise the error ends the block.
  Flow ExecBlock(const Block& block) {
    // A procedure's body or a branch of one statement (If n < 2 Then ...) without the loop.
    return block.size() == 1 ? ExecStatement(*block[0]) : ExecStatements(block);
  }
  Flow ExecStatement(const Stmt& stmt) {
    try {
      return stmt.Exec(*this);
    } catch (...) {
      StatementFailed();
      return Flow::Normal;
    }
  }
  Variant CallProcedure(const Procedure& proc, const ExprList& args);
  Variant CallHost(const HostMember& member, const ExprList& args);
  Variant CallMember(const Variant& object, const std::string& name, const ExprList& args);
  // object.name(args) = value: 438 when the object has no such member or it cannot be set.
  void AssignMember(const Variant& object, const std::string& name, const ExprList& args,
                    const Variant& value);
  // object(args), the object's default member: what d(key) reads and d(key) = value sets.
  Variant CallDefault(const Variant& object, const ExprList& args);
  void AssignDefault(const Variant& object, const ExprList& args, const Variant& value);

  // The element of the array in arrayVar addressed by args; 9 when out of range, 13 when the
  // variable holds no array.
  Variant& Element(Variant& arrayVar, const ExprList& args);
  // Stores value in an element, keeping nested arrays within the limits.
  void StoreElement(Variant& arrayVar, const ExprList& args, Variant value);
  void Assign(Variant& target, Variant value, bool isSet);
  void AllocateArray(Variant& target, const ExprList& bounds, bool preserve, bool fixedSize);
  void CheckString(const Variant& value) const;

  // Ends the current statement with a script error.
  [[noreturn]] void Raise(int number) const;
  void SetErr(const ScriptError& e);

  // Counts work; stops the run when its time limit has passed. Work on long texts and big
  // arrays counts in proportion to its size, so a run of costly built-ins is stopped as
  // promptly as a run of cheap statements.
  void Tick(uint64_t work = 1) {
    if (timeLimitMs > 0 && (ticks_ += work) >= nextCheck_) CheckDeadline();
  }
  // A value of that many bytes is about to be built or held: counts it as work and, every few
  // megabytes of new values, checks the memory budget (error 7 when the values held and this
  // one would pass it). The new values are counted across runs, so a script that adds a little
  // each cycle meets the budget as one that adds it all at once; once past it, every new value
  // is refused until a count finds that the script has made room.
  void Charge(size_t bytes) {
    Tick(bytes >> 6);
    if ((pendingBytes_ += bytes) >= recountBytes_) {
      Recount(bytes);
    } else if (overBudget_) {
      Raise(err::OutOfMemory);
    }
  }
  // Code and values are gone (ClearCode): nothing is held any more.
  void ForgetMemoryCount() {
    pendingBytes_ = 0;
    overBudget_ = false;
  }
  void ChargeValue(const Variant& value) {
    if (value.IsString()) {
      Charge(value.StringValue().size());
    } else if (value.IsArray()) {
      Charge(Footprint(value));
    }
  }
  // Bytes a value takes, its texts and nested arrays included.
  static size_t Footprint(const Variant& value);
  void StartClock();

  double Now();
  int CurrentYear();
  float NextRandom(const Variant* arg);
  void Randomize(const Variant* seed);

  Frame& PushFrame(size_t slotCount);
  void PopFrame();
  int callCost = 0;

 private:
  Flow ExecStatements(const Block& block);
  // The handling of what the running statement threw: thrown on, or kept in Err when the
  // handler is on. Apart and cold, so that running a statement stays small.
  [[gnu::cold]] void StatementFailed();
  void CheckDeadline();
  void Recount(size_t incoming);
  size_t RecountInterval() const;
  size_t HeldBytes() const;
  const HostMember& MemberOf(const Variant& object, const std::string& name) const;
  void SetMember(const HostMember& member, const ExprList& args, const Variant& value);
  std::vector<std::unique_ptr<Frame>> framePool_;
  std::vector<std::weak_ptr<HostObject>> madeObjects_;
  size_t pruneAt_ = 64;  // size of madeObjects_ at which those gone are dropped
  size_t frameDepth_ = 0;
  uint64_t ticks_ = 0;
  uint64_t nextCheck_ = 0;
  size_t pendingBytes_ = 0;         // new values since the last count, over all runs
  size_t recountBytes_ = 8u << 20;  // how much new value leads to a count
  bool overBudget_ = false;         // the last count found the budget passed
  std::chrono::steady_clock::time_point deadline_;
  uint32_t rndSeed_ = 0x50000;
};

// Fatal errors end the run even under On Error Resume Next.
bool IsFatal(const ScriptError& e);

// The variable a Local or Global expression names.
inline Variant& VariableAt(Interpreter& it, const Expr& variable) {
  if (variable.kind == ExprKind::Local) {
    return *it.slots[static_cast<size_t>(static_cast<const LocalExpr&>(variable).slot)];
  }
  return *static_cast<const GlobalExpr&>(variable).var;
}

// A numeric expression's value as EvalUnboxed gives it, with an Integer variable and an Integer
// literal added, subtracted or compared in line: the argument and the test of a recursion
// (Fib(n - 1), If n < 2), which would otherwise walk the general unboxed path three times a
// call.
inline bool NumericValue(Interpreter& it, const Expr& e, Unboxed& out) {
  if (e.kind == ExprKind::Binary) {
    const auto& b = static_cast<const BinaryExpr&>(e);
    if (b.left->kind == ExprKind::Local && b.right->kind == ExprKind::Literal) {
      const Variant& x = VariableAt(it, *b.left);
      const Variant& y = static_cast<const LiteralExpr&>(*b.right).value;
      if (x.Type() == VarType::Integer && y.Type() == VarType::Integer) {
        const int32_t a = x.IntegerValue();
        const int32_t c = y.IntegerValue();
        switch (b.op) {
          case BinaryOp::Add:
            WholeResult(int64_t{a} + c, true, out);
            return true;
          case BinaryOp::Subtract:
            WholeResult(int64_t{a} - c, true, out);
            return true;
          case BinaryOp::Less:
            out.type = VarType::Boolean;
            out.whole = a < c ? 1 : 0;
            return true;
          case BinaryOp::LessEqual:
            out.type = VarType::Boolean;
            out.whole = a <= c ? 1 : 0;
            return true;
          default:
            break;
        }
      }
    }
  }
  return EvalUnboxed(it, e, out);
}

// The value of an operand, as its EvalRef gives it, without a virtual call for the kinds that
// make up most arithmetic: variables, literals, operators and elements of one-dimensional
// arrays (copied, so that nothing evaluated later can take the element away).
inline const Variant& OperandValue(Interpreter& it, const Expr& e, Variant& scratch) {
  // Tests in the order of how often each kind comes, which predicts better than a jump table.
  if (e.kind == ExprKind::Local) {
    return *it.slots[static_cast<size_t>(static_cast<const LocalExpr&>(e).slot)];
  }
  if (e.kind == ExprKind::Literal) return static_cast<const LiteralExpr&>(e).value;
  if (e.kind == ExprKind::Binary) {
    static_cast<const BinaryExpr&>(e).Compute(it, scratch);
    return scratch;
  }
  if (e.kind == ExprKind::Global) return *static_cast<const GlobalExpr&>(e).var;
  if (e.kind == ExprKind::Index) {
    const auto& index = static_cast<const IndexExpr&>(e);
    Variant& base = VariableAt(it, *index.base);
    if (!base.IsArray()) return e.EvalRef(it, scratch);
    scratch = it.Element(base, index.args);
    return scratch;
  }
  if (e.kind == ExprKind::Paren) {
    return OperandValue(it, *static_cast<const ParenExpr&>(e).inner, scratch);
  }
  return e.EvalRef(it, scratch);
}

}  // namespace kavro::vbs
