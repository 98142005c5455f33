#pragma once
// Binds every name of a parsed program to where it lives: a frame slot, a global variable, a
// constant's value, a procedure, a built-in or a host member. Declares the program's globals and,
// when the whole program resolved, binds its procedures as global names.
#include <memory>

#include "scripting/vbs/Ast.h"

namespace kavro::vbs {

class Interpreter;

void ResolveProgram(Interpreter& it, const std::shared_ptr<Program>& program);

}  // namespace kavro::vbs
