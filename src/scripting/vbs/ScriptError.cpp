#include "scripting/vbs/ScriptError.h"

#include <array>
#include <cstdint>
#include <new>
#include <utility>

namespace kavro::vbs {

std::string ErrorDescription(int number) {
  static constexpr std::array<std::pair<int, const char*>, 63> kTexts{{
      {3, "Return without GoSub"},
      {5, "Invalid procedure call or argument"},
      {6, "Overflow"},
      {7, "Out of memory"},
      {9, "Subscript out of range"},
      {10, "This array is fixed or temporarily locked"},
      {11, "Division by zero"},
      {13, "Type mismatch"},
      {14, "Out of string space"},
      {17, "Can't perform requested operation"},
      {28, "Out of stack space"},
      {35, "Sub or Function not defined"},
      {48, "Error in loading DLL"},
      {51, "Internal error"},
      {52, "Bad file name or number"},
      {53, "File not found"},
      {54, "Bad file mode"},
      {55, "File already open"},
      {57, "Device I/O error"},
      {58, "File already exists"},
      {61, "Disk full"},
      {62, "Input past end of file"},
      {67, "Too many files"},
      {68, "Device unavailable"},
      {70, "Permission denied"},
      {71, "Disk not ready"},
      {74, "Can't rename with different drive"},
      {75, "Path/File access error"},
      {76, "Path not found"},
      {91, "Object variable not set"},
      {92, "For loop not initialized"},
      {94, "Invalid use of Null"},
      {424, "Object required"},
      {438, "Object doesn't support this property or method"},
      {445, "Object doesn't support this action"},
      {450, "Wrong number of arguments or invalid property assignment"},
      {451, "Object not a collection"},
      {458, "Variable uses an Automation type not supported in VBScript"},
      {500, "Variable is undefined"},
      {501, "Illegal assignment"},
      {1001, "Out of memory"},
      {1002, "Syntax error"},
      {1003, "Expected ':'"},
      {1005, "Expected '('"},
      {1006, "Expected ')'"},
      {1010, "Expected identifier"},
      {1011, "Expected '='"},
      {1012, "Expected 'If'"},
      {1013, "Expected 'To'"},
      {1014, "Expected 'End'"},
      {1015, "Expected 'Function'"},
      {1016, "Expected 'Sub'"},
      {1017, "Expected 'Then'"},
      {1018, "Expected 'Wend'"},
      {1019, "Expected 'Loop'"},
      {1020, "Expected 'Next'"},
      {1021, "Expected 'Case'"},
      {1022, "Expected 'Select'"},
      {1023, "Expected expression"},
      {1024, "Expected statement"},
      {1025, "Expected end of statement"},
      {1033, "Unterminated string constant"},
      {9000, "Script execution time was exceeded"},
  }};
  static constexpr std::array<std::pair<int, const char*>, 13> kMore{{
      {429, "ActiveX component can't create object"},
      {457, "This key is already associated with an element of this collection"},
      {32811, "Element not found"},
      {1026, "Expected integer constant"},
      {1032, "Invalid character"},
      {1039, "Invalid 'exit' statement"},
      {1041, "Name redefined"},
      {1042, "Must be first statement on the line"},
      {1044, "Cannot use parentheses when calling a Sub"},
      {1045, "Expected literal constant"},
      {1046, "Expected 'In'"},
      {1027, "Expected 'While' or 'Until'"},
      {1028, "Expected 'While', 'Until' or end of statement"},
  }};
  for (const auto& [n, text] : kTexts) {
    if (n == number) return text;
  }
  for (const auto& [n, text] : kMore) {
    if (n == number) return text;
  }
  return "Unknown runtime error";
}

ScriptError CaughtScriptError(int line) {
  std::string detail;
  try {
    throw;
  } catch (const ScriptError& e) {
    ScriptError copy = e;
    if (copy.Line() == 0) copy.SetLine(line);
    return copy;
  } catch (const std::bad_alloc&) {
    return ScriptError(err::OutOfMemory, ErrorDescription(err::OutOfMemory), line);
  } catch (const std::exception& e) {
    detail = e.what();
  } catch (...) {
    detail = "an exception of an unknown kind";
  }
  constexpr size_t kLongestDetail = 200;  // a runaway text stays readable
  if (detail.size() > kLongestDetail) detail = detail.substr(0, kLongestDetail) + "...";
  return ScriptError(err::Internal, ErrorDescription(err::Internal), line, std::move(detail));
}

int ErrorNumberFromHresult(int32_t number) {
  const uint32_t code = static_cast<uint32_t>(number);
  if ((code & 0xFFFF0000u) == 0x800A0000u) return static_cast<int>(code & 0xFFFFu);
  static constexpr std::array<std::pair<uint32_t, int>, 12> kSystem{{
      {0x8007000Eu, 7},    // E_OUTOFMEMORY
      {0x80070057u, 5},    // E_INVALIDARG
      {0x80004001u, 445},  // E_NOTIMPL
      {0x80070005u, 70},   // E_ACCESSDENIED
      {0x80004002u, 430},  // E_NOINTERFACE
      {0x80020003u, 438},  // DISP_E_MEMBERNOTFOUND
      {0x80020005u, 13},   // DISP_E_TYPEMISMATCH
      {0x80020006u, 438},  // DISP_E_UNKNOWNNAME
      {0x8002000Au, 6},    // DISP_E_OVERFLOW
      {0x8002000Bu, 9},    // DISP_E_BADINDEX
      {0x8002000Eu, 450},  // DISP_E_BADPARAMCOUNT
      {0x80020012u, 11},   // DISP_E_DIVBYZERO
  }};
  for (const auto& [hresult, mapped] : kSystem) {
    if (hresult == code) return mapped;
  }
  return number;
}

}  // namespace kavro::vbs
