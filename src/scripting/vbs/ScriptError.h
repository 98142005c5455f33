#pragma once
// Script errors: VBScript's standard numbers and descriptions, with the line where they arose.
#include <cstdint>
#include <stdexcept>
#include <string>

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
inline constexpr int NotDefined = 35;
inline constexpr int InvalidUseOfNull = 94;
inline constexpr int ObjectRequired = 424;
inline constexpr int NoSuchMember = 438;
inline constexpr int NotSupported = 445;
inline constexpr int WrongArgCount = 450;
inline constexpr int NotACollection = 451;
inline constexpr int UnsupportedType = 458;
inline constexpr int Undefined = 500;
inline constexpr int IllegalAssignment = 501;
inline constexpr int SyntaxError = 1002;
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
  ScriptError(int number, std::string description, int line = 0)
      : std::runtime_error(description),
        number_(number),
        description_(std::move(description)),
        line_(line) {}
  explicit ScriptError(int number) : ScriptError(number, ErrorDescription(number)) {}

  int Number() const { return number_; }
  const std::string& Description() const { return description_; }
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
  int line_;
  std::string source_;
  std::string helpFile_;
  int helpContext_ = 0;
};

}  // namespace kavro::vbs
