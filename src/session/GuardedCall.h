#pragma once
// Every call from the window into the core passes here. A failure stops the call and is shown
// to the operator as a menu command's failure is ("Error Number = ", "Error Description = "),
// so no exception ever leaves a window event handler; what the call had already changed stays.
#include <functional>

#include "model/Controller.h"

namespace kavro {

// Runs call; returns whether it ended without a failure.
bool RunGuarded(Controller& controller, const std::function<void()>& call);

}  // namespace kavro
