#pragma once
// The one error type of the core: a failure with a number and a description, as the operator
// sees them in a message ("Error Number = ", "Error Description = ").
#include <stdexcept>
#include <string>

namespace kavro {

class KavroError : public std::runtime_error {
 public:
  KavroError(int number, std::string description)
      : std::runtime_error(description), number_(number), description_(std::move(description)) {}
  int Number() const { return number_; }
  const std::string& Description() const { return description_; }

 private:
  int number_;
  std::string description_;
};

// Numbers and descriptions the core raises itself; they match the script language's own
// numbering so that a failure reads the same wherever it comes from.
namespace errors {
inline constexpr int kInvalidCall = 5;
inline constexpr const char* kInvalidCallText = "Invalid procedure call or argument";
inline constexpr int kOverflow = 6;
inline constexpr const char* kOverflowText = "Overflow";
inline constexpr int kSubscript = 9;
inline constexpr const char* kSubscriptText = "Subscript out of range";
inline constexpr int kDivisionByZero = 11;
inline constexpr const char* kDivisionByZeroText = "Division by zero";
inline constexpr int kTypeMismatch = 13;
inline constexpr const char* kTypeMismatchText = "Type mismatch";
inline constexpr int kOutOfMemory = 7;
inline constexpr const char* kOutOfMemoryText = "Out of memory";
inline constexpr int kInternal = 51;
inline constexpr const char* kInternalText = "Internal error";
inline constexpr int kBadFileName = 52;
inline constexpr const char* kBadFileNameText = "Bad file name or number";
inline constexpr int kFileNotFound = 53;
inline constexpr const char* kFileNotFoundText = "File not found";
inline constexpr int kInputPastEnd = 62;
inline constexpr const char* kInputPastEndText = "Input past end of file";
inline constexpr int kPathFileAccess = 75;
inline constexpr const char* kPathFileAccessText = "Path/File access error";
}  // namespace errors

}  // namespace kavro
