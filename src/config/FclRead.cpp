#include "config/FclRead.h"

#include <cctype>
#include <stdexcept>

#include "common/NumberText.h"
#include "config/FclExport.h"
#include "config/FclNotes.h"

namespace kavro {
namespace {

// Splits FCL into words, numbers and symbols; comments are skipped, the note block's lines kept.
class Scanner {
 public:
  explicit Scanner(const std::string& text) : text_(text) {}

  std::vector<Token> Tokens(std::vector<NoteLine>& notes) {
    std::vector<Token> tokens;
    while (true) {
      SkipBlanksAndComments(notes);
      Token token{TokenKind::End, "", line_, column_};
      if (pos_ >= text_.size()) {
        tokens.push_back(token);
        return tokens;
      }
      const char c = text_[pos_];
      if (std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '_') {
        token.kind = TokenKind::Word;
        while (pos_ < text_.size() &&
               (std::isalnum(static_cast<unsigned char>(text_[pos_])) != 0 || text_[pos_] == '_')) {
          token.text += Take();
        }
      } else if (std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '-' || c == '+' ||
                 (c == '.' && Peek(1) != '.')) {
        token.kind = TokenKind::Number;
        token.text += Take();
        while (pos_ < text_.size()) {
          const char d = text_[pos_];
          const bool exponentSign =
              (d == '-' || d == '+') && (token.text.back() == 'e' || token.text.back() == 'E');
          if (std::isdigit(static_cast<unsigned char>(d)) != 0 || d == 'e' || d == 'E' ||
              exponentSign || (d == '.' && Peek(1) != '.')) {
            token.text += Take();
          } else {
            break;
          }
        }
        if (!IsNumeric(token.text))
          throw FclFailure{"not a number: " + token.text, token.line, token.column};
      } else if (c == ':' && Peek(1) == '=') {
        token.kind = TokenKind::Symbol;
        token.text = ":=";
        Take();
        Take();
      } else if (c == '.' && Peek(1) == '.') {
        token.kind = TokenKind::Symbol;
        token.text = "..";
        Take();
        Take();
      } else if (c == ':' || c == ';' || c == '(' || c == ')' || c == ',') {
        token.kind = TokenKind::Symbol;
        token.text = std::string(1, Take());
      } else {
        throw FclFailure{std::string("unexpected character '") + c + "'", line_, column_};
      }
      tokens.push_back(token);
    }
  }

 private:
  char Peek(size_t ahead) const { return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0'; }
  char Take() {
    const char c = text_[pos_++];
    if (c == '\n') {
      ++line_;
      column_ = 1;
    } else {
      ++column_;
    }
    return c;
  }
  void SkipBlanksAndComments(std::vector<NoteLine>& notes) {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        Take();
      } else if (c == '(' && Peek(1) == '*') {
        SkipComment(notes);
      } else if (c == '/' && Peek(1) == '/') {
        while (pos_ < text_.size() && text_[pos_] != '\n') Take();
      } else {
        return;
      }
    }
  }
  void SkipComment(std::vector<NoteLine>& notes) {
    const int line = line_, column = column_;
    const size_t end = text_.find("*)", pos_ + 2);
    if (end == std::string::npos) throw FclFailure{"comment not closed", line, column};
    const std::string body = text_.substr(pos_, end - pos_);
    const std::string open = kFclNoteOpen;
    if (body.compare(0, open.size(), open) == 0 &&
        (body.size() == open.size() || body[open.size()] == '\n' || body[open.size()] == '\r')) {
      int noteLine = line;
      size_t start = 0;
      while (start <= body.size()) {
        size_t stop = body.find('\n', start);
        if (stop == std::string::npos) stop = body.size();
        std::string text = body.substr(start, stop - start);
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (start != 0 && !text.empty()) notes.push_back({text, noteLine});
        ++noteLine;
        start = stop + 1;
      }
    }
    while (pos_ < end + 2) Take();
  }

  const std::string& text_;
  size_t pos_ = 0;
  int line_ = 1;
  int column_ = 1;
};

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

class Parser {
 public:
  explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  FclFile File() {
    Keyword("FUNCTION_BLOCK");
    file_.name = Identifier().text;
    while (!IsKeyword("END_FUNCTION_BLOCK")) {
      const Token& t = Current();
      if (IsKeyword("VAR_INPUT"))
        Variables(file_.inputs);
      else if (IsKeyword("VAR_OUTPUT"))
        Variables(file_.outputs);
      else if (IsKeyword("FUZZIFY"))
        Fuzzify();
      else if (IsKeyword("DEFUZZIFY"))
        Defuzzify();
      else if (IsKeyword("RULEBLOCK"))
        RuleBlock();
      else
        throw Expected("VAR_INPUT, VAR_OUTPUT, FUZZIFY, DEFUZZIFY, RULEBLOCK or END_FUNCTION_BLOCK",
                       t);
    }
    Keyword("END_FUNCTION_BLOCK");
    if (Current().kind != TokenKind::End) throw Expected("the end of the file", Current());
    return std::move(file_);
  }

 private:
  const Token& Current() const { return tokens_[pos_]; }
  Token Next() { return tokens_[pos_ + 1 < tokens_.size() ? pos_++ : pos_]; }
  bool IsKeyword(const char* word) const {
    return Current().kind == TokenKind::Word && Upper(Current().text) == word;
  }
  bool IsSymbol(const char* symbol) const {
    return Current().kind == TokenKind::Symbol && Current().text == symbol;
  }
  static FclFailure Expected(const std::string& what, const Token& got) {
    const std::string found =
        got.kind == TokenKind::End ? "the end of the file" : "'" + got.text + "'";
    return FclFailure{"expected " + what + ", found " + found, got.line, got.column};
  }
  void Keyword(const char* word) {
    if (!IsKeyword(word)) throw Expected(word, Current());
    Next();
  }
  void Symbol(const char* symbol) {
    if (!IsSymbol(symbol)) throw Expected(std::string("'") + symbol + "'", Current());
    Next();
  }
  Token Identifier() {
    if (Current().kind != TokenKind::Word) throw Expected("a name", Current());
    return Next();
  }
  float Number() {
    if (Current().kind != TokenKind::Number) throw Expected("a number", Current());
    const Token t = Next();
    try {
      return ToSingle(t.text);
    } catch (const std::exception&) {
      throw FclFailure{"number out of range: " + t.text, t.line, t.column};
    }
  }

  void Variables(std::vector<Token>& into) {
    Next();
    while (!IsKeyword("END_VAR")) {
      into.push_back(Identifier());
      Symbol(":");
      if (!IsKeyword("REAL")) throw Expected("REAL", Current());
      Next();
      Symbol(";");
    }
    Next();
  }

  void Range() {
    Next();
    Symbol(":=");
    Symbol("(");
    Number();
    Symbol("..");
    Number();
    Symbol(")");
    Symbol(";");
  }

  // TERM name := shape;
  TermText Term(bool singletonOnly) {
    Next();
    TermText term;
    term.at = Identifier();
    term.id = term.at.text;
    Symbol(":=");
    const Token shape = Current();
    const auto refuse = [&](const std::string& why) {
      return FclFailure{"term " + term.id + " (line " + std::to_string(term.at.line) + "): " + why,
                        shape.line, shape.column};
    };
    if (Current().kind == TokenKind::Number) {
      const float v = Number();
      term.singleton = v;
      term.points = {0, v, v, v, v};
      term.values = {0, 1, 1, 1, 1};
    } else if (singletonOnly) {
      throw refuse("an output term must be a singleton (one number)");
    } else if (IsSymbol("(")) {
      std::vector<std::pair<float, float>> points;
      while (IsSymbol("(")) {
        Next();
        const float x = Number();
        Symbol(",");
        const float m = Number();
        Symbol(")");
        points.emplace_back(x, m);
      }
      if (points.size() > NumPoints) throw refuse("more than four points cannot be held");
      // Fewer points repeat the middle ones: (a b c) becomes (a b b c), (a b) becomes (a a b b).
      static const std::array<std::array<int, 4>, 4> kSpread = {
          {{0, 0, 0, 0}, {0, 0, 1, 1}, {0, 1, 1, 2}, {0, 1, 2, 3}}};
      const auto& spread = kSpread[points.size() - 1];
      for (int p = 1; p <= NumPoints; ++p) {
        term.points[p] = points[spread[p - 1]].first;
        term.values[p] = points[spread[p - 1]].second;
      }
    } else if (IsKeyword("TRIANG") || IsKeyword("TRAPEZ")) {
      const bool triangle = IsKeyword("TRIANG");
      Next();
      std::array<float, 4> x{};
      for (int k = 0; k < (triangle ? 3 : 4); ++k) x[k] = Number();
      if (triangle) x = {x[0], x[1], x[1], x[2]};
      term.points = {0, x[0], x[1], x[2], x[3]};
      term.values = {0, 0, 1, 1, 0};
    } else {
      throw refuse("the shape " + shape.text + " cannot be held in four points");
    }
    if (!singletonOnly) {
      for (int p = 1; p < NumPoints; ++p) {
        if (term.points[p + 1] < term.points[p]) throw refuse("points must not descend");
      }
      for (int p = 1; p <= NumPoints; ++p) {
        if (!(term.values[p] >= 0 && term.values[p] <= 1)) throw refuse("a degree outside 0..1");
      }
    }
    Symbol(";");
    return term;
  }

  void Fuzzify() {
    Next();
    const Token variable = Identifier();
    auto& terms = file_.fuzzify[variable.text];
    while (!IsKeyword("END_FUZZIFY")) {
      if (IsKeyword("TERM"))
        terms.push_back(Term(false));
      else if (IsKeyword("RANGE"))
        Range();
      else
        throw Expected("TERM, RANGE or END_FUZZIFY", Current());
    }
    Next();
  }

  void Defuzzify() {
    Next();
    const Token variable = Identifier();
    auto& terms = file_.defuzzify[variable.text];
    while (!IsKeyword("END_DEFUZZIFY")) {
      if (IsKeyword("TERM")) {
        terms.push_back(Term(true));
      } else if (IsKeyword("RANGE")) {
        Range();
      } else if (IsKeyword("METHOD") || IsKeyword("ACCU")) {
        Next();
        Symbol(":");
        Identifier();
        Symbol(";");
      } else if (IsKeyword("DEFAULT")) {
        Next();
        Symbol(":=");
        if (IsKeyword("NC"))
          Next();
        else
          file_.defaults[variable.text] = Number();
        Symbol(";");
      } else {
        throw Expected("TERM, RANGE, METHOD, DEFAULT or END_DEFUZZIFY", Current());
      }
    }
    Next();
  }

  void RuleBlock() {
    Next();
    Identifier();
    int andOp = 1, orOp = 2;  // MIN and MAX unless the block says otherwise
    bool saidAnd = false, saidOr = false;
    while (!IsKeyword("END_RULEBLOCK")) {
      if (IsKeyword("AND") || IsKeyword("OR")) {
        const bool isAnd = IsKeyword("AND");
        Next();
        Symbol(":");
        const Token method = Identifier();
        const std::string m = Upper(method.text);
        const int op = isAnd ? (m == "MIN"    ? 1
                                : m == "PROD" ? 3
                                : m == "BDIF" ? 4
                                              : 0)
                             : (m == "MAX"    ? 2
                                : m == "ASUM" ? 5
                                : m == "BSUM" ? 6
                                              : 0);
        if (op == 0)
          throw FclFailure{"no operator " + method.text + " for " + (isAnd ? "AND" : "OR"),
                           method.line, method.column};
        (isAnd ? andOp : orOp) = op;
        (isAnd ? saidAnd : saidOr) = true;
        Symbol(";");
      } else if (IsKeyword("ACT") || IsKeyword("ACCU")) {
        Next();
        Symbol(":");
        Identifier();
        Symbol(";");
      } else if (IsKeyword("RULE")) {
        // A rule of one condition takes the block's OR operator when that is all it names.
        ParseRule(andOp, orOp, saidOr && !saidAnd);
      } else {
        throw Expected("AND, OR, ACT, ACCU, RULE or END_RULEBLOCK", Current());
      }
    }
    Next();
  }

  Condition VariableIsTerm() {
    Condition c;
    c.variable = Identifier();
    Keyword("IS");
    if (IsKeyword("NOT"))
      throw FclFailure{"IS NOT cannot be held in a rule", Current().line, Current().column};
    c.term = Identifier();
    return c;
  }

  void ParseRule(int andOp, int orOp, bool saysOrOnly) {
    RuleText rule;
    rule.at = Next();
    const Token number = Current();
    if (number.kind != TokenKind::Number && number.kind != TokenKind::Word)
      throw Expected("a rule number", number);
    Next();
    rule.number = number.kind == TokenKind::Number ? RuleNumber(number.text) : 0;
    Symbol(":");
    Keyword("IF");
    std::string connective;
    rule.conditions.push_back(VariableIsTerm());
    while (IsKeyword("AND") || IsKeyword("OR")) {
      const Token word = Next();
      if (!connective.empty() && Upper(word.text) != connective) {
        throw FclFailure{"a rule mixes AND and OR", word.line, word.column};
      }
      connective = Upper(word.text);
      rule.conditions.push_back(VariableIsTerm());
    }
    rule.op = connective == "OR" || (connective.empty() && saysOrOnly) ? orOp : andOp;
    Keyword("THEN");
    rule.conclusions.push_back(VariableIsTerm());
    while (IsSymbol(",") || IsKeyword("AND")) {
      Next();
      rule.conclusions.push_back(VariableIsTerm());
    }
    if (IsKeyword("WITH"))
      throw FclFailure{"rule weights cannot be held", Current().line, Current().column};
    Symbol(";");
    file_.rules.push_back(std::move(rule));
  }

  std::vector<Token> tokens_;
  size_t pos_ = 0;
  FclFile file_;
};

// Note keys and values, in file order.
FclNotes SplitNotes(const std::vector<NoteLine>& lines) {
  FclNotes notes;
  for (const NoteLine& line : lines) {
    const size_t colon = line.text.find(": ");
    if (colon == std::string::npos) {
      throw FclFailure{"a note line is \"key: value\"", line.line, 1};
    }
    notes.push_back(
        {{line.text.substr(0, colon), line.line}, UnescapeNoteValue(line.text.substr(colon + 2))});
  }
  return notes;
}

}  // namespace

int RuleNumber(std::string_view text) {
  return WholeNumberIn(text, 1, NumRules).value_or(0);
}

FclFile ReadFcl(const std::string& text) {
  std::vector<NoteLine> noteLines;
  Scanner scanner(text);
  std::vector<Token> tokens = scanner.Tokens(noteLines);
  FclFile file = Parser(std::move(tokens)).File();
  file.notes = SplitNotes(noteLines);
  return file;
}

}  // namespace kavro
