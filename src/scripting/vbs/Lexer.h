#pragma once
// Scanner: script text to tokens, each with its 1-based line. Comments (' and Rem) and " _"
// line continuations are dropped here; ':' and line ends both end a statement.
#include <string>
#include <string_view>
#include <vector>

#include "scripting/vbs/Variant.h"

namespace kavro::vbs {

enum class Tok {
  Identifier,  // also keywords; the parser tells them apart
  Literal,     // number, string or date
  Operator,    // + - * / \ ^ & = <> < > <= >= ( ) , .
  EndOfStatement,
  EndOfText,
};

struct Token {
  Tok kind = Tok::EndOfText;
  std::string text;   // identifier as written, or the operator
  std::string lower;  // identifier in lower case
  Variant value;      // literal value
  int line = 1;
  bool spaceBefore = false;  // a blank separates it from the previous token
};

// Throws ScriptError (1032 invalid character, 1033 unterminated string, 1002 bad literal) with
// the line. currentYear completes date literals written without a year.
std::vector<Token> Tokenize(std::string_view text, int currentYear);

}  // namespace kavro::vbs
