#pragma once
// Reading Fuzzy Control Language, the first of the import's three stages: the text split into
// words, numbers and symbols (tokens carry their line and column) and parsed into its blocks,
// the note block's lines split into keys and values. Nothing of the controller yet: FclShape
// places the parts in the controller's slots, FclImport builds the configuration from them.
#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/Dimensions.h"

namespace kavro {

// A failure with the place it was found.
struct FclFailure {
  std::string message;
  int line;
  int column;
};

enum class TokenKind { Word, Number, Symbol, End };

struct Token {
  TokenKind kind = TokenKind::End;
  std::string text;
  int line = 0;
  int column = 0;
};

struct NoteLine {
  std::string text;
  int line;
};

struct TermText {
  std::string id;
  std::array<float, NumPoints + 1> points{};
  std::array<float, NumPoints + 1> values{};
  float singleton = 0;
  Token at;
};

struct Condition {
  Token variable;
  Token term;
};

struct RuleText {
  Token at;
  int number = 0;
  int op = 0;  // operator slot
  std::vector<Condition> conditions;
  std::vector<Condition> conclusions;
};

// The note block's keys (with their lines) and unescaped values, in file order.
using FclNotes = std::vector<std::pair<NoteLine, std::string>>;

struct FclFile {
  std::string name;
  std::vector<Token> inputs, outputs;
  std::map<std::string, std::vector<TermText>> fuzzify, defuzzify;
  std::map<std::string, std::optional<float>> defaults;
  std::vector<RuleText> rules;
  FclNotes notes;
};

// The whole file; throws FclFailure at the first thing that does not read, parsing errors
// before note errors.
FclFile ReadFcl(const std::string& text);

// The controller's rule a FCL rule number or a "Rule7.Operator" note names; 0 when it names
// none (a fraction, a number past the last rule, no number at all).
int RuleNumber(std::string_view text);

}  // namespace kavro
