#pragma once
// Script errors: VBScript's standard numbers and descriptions, with the line where they arose.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kavro::vbs {

// Standard error numbers the interpreter raises.
namespace err {
inline constexpr int InvalidCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int ArrayFixed = 10;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int OutOfStringSpace = 14;
inline constexpr int OutOfStackSpace = 28;
inline constexpr int Internal = 51;
inline constexpr int NotDefined = 35;
inline constexpr int InvalidUseOfNull = 94;
inline constexpr int ObjectRequired = 424;
inline constexpr int CannotCreateObject = 429;
inline constexpr int NoSuchMember = 438;
inline constexpr int NotSupported = 445;
inline constexpr int WrongArgCount = 450;
inline constexpr int NotACollection = 451;
inline constexpr int KeyExists = 457;
inline constexpr int UnsupportedType = 458;
inline constexpr int Undefined = 500;
inline constexpr int IllegalAssignment = 501;
inline constexpr int SyntaxError = 1002;
inline constexpr int ElementNotFound = 32811;
inline constexpr int TimeLimit = 9000;  // our own: the run outlived its time limit
}  // namespace err

// VBScript's description of a standard error number ("Type mismatch" for 13); for an unknown
// number the generic "Unknown runtime error".
std::string ErrorDescription(int number);

// The error number a script sees for a number raised as an HRESULT: the language's own facility
// (&H800A....) gives its low word, a few system codes their run-time equivalents
// (&H8007000E "out of memory" is 7); any other number stays as it is.
int ErrorNumberFromHresult(int32_t number);

class ScriptError : public std::runtime_error {
 public:
  // detail says what the error concerns ("'Tank'"): a host shows it after the description,
  // the script's Err.Description never does.
  ScriptError(int number, std::string description, int line = 0, std::string detail = {})
      : std::runtime_error(detail.empty() ? description : description + ": " + detail),
        number_(number),
        description_(std::move(description)),
        detail_(std::move(detail)),
        line_(line) {}
  explicit ScriptError(int number) : ScriptError(number, ErrorDescription(number)) {}
  // The standard error of that number about a name: "Variable is undefined: 'x'" for a host.
  static ScriptError AboutName(int number, std::string_view name, int line) {
    // Appended, not "'" + name: a literal before a string trips GCC 12's -O3 -Wrestrict.
    std::string quoted;
    quoted.append("'").append(name).append("'");
    return ScriptError(number, ErrorDescription(number), line, std::move(quoted));
  }

  int Number() const { return number_; }
  // The language's own text, as Err.Description reads it.
  const std::string& Description() const { return description_; }
  // What a host shows: the description and, when known, what it concerns.
  std::string Message() const { return what(); }
  const std::string& Detail() const { return detail_; }
  int Line() const { return line_; }  // 1-based line of the code text; 0 when not known
  void SetLine(int line) { line_ = line; }
  // Err.Source of the error; empty for the interpreter's own errors.
  const std::string& Source() const { return source_; }
  void SetSource(std::string source) { source_ = std::move(source); }
  // Err.HelpFile and Err.HelpContext, as a script's Err.Raise gave them.
  const std::string& HelpFile() const { return helpFile_; }
  int HelpContext() const { return helpContext_; }
  void SetHelp(std::string file, int context) {
    helpFile_ = std::move(file);
    helpContext_ = context;
  }

 private:
  int number_;
  std::string description_;
  std::string detail_;
  int line_;
  std::string source_;
  std::string helpFile_;
  int helpContext_ = 0;
};

// The exception being handled, inside a catch block, as the script error a script sees, at that
// line when it has none: a script error as it is, running out of memory 7 "Out of memory", any
// other fault of the program 51 "Internal error" naming it (a built-in or host procedure that
// throws something else is at fault, but the script and the engine go on as after any other
// run-time error).
ScriptError CaughtScriptError(int line);

}  // namespace kavro::vbs
