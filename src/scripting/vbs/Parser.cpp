#include "scripting/vbs/Parser.h"

#include <algorithm>
#include <array>
#include <initializer_list>

#include "scripting/vbs/Lexer.h"
#include "scripting/vbs/ScriptError.h"

namespace kavro::vbs {
namespace {

// Words that never name a variable or procedure.
bool IsReserved(const std::string& w) {
  static constexpr std::array<const char*, 46> kWords{
      "and",  "byref",  "byval", "call",     "case",    "class",  "const",   "dim",
      "do",   "each",   "else",  "elseif",   "empty",   "end",    "eqv",     "erase",
      "exit", "false",  "for",   "function", "if",      "imp",    "in",      "is",
      "loop", "me",     "mod",   "new",      "next",    "not",    "nothing", "null",
      "on",   "option", "or",    "preserve", "private", "public", "redim",   "select",
      "set",  "sub",    "then",  "true",     "wend",    "while"};
  if (w == "to" || w == "until" || w == "with" || w == "xor") return true;
  return std::find(kWords.begin(), kWords.end(), w) != kWords.end();
}

// Statements the interpreter leaves out on purpose: a clear error when the code is added.
bool IsUnsupportedStatement(const std::string& w) {
  return w == "class" || w == "with" || w == "execute" || w == "executeglobal";
}

// Words that begin a left-out statement only when a name follows ("Property Get x"); otherwise
// they are ordinary variable names.
bool IsUnsupportedBeforeName(const std::string& w) {
  return w == "property" || w == "goto" || w == "gosub" || w == "let" || w == "get";
}

class Parser {
 public:
  Parser(std::vector<Token> tokens, int maxNesting)
      : toks_(std::move(tokens)), maxNesting_(maxNesting) {}

  std::unique_ptr<Program> Run() {
    auto program = std::make_unique<Program>();
    program_ = program.get();
    SkipSeparators();
    bool first = true;
    while (Peek().kind != Tok::EndOfText) {
      if (IsWord("option")) {
        if (!first) Fail(1042);
        Next();
        ExpectWord("explicit", err::SyntaxError);
        program->optionExplicit = true;
      } else if (IsWord("sub") || IsWord("function") ||
                 ((IsWord("public") || IsWord("private")) &&
                  (PeekAt(1).lower == "sub" || PeekAt(1).lower == "function"))) {
        if (IsWord("public") || IsWord("private")) Next();
        program->procedures.push_back(ParseProcedure());
      } else {
        StmtPtr s = ParseStatement();
        if (s) program->topLevel.push_back(std::move(s));
      }
      first = false;
      EndStatement();
    }
    return program;
  }

 private:
  // ---- token helpers ----
  const Token& Peek() const { return toks_[pos_]; }
  const Token& PeekAt(size_t ahead) const {
    return toks_[std::min(pos_ + ahead, toks_.size() - 1)];
  }
  const Token& Next() {
    const Token& t = toks_[pos_];
    if (pos_ + 1 < toks_.size()) ++pos_;
    return t;
  }
  int Line() const { return Peek().line; }
  bool IsWord(const char* w) const { return Peek().kind == Tok::Identifier && Peek().lower == w; }
  bool IsOp(const char* op) const { return Peek().kind == Tok::Operator && Peek().text == op; }
  // The end of a statement: a separator, or a word that ends what encloses it on the same line
  // (the Else of a one-line If, the End Sub of a procedure written on one line).
  bool AtEnd() const {
    if (Peek().kind == Tok::EndOfStatement || Peek().kind == Tok::EndOfText) return true;
    if (lineIfDepth_ > 0 && IsWord("else")) return true;
    return AtProcedureEnd();
  }
  bool AtProcedureEnd() const {
    return procKind_ != nullptr && IsWord("end") && PeekAt(1).kind == Tok::Identifier &&
           PeekAt(1).lower == procKind_;
  }
  bool AtLineEnd() const {
    return Peek().kind == Tok::EndOfText ||
           (Peek().kind == Tok::EndOfStatement && Peek().text != ":");
  }

  [[noreturn]] void Fail(int number) const {
    throw ScriptError(number, ErrorDescription(number), Line());
  }
  [[noreturn]] void FailUnsupported(const std::string& what) const {
    throw ScriptError(err::NotSupported,
                      "Object doesn't support this action: '" + what + "' is not available",
                      Line());
  }

  void ExpectWord(const char* w, int number) {
    if (!IsWord(w)) Fail(number);
    Next();
  }
  void ExpectOp(const char* op, int number) {
    if (!IsOp(op)) Fail(number);
    Next();
  }
  std::string ExpectName() {
    if (Peek().kind != Tok::Identifier || IsReserved(Peek().lower)) Fail(1010);
    return Next().lower;
  }
  void EndStatement() {
    if (!AtEnd()) Fail(1025);
    SkipSeparators();
  }
  void SkipSeparators() {
    while (Peek().kind == Tok::EndOfStatement) Next();
  }

  // Nesting guard for statements and expressions.
  struct Nest {
    explicit Nest(Parser& p) : parser(p) {
      if (++parser.depth_ > parser.maxNesting_) parser.Fail(err::OutOfStackSpace);
    }
    ~Nest() { --parser.depth_; }
    Parser& parser;
  };

  ExprPtr Checked(ExprPtr e) {
    if (e->depth > maxNesting_) Fail(err::OutOfStackSpace);
    return e;
  }

  // ---- procedures ----
  std::unique_ptr<Procedure> ParseProcedure() {
    auto proc = std::make_unique<Procedure>();
    proc->line = Line();
    proc->isFunction = Next().lower == "function";
    if (Peek().kind != Tok::Identifier || IsReserved(Peek().lower)) Fail(1010);
    proc->name = Peek().text;
    proc->lower = Next().lower;
    if (IsOp("(")) {
      Next();
      while (!IsOp(")")) {
        Parameter param;
        if (IsWord("byval")) {
          param.byRef = false;
          Next();
        } else if (IsWord("byref")) {
          Next();
        }
        param.name = ExpectName();
        if (IsOp("(")) {
          Next();
          ExpectOp(")", 1006);
          param.isArray = true;
        }
        for (const auto& other : proc->params) {
          if (other.name == param.name) Fail(1041);
        }
        proc->params.push_back(std::move(param));
        if (!IsOp(",")) break;
        Next();
      }
      ExpectOp(")", 1006);
    }
    const char* kind = proc->isFunction ? "function" : "sub";
    procKind_ = kind;
    proc->body = ParseBlock();
    ExpectWord("end", 1014);
    ExpectWord(kind, proc->isFunction ? 1015 : 1016);
    procKind_ = nullptr;
    return proc;
  }

  // A procedure written inside a block of top-level code (an If, a loop) is declared for the
  // whole program, as if written at the top level.
  StmtPtr ParseNestedProcedure() {
    if (procKind_ != nullptr || lineIfDepth_ > 0) Fail(err::SyntaxError);
    const std::vector<std::string> loops = std::move(loops_);
    loops_.clear();
    program_->procedures.push_back(ParseProcedure());
    loops_ = loops;
    return nullptr;
  }

  // What a statement calls or assigns: a name with its member chain, possibly wrapped in
  // redundant parentheses, "(f)(x)" or "Call ((f)) (x)".
  ExprPtr ParseCallee() {
    if (IsOp("(")) {
      Next();
      ExprPtr inner = ParseCallee();
      ExpectOp(")", 1006);
      return inner;
    }
    if (Peek().kind != Tok::Identifier || IsReserved(Peek().lower)) Fail(1010);
    ExprPtr head = ParseNameHead();
    while (IsOp(".") && !Peek().spaceBefore) {
      Next();
      head = MakeMember(std::move(head));
    }
    return head;
  }

  // ---- statements ----
  // Statements up to a word that ends the enclosing construct (End, Else, Next, ...).
  Block ParseBlock() {
    Nest nest(*this);
    Block block;
    SkipSeparators();
    while (Peek().kind != Tok::EndOfText && !AtBlockEnd()) {
      StmtPtr s = ParseStatement();
      if (s) block.push_back(std::move(s));
      if (AtProcedureEnd()) break;
      EndStatement();
    }
    return block;
  }

  bool AtBlockEnd() const {
    if (Peek().kind != Tok::Identifier) return false;
    const std::string& w = Peek().lower;
    return w == "end" || w == "else" || w == "elseif" || w == "next" || w == "loop" ||
           w == "wend" || w == "case";
  }

  StmtPtr ParseStatement() {
    Nest nest(*this);
    const Token& t = Peek();
    if (t.kind != Tok::Identifier) {
      if (t.kind == Tok::Operator && t.text == ".") FailUnsupported("With");
      if (t.kind == Tok::Operator && t.text == "(") return ParseAssignOrCall(ParseCallee());
      Fail(1024);
    }
    const std::string& w = t.lower;
    if (w == "dim") return ParseDim();
    if (w == "public" || w == "private") {
      if (PeekAt(1).lower == "sub" || PeekAt(1).lower == "function") {
        Next();
        return ParseNestedProcedure();
      }
      if (PeekAt(1).lower == "const") {
        Next();
        return ParseConst();
      }
      return ParseDim();
    }
    if (w == "redim") return ParseReDim();
    if (w == "erase") return ParseErase();
    if (w == "const") return ParseConst();
    if (w == "set") return ParseSet();
    if (w == "if") return ParseIf();
    if (w == "select") return ParseSelect();
    if (w == "for") return ParseFor();
    if (w == "do") return ParseDo();
    if (w == "while") return ParseWhile();
    if (w == "exit") return ParseExit();
    if (w == "call") return ParseCall();
    if (w == "on") return ParseOnError();
    if (w == "randomize") return ParseRandomize();
    if (w == "sub" || w == "function") return ParseNestedProcedure();
    if (w == "option") Fail(1042);
    if (w == "stop") {  // a breakpoint for a debugger; there is none
      Next();
      return nullptr;
    }
    if (IsUnsupportedStatement(w)) FailUnsupported(t.text);
    if (IsUnsupportedBeforeName(w) && PeekAt(1).kind == Tok::Identifier) FailUnsupported(t.text);
    if (IsReserved(w)) Fail(err::SyntaxError);
    return ParseAssignOrCall(ParseCallee());
  }

  StmtPtr ParseDim() {
    auto stmt = std::make_unique<DimStmt>(DimStmt::Dim, Line());
    Next();
    do {
      Dimension d;
      const int line = Line();
      auto name = std::make_unique<NameExpr>(ExpectName(), line);
      if (IsOp("(")) {
        Next();
        d.isArray = true;
        if (!IsOp(")")) d.bounds = ParseArgs();
        ExpectOp(")", 1006);
      }
      d.target = std::move(name);
      stmt->items.push_back(std::move(d));
      if (!IsOp(",")) break;
      Next();
    } while (true);
    return stmt;
  }

  StmtPtr ParseReDim() {
    auto stmt = std::make_unique<DimStmt>(DimStmt::ReDim, Line());
    Next();
    if (IsWord("preserve")) {
      Next();
      stmt->preserve = true;
    }
    do {
      Dimension d;
      const int line = Line();
      d.target = std::make_unique<NameExpr>(ExpectName(), line);
      ExpectOp("(", 1005);
      d.bounds = ParseArgs();
      if (d.bounds.empty()) Fail(1023);
      ExpectOp(")", 1006);
      d.isArray = true;
      stmt->items.push_back(std::move(d));
      if (!IsOp(",")) break;
      Next();
    } while (true);
    return stmt;
  }

  StmtPtr ParseErase() {
    auto stmt = std::make_unique<DimStmt>(DimStmt::Erase, Line());
    Next();
    Dimension d;
    const int line = Line();
    d.target = std::make_unique<NameExpr>(ExpectName(), line);
    stmt->items.push_back(std::move(d));
    return stmt;
  }

  StmtPtr ParseConst() {
    auto stmt = std::make_unique<ConstStmt>(Line());
    Next();
    do {
      std::string name = ExpectName();
      ExpectOp("=", 1011);
      ExprPtr value = ParseExpression();
      stmt->items.emplace_back(std::move(name), std::move(value));
      if (!IsOp(",")) break;
      Next();
    } while (true);
    return stmt;
  }

  StmtPtr ParseSet() {
    const int line = Line();
    Next();
    ExprPtr target = ParseTarget();
    ExpectOp("=", 1011);
    if (IsWord("new")) FailUnsupported("New");
    ExprPtr value = ParseExpression();
    return std::make_unique<AssignStmt>(std::move(target), std::move(value), true, line);
  }

  // The left side of an assignment: a name, an element, or a member.
  ExprPtr ParseTarget() {
    if (Peek().kind != Tok::Identifier || IsReserved(Peek().lower)) Fail(1010);
    return ParsePostfix(ParseNameHead());
  }

  StmtPtr ParseIf() {
    auto stmt = std::make_unique<IfStmt>(Line());
    Next();
    stmt->conditions.push_back(ParseExpression());
    ExpectWord("then", 1017);
    if (!AtLineEnd()) {
      // Single-line If: statements up to the end of the line, an optional Else part.
      if (IsOp(":") || Peek().kind == Tok::EndOfStatement) Next();
      ++lineIfDepth_;
      stmt->branches.push_back(ParseLineStatements(true));
      --lineIfDepth_;
      if (IsWord("else")) {
        Next();
        stmt->elseBranch = ParseLineStatements(false);
      }
      if (IsWord("end") && PeekAt(1).lower == "if") {  // tolerated "... End If" on one line
        Next();
        Next();
      }
      return stmt;
    }
    stmt->branches.push_back(ParseBlock());
    while (IsWord("elseif")) {
      Next();
      stmt->conditions.push_back(ParseExpression());
      ExpectWord("then", 1017);
      stmt->branches.push_back(ParseBlock());
    }
    if (IsWord("else")) {
      Next();
      stmt->elseBranch = ParseBlock();
    }
    ExpectWord("end", 1014);
    ExpectWord("if", 1012);
    return stmt;
  }

  Block ParseLineStatements(bool stopAtElse) {
    Nest nest(*this);
    Block block;
    while (!AtLineEnd()) {
      if (Peek().kind == Tok::EndOfStatement) {
        Next();
        continue;
      }
      if (stopAtElse && IsWord("else")) break;
      if (IsWord("end") && PeekAt(1).lower == "if") break;
      const std::string& w = Peek().lower;
      if (Peek().kind == Tok::Identifier && (w == "for" || w == "do" || w == "while" ||
                                             w == "select" || w == "sub" || w == "function")) {
        Fail(err::SyntaxError);
      }
      StmtPtr s = ParseStatement();
      if (s) block.push_back(std::move(s));
      if (!AtEnd() && !IsWord("else") && !(IsWord("end") && PeekAt(1).lower == "if")) Fail(1025);
    }
    return block;
  }

  StmtPtr ParseSelect() {
    auto stmt = std::make_unique<SelectStmt>(Line());
    Next();
    ExpectWord("case", 1021);
    stmt->subject = ParseExpression();
    EndStatement();
    while (IsWord("case")) {
      const int line = Line();
      Next();
      if (IsWord("else")) {
        Next();
        stmt->hasElse = true;
        stmt->elseBody = ParseBlock();
        break;
      }
      CaseClause clause;
      clause.line = line;
      do {
        CaseTest test;
        if (IsWord("is")) {
          Next();
          test.kind = CaseTestKind::Is;
          test.op = ParseComparisonOp();
          test.value = ParseConcat();
        } else {
          test.value = ParseExpression();
          if (IsWord("to")) {
            Next();
            test.kind = CaseTestKind::Range;
            test.upper = ParseExpression();
          }
        }
        clause.tests.push_back(std::move(test));
        if (!IsOp(",")) break;
        Next();
      } while (true);
      clause.body = ParseBlock();
      stmt->cases.push_back(std::move(clause));
    }
    ExpectWord("end", 1014);
    ExpectWord("select", 1022);
    return stmt;
  }

  BinaryOp ParseComparisonOp() {
    static const std::array<std::pair<const char*, BinaryOp>, 6> kOps{{
        {"=", BinaryOp::Equal},
        {"<>", BinaryOp::NotEqual},
        {"<", BinaryOp::Less},
        {">", BinaryOp::Greater},
        {"<=", BinaryOp::LessEqual},
        {">=", BinaryOp::GreaterEqual},
    }};
    for (const auto& [text, op] : kOps) {
      if (IsOp(text)) {
        Next();
        return op;
      }
    }
    Fail(err::SyntaxError);
  }

  StmtPtr ParseFor() {
    const int line = Line();
    Next();
    if (IsWord("each")) {
      Next();
      auto stmt = std::make_unique<ForEachStmt>(line);
      stmt->element = std::make_unique<NameExpr>(ExpectName(), Line());
      ExpectWord("in", 1046);
      stmt->collection = ParseExpression();
      stmt->body = ParseLoopBody("for");
      ExpectWord("next", 1020);
      return stmt;
    }
    auto stmt = std::make_unique<ForStmt>(line);
    const std::string name = ExpectName();
    stmt->counter = std::make_unique<NameExpr>(name, line);
    ExpectOp("=", 1011);
    stmt->from = ParseExpression();
    ExpectWord("to", 1013);
    stmt->to = ParseExpression();
    if (IsWord("step")) {
      Next();
      stmt->step = ParseExpression();
    }
    stmt->body = ParseLoopBody("for");
    ExpectWord("next", 1020);
    if (Peek().kind == Tok::Identifier && Peek().lower == name) Next();
    return stmt;
  }

  Block ParseLoopBody(const char* kind) {
    loops_.push_back(kind);
    Block body = ParseBlock();
    loops_.pop_back();
    return body;
  }

  StmtPtr ParseDo() {
    auto stmt = std::make_unique<LoopStmt>(Line());
    Next();
    if (IsWord("while") || IsWord("until")) {
      stmt->until = Next().lower == "until";
      stmt->condition = ParseExpression();
    }
    stmt->body = ParseLoopBody("do");
    ExpectWord("loop", 1019);
    if (IsWord("while") || IsWord("until")) {
      if (stmt->condition) Fail(1025);
      stmt->until = Next().lower == "until";
      stmt->condition = ParseExpression();
      stmt->testFirst = false;
    }
    return stmt;
  }

  StmtPtr ParseWhile() {
    auto stmt = std::make_unique<LoopStmt>(Line());
    Next();
    stmt->isWend = true;
    stmt->condition = ParseExpression();
    stmt->body = ParseLoopBody("while");
    ExpectWord("wend", 1018);
    return stmt;
  }

  StmtPtr ParseExit() {
    const int line = Line();
    Next();
    const std::string w = Peek().kind == Tok::Identifier ? Peek().lower : "";
    Next();
    if (w == "do" || w == "for") {
      if (std::find(loops_.begin(), loops_.end(), w) == loops_.end()) Fail(1039);
      return std::make_unique<ExitStmt>(w == "do" ? Flow::ExitDo : Flow::ExitFor, line);
    }
    if ((w == "sub" || w == "function") && procKind_ != nullptr && w == procKind_) {
      return std::make_unique<ExitStmt>(Flow::ExitProcedure, line);
    }
    Fail(1039);
  }

  StmtPtr ParseCall() {
    const int line = Line();
    Next();
    ExprPtr target = ParsePostfix(ParseCallee());
    if (!AtEnd()) Fail(1025);
    MarkCall(*target);
    return std::make_unique<CallStmt>(std::move(target), line);
  }

  // A call statement's target is called even without an argument list.
  static void MarkCall(Expr& target) {
    if (target.kind == ExprKind::Name) static_cast<NameExpr&>(target).hasParens = true;
    if (target.kind == ExprKind::Member) static_cast<MemberExpr&>(target).hasParens = true;
  }

  StmtPtr ParseOnError() {
    const int line = Line();
    Next();
    ExpectWord("error", err::SyntaxError);
    if (IsWord("resume")) {
      Next();
      ExpectWord("next", err::SyntaxError);
      return std::make_unique<OnErrorStmt>(true, line);
    }
    ExpectWord("goto", err::SyntaxError);
    if (Peek().kind != Tok::Literal || Peek().text != "0") Fail(err::SyntaxError);
    Next();
    return std::make_unique<OnErrorStmt>(false, line);
  }

  StmtPtr ParseRandomize() {
    auto stmt = std::make_unique<RandomizeStmt>(Line());
    Next();
    if (!AtEnd()) stmt->seed = ParseExpression();
    return stmt;
  }

  // name ... = value, or a call written without Call; head is the name with its member chain.
  StmtPtr ParseAssignOrCall(ExprPtr head) {
    const int line = head->line;
    if (IsOp("(")) {
      const size_t save = pos_;
      const bool attached = !Peek().spaceBefore;
      Next();
      ExprList args = ParseArgs();
      if (IsOp(")")) {
        Next();
        if (attached && IsOp(".") && !Peek().spaceBefore) {
          // d("child").Add "x", 1: what the call gives is the object the statement goes on with.
          SetArgs(*head, std::move(args));
          Next();
          return ParseAssignOrCall(MakeMember(std::move(head)));
        }
        if (IsOp("=")) {
          Next();
          SetArgs(*head, std::move(args));
          ExprPtr value = ParseExpression();
          return std::make_unique<AssignStmt>(std::move(head), std::move(value), false, line);
        }
        if (AtEnd()) {
          // f(x) passes x by value; f(x, y) needs Call.
          if (args.size() > 1) Fail(1044);
          if (args.size() == 1 && args[0]->kind != ExprKind::Paren) {
            const int l = args[0]->line;
            args[0] = Wrap(std::make_unique<ParenExpr>(std::move(args[0]), l));
          }
          SetArgs(*head, std::move(args));
          MarkCall(*head);
          return std::make_unique<CallStmt>(std::move(head), line);
        }
      }
      pos_ = save;  // "f (a) + 1, b": the parentheses belong to the first argument
    } else if (IsOp("=")) {
      Next();
      ExprPtr value = ParseExpression();
      return std::make_unique<AssignStmt>(std::move(head), std::move(value), false, line);
    }
    ExprList args;
    if (!AtEnd()) {
      args.push_back(ParseArg());
      while (IsOp(",")) {
        Next();
        args.push_back(ParseArg());
      }
    }
    SetArgs(*head, std::move(args));
    MarkCall(*head);
    return std::make_unique<CallStmt>(std::move(head), line);
  }

  void SetArgs(Expr& target, ExprList args) {
    int depth = 1;
    for (const auto& a : args) depth = std::max(depth, a->depth + 1);
    if (target.kind == ExprKind::Name) {
      auto& n = static_cast<NameExpr&>(target);
      n.args = std::move(args);
      n.hasParens = true;
    } else if (target.kind == ExprKind::Member) {
      auto& m = static_cast<MemberExpr&>(target);
      m.args = std::move(args);
      m.hasParens = true;
    } else {
      Fail(err::SyntaxError);
    }
    target.depth = std::max(target.depth, depth);
  }

  // ---- expressions ----
  ExprPtr Wrap(ExprPtr e) { return Checked(std::move(e)); }

  ExprPtr MakeBinary(BinaryOp op, ExprPtr a, ExprPtr b, int line) {
    const int depth = std::max(a->depth, b->depth) + 1;
    auto e = std::make_unique<BinaryExpr>(op, std::move(a), std::move(b), line);
    e->depth = depth;
    return Checked(std::move(e));
  }

  ExprList ParseArgs() {
    ExprList args;
    if (IsOp(")")) return args;
    args.push_back(ParseArg());
    while (IsOp(",")) {
      Next();
      args.push_back(ParseArg());
    }
    return args;
  }

  // An argument, or Empty where it is left out: MsgBox "text", , "Title".
  ExprPtr ParseArg() {
    if (IsOp(",") || IsOp(")") || AtEnd()) return std::make_unique<LiteralExpr>(Variant(), Line());
    return ParseExpression();
  }

  ExprPtr ParseExpression() {
    Nest nest(*this);
    return ParseImp();
  }

  using Level = ExprPtr (Parser::*)();

  ExprPtr ParseLeftAssoc(Level next, std::initializer_list<std::pair<const char*, BinaryOp>> ops,
                         bool words) {
    ExprPtr left = (this->*next)();
    for (;;) {
      bool matched = false;
      for (const auto& [text, op] : ops) {
        if (words ? IsWord(text) : IsOp(text)) {
          const int line = Line();
          Next();
          left = MakeBinary(op, std::move(left), (this->*next)(), line);
          matched = true;
          break;
        }
      }
      if (!matched) return left;
    }
  }

  ExprPtr ParseImp() { return ParseLeftAssoc(&Parser::ParseEqv, {{"imp", BinaryOp::Imp}}, true); }
  ExprPtr ParseEqv() { return ParseLeftAssoc(&Parser::ParseXor, {{"eqv", BinaryOp::Eqv}}, true); }
  ExprPtr ParseXor() { return ParseLeftAssoc(&Parser::ParseOr, {{"xor", BinaryOp::Xor}}, true); }
  ExprPtr ParseOr() { return ParseLeftAssoc(&Parser::ParseAnd, {{"or", BinaryOp::Or}}, true); }
  ExprPtr ParseAnd() { return ParseLeftAssoc(&Parser::ParseNot, {{"and", BinaryOp::And}}, true); }

  ExprPtr ParseNot() {
    if (IsWord("not")) {
      Nest nest(*this);
      const int line = Line();
      Next();
      ExprPtr operand = ParseNot();
      const int depth = operand->depth + 1;
      auto e = std::make_unique<UnaryExpr>(UnaryOp::Not, std::move(operand), line);
      e->depth = depth;
      return Checked(std::move(e));
    }
    return ParseComparison();
  }

  ExprPtr ParseComparison() {
    ExprPtr left = ParseConcat();
    for (;;) {
      const int line = Line();
      if (IsWord("is")) {
        Next();
        left = MakeBinary(BinaryOp::Is, std::move(left), ParseConcat(), line);
        continue;
      }
      static const std::array<std::pair<const char*, BinaryOp>, 6> kOps{{
          {"=", BinaryOp::Equal},
          {"<>", BinaryOp::NotEqual},
          {"<", BinaryOp::Less},
          {">", BinaryOp::Greater},
          {"<=", BinaryOp::LessEqual},
          {">=", BinaryOp::GreaterEqual},
      }};
      bool matched = false;
      for (const auto& [text, op] : kOps) {
        if (IsOp(text)) {
          Next();
          left = MakeBinary(op, std::move(left), ParseConcat(), line);
          matched = true;
          break;
        }
      }
      if (!matched) return left;
    }
  }

  ExprPtr ParseConcat() {
    return ParseLeftAssoc(&Parser::ParseAdditive, {{"&", BinaryOp::Concat}}, false);
  }
  ExprPtr ParseAdditive() {
    return ParseLeftAssoc(&Parser::ParseMod, {{"+", BinaryOp::Add}, {"-", BinaryOp::Subtract}},
                          false);
  }
  ExprPtr ParseMod() {
    return ParseLeftAssoc(&Parser::ParseIntDiv, {{"mod", BinaryOp::Mod}}, true);
  }
  ExprPtr ParseIntDiv() {
    return ParseLeftAssoc(&Parser::ParseMultiplicative, {{"\\", BinaryOp::IntDivide}}, false);
  }
  ExprPtr ParseMultiplicative() {
    return ParseLeftAssoc(&Parser::ParsePower, {{"*", BinaryOp::Multiply}, {"/", BinaryOp::Divide}},
                          false);
  }

  // The language's sign binds tighter than ^: -3 ^ 2 is 9, and an exponent may carry its own
  // sign (2 ^ -1).
  ExprPtr ParsePower() {
    ExprPtr left = ParseSigned();
    while (IsOp("^")) {
      const int line = Line();
      Next();
      left = MakeBinary(BinaryOp::Power, std::move(left), ParseSigned(), line);
    }
    return left;
  }

  ExprPtr ParseSigned() {
    if (IsOp("-") || IsOp("+")) {
      Nest nest(*this);
      const int line = Line();
      const bool minus = Next().text == "-";
      ExprPtr operand = ParseSigned();
      const int depth = operand->depth + 1;
      auto e = std::make_unique<UnaryExpr>(minus ? UnaryOp::Negate : UnaryOp::Plus,
                                           std::move(operand), line);
      e->depth = depth;
      return Checked(std::move(e));
    }
    return ParsePrimary();
  }

  ExprPtr ParsePrimary() {
    Nest nest(*this);
    const Token& t = Peek();
    const int line = t.line;
    if (t.kind == Tok::Literal) {
      Variant value = t.value;
      Next();
      return std::make_unique<LiteralExpr>(std::move(value), line);
    }
    if (t.kind == Tok::Operator && t.text == "(") {
      Next();
      ExprPtr inner = ParseExpression();
      ExpectOp(")", 1006);
      // "(f)(x)": a name in redundant parentheses takes the arguments that follow, as it does
      // at the start of a statement; any other value in parentheses is indexed by them.
      if (IsOp("(") && (inner->kind == ExprKind::Name || inner->kind == ExprKind::Member) &&
          !HasArgs(*inner)) {
        return ParsePostfix(std::move(inner));
      }
      const int depth = inner->depth + 1;
      auto e = std::make_unique<ParenExpr>(std::move(inner), line);
      e->depth = depth;
      if (IsOp("(")) return ParsePostfix(Checked(std::move(e)));
      return Checked(std::move(e));
    }
    if (t.kind == Tok::Operator && t.text == ".") FailUnsupported("With");
    if (t.kind != Tok::Identifier) Fail(1023);
    const std::string& w = t.lower;
    if (w == "true" || w == "false") {
      Next();
      return std::make_unique<LiteralExpr>(Variant::Boolean(w == "true"), line);
    }
    if (w == "empty") {
      Next();
      return std::make_unique<LiteralExpr>(Variant(), line);
    }
    if (w == "null") {
      Next();
      return std::make_unique<LiteralExpr>(Variant::MakeNull(), line);
    }
    if (w == "nothing") {
      Next();
      return std::make_unique<LiteralExpr>(Variant::Object(nullptr), line);
    }
    if (w == "new") FailUnsupported("New");
    if (w == "me") FailUnsupported("Me");
    if (IsReserved(w)) Fail(1023);
    return ParsePostfix(ParseNameHead());
  }

  ExprPtr ParseNameHead() {
    const Token& t = Next();
    auto e = std::make_unique<NameExpr>(t.lower, t.line);
    e->written = t.text;
    return e;
  }

  ExprPtr MakeMember(ExprPtr object) {
    if (Peek().kind != Tok::Identifier) Fail(1010);
    const Token& t = Next();
    const int depth = object->depth + 1;
    auto m = std::make_unique<MemberExpr>(std::move(object), t.lower, t.line);
    m->written = t.text;
    m->depth = depth;
    return Checked(std::move(m));
  }

  // name(args).member(args): one argument list per name, as the language allows.
  ExprPtr ParsePostfix(ExprPtr head) {
    for (;;) {
      if (IsOp("(")) {
        Next();
        ExprList args = ParseArgs();
        ExpectOp(")", 1006);
        if (HasArgs(*head)) {
          head = MakeApply(std::move(head), std::move(args));
        } else {
          SetArgs(*head, std::move(args));
        }
        if (head->depth > maxNesting_) Fail(err::OutOfStackSpace);
      } else if (IsOp(".") && !Peek().spaceBefore) {
        Next();
        head = MakeMember(std::move(head));
      } else {
        return head;
      }
    }
  }

  // A second argument list indexes what the first call or element yields.
  ExprPtr MakeApply(ExprPtr base, ExprList args) {
    const int line = base->line;
    int depth = base->depth + 1;
    for (const auto& a : args) depth = std::max(depth, a->depth + 1);
    auto e = std::make_unique<ApplyExpr>(std::move(base), std::move(args), line);
    e->depth = depth;
    return Checked(std::move(e));
  }

  static bool HasArgs(const Expr& e) {
    if (e.kind == ExprKind::Name) return static_cast<const NameExpr&>(e).hasParens;
    if (e.kind == ExprKind::Member) return static_cast<const MemberExpr&>(e).hasParens;
    return true;
  }

  std::vector<Token> toks_;
  size_t pos_ = 0;
  int depth_ = 0;
  int maxNesting_;
  const char* procKind_ = nullptr;
  std::vector<std::string> loops_;
  Program* program_ = nullptr;
  int lineIfDepth_ = 0;  // inside the Then part of a one-line If
};

}  // namespace

std::unique_ptr<Program> ParseProgram(std::string_view text, int currentYear, int maxNesting) {
  return Parser(Tokenize(text, currentYear), maxNesting).Run();
}

}  // namespace kavro::vbs
