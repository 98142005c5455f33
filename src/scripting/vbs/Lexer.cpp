#include "scripting/vbs/Lexer.h"

#include <cctype>

#include "scripting/vbs/Conversions.h"
#include "scripting/vbs/DateMath.h"
#include "scripting/vbs/ScriptError.h"

namespace kavro::vbs {
namespace {

bool IsIdentStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) != 0;
}
bool IsIdentChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string ToLower(std::string_view s) {
  std::string out(s);
  for (auto& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

class Scanner {
 public:
  Scanner(std::string_view text, int currentYear) : src_(text), year_(currentYear) {}

  std::vector<Token> Run() {
    while (pos_ < src_.size()) {
      const char c = src_[pos_];
      if (c == ' ' || c == '\t' || c == '\f' || c == '\v') {
        ++pos_;
        space_ = true;
      } else if (c == '\r' || c == '\n') {
        NewLine();
      } else if (c == '\'') {
        SkipComment();
      } else if (c == ':') {
        ++pos_;
        Push(Tok::EndOfStatement, ":");
      } else if (c == '_' && IsContinuation()) {
        continue;
      } else if (IsIdentStart(c)) {
        Identifier();
      } else if (IsDigit(c) || (c == '.' && pos_ + 1 < src_.size() && IsDigit(src_[pos_ + 1]) &&
                                !AfterOperand())) {
        Number();
      } else if (c == '"') {
        String();
      } else if (c == '#') {
        DateLiteral();
      } else if (c == '&' && pos_ + 1 < src_.size() &&
                 (src_[pos_ + 1] == 'h' || src_[pos_ + 1] == 'H' || src_[pos_ + 1] == 'o' ||
                  src_[pos_ + 1] == 'O') &&
                 pos_ + 2 < src_.size() &&
                 std::isxdigit(static_cast<unsigned char>(src_[pos_ + 2]))) {
        RadixNumber();
      } else {
        Operator();
      }
    }
    Push(Tok::EndOfStatement, "");
    Push(Tok::EndOfText, "");
    return std::move(tokens_);
  }

 private:
  [[noreturn]] void Fail(int number) { throw ScriptError(number, ErrorDescription(number), line_); }

  void Push(Tok kind, std::string text) {
    Token t;
    t.kind = kind;
    t.text = std::move(text);
    t.line = line_;
    t.spaceBefore = space_;
    space_ = false;
    tokens_.push_back(std::move(t));
  }

  bool AfterOperand() const {
    if (tokens_.empty() || space_) return false;
    const Token& t = tokens_.back();
    return t.kind == Tok::Identifier || t.kind == Tok::Literal || t.text == ")";
  }

  void NewLine() {
    if (src_[pos_] == '\r' && pos_ + 1 < src_.size() && src_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
    Push(Tok::EndOfStatement, "\n");
    ++line_;
  }

  void SkipComment() {
    while (pos_ < src_.size() && src_[pos_] != '\r' && src_[pos_] != '\n') ++pos_;
  }

  // " _" at the end of a line joins the next line to this one.
  bool IsContinuation() {
    size_t p = pos_ + 1;
    while (p < src_.size() && (src_[p] == ' ' || src_[p] == '\t')) ++p;
    if (p < src_.size() && src_[p] != '\r' && src_[p] != '\n') return false;
    if (p < src_.size() && src_[p] == '\r' && p + 1 < src_.size() && src_[p + 1] == '\n') ++p;
    pos_ = p < src_.size() ? p + 1 : p;
    ++line_;
    space_ = true;
    return true;
  }

  void Identifier() {
    const size_t start = pos_;
    while (pos_ < src_.size() && IsIdentChar(src_[pos_])) ++pos_;
    std::string_view word = src_.substr(start, pos_ - start);
    std::string lower = ToLower(word);
    if (lower == "rem") {
      SkipComment();
      return;
    }
    Push(Tok::Identifier, std::string(word));
    tokens_.back().lower = std::move(lower);
  }

  void Number() {
    const size_t start = pos_;
    bool integral = true;
    while (pos_ < src_.size() && IsDigit(src_[pos_])) ++pos_;
    if (pos_ < src_.size() && src_[pos_] == '.') {
      integral = false;
      ++pos_;
      while (pos_ < src_.size() && IsDigit(src_[pos_])) ++pos_;
    }
    if (pos_ < src_.size() && (src_[pos_] == 'e' || src_[pos_] == 'E')) {
      size_t p = pos_ + 1;
      if (p < src_.size() && (src_[p] == '+' || src_[p] == '-')) ++p;
      if (p < src_.size() && IsDigit(src_[p])) {
        integral = false;
        pos_ = p;
        while (pos_ < src_.size() && IsDigit(src_[pos_])) ++pos_;
      }
    }
    auto value = ParseNumber(src_.substr(start, pos_ - start));
    if (!value) Fail(err::Overflow);
    Push(Tok::Literal, std::string(src_.substr(start, pos_ - start)));
    tokens_.back().value = NumberLiteral(*value, integral);
  }

  void RadixNumber() {
    const size_t start = pos_;
    pos_ += 2;
    while (pos_ < src_.size() && std::isxdigit(static_cast<unsigned char>(src_[pos_]))) ++pos_;
    std::string_view digits = src_.substr(start, pos_ - start);
    auto value = ParseNumber(digits);
    if (!value) Fail(err::SyntaxError);
    Variant literal = NumberLiteral(*value, true);
    // A trailing "&" reads the digits as 32 bits: &HFFFF& is 65535, not -1; a value that fits
    // an Integer stays one (&H10& is Integer 16).
    if (pos_ < src_.size() && src_[pos_] == '&') {
      ++pos_;
      const bool hex = src_[start + 1] == 'h' || src_[start + 1] == 'H';
      uint64_t raw = 0;
      for (char c : digits.substr(2)) {
        const int d = IsDigit(c) ? c - '0' : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        raw = raw * (hex ? 16 : 8) + static_cast<uint64_t>(d);
        if (raw > 0xFFFFFFFFull) Fail(err::SyntaxError);
      }
      literal = NumberLiteral(static_cast<int32_t>(static_cast<uint32_t>(raw)), true);
    }
    Push(Tok::Literal, std::string(digits));
    tokens_.back().value = std::move(literal);
  }

  void String() {
    std::string text;
    ++pos_;
    for (;;) {
      if (pos_ >= src_.size() || src_[pos_] == '\r' || src_[pos_] == '\n') Fail(1033);
      if (src_[pos_] == '"') {
        if (pos_ + 1 < src_.size() && src_[pos_ + 1] == '"') {
          text += '"';
          pos_ += 2;
          continue;
        }
        ++pos_;
        break;
      }
      text += src_[pos_++];
    }
    Push(Tok::Literal, "\"");
    tokens_.back().value = Variant::String(std::move(text));
  }

  void DateLiteral() {
    const size_t start = ++pos_;
    while (pos_ < src_.size() && src_[pos_] != '#' && src_[pos_] != '\r' && src_[pos_] != '\n') {
      ++pos_;
    }
    if (pos_ >= src_.size() || src_[pos_] != '#') Fail(err::SyntaxError);
    auto date = ParseDate(src_.substr(start, pos_ - start), year_);
    ++pos_;
    if (!date) Fail(err::SyntaxError);
    Push(Tok::Literal, "#");
    tokens_.back().value = Variant::Date(*date);
  }

  void Operator() {
    const char c = src_[pos_];
    const char n = pos_ + 1 < src_.size() ? src_[pos_ + 1] : '\0';
    std::string op(1, c);
    if ((c == '<' && (n == '>' || n == '=')) || (c == '>' && (n == '=' || n == '<')) ||
        (c == '=' && (n == '<' || n == '>'))) {
      // "><" is "<>", "=<" is "<=", "=>" is ">=".
      op = c == '<'               ? std::string("<") + n
           : n == '<' && c == '>' ? "<>"
           : c == '>'             ? ">="
           : n == '<'             ? "<="
                                  : ">=";
      pos_ += 2;
    } else if (std::string_view("+-*/\\^&=<>(),.").find(c) == std::string_view::npos) {
      Fail(1032);
    } else {
      ++pos_;
    }
    Push(Tok::Operator, std::move(op));
  }

  std::string_view src_;
  int year_;
  size_t pos_ = 0;
  int line_ = 1;
  bool space_ = false;
  std::vector<Token> tokens_;
};

}  // namespace

std::vector<Token> Tokenize(std::string_view text, int currentYear) {
  return Scanner(text, currentYear).Run();
}

}  // namespace kavro::vbs
