#pragma once
// Parser: tokens to a Program (procedures and top-level statements). Syntax errors carry
// VBScript's compile error numbers (1002 "Syntax error", 1025 "Expected end of statement", ...)
// and the line. Nesting deeper than maxNesting ends with error 28 instead of using up the stack.
#include <string_view>

#include "scripting/vbs/Ast.h"

namespace kavro::vbs {

std::unique_ptr<Program> ParseProgram(std::string_view text, int currentYear, int maxNesting);

}  // namespace kavro::vbs
