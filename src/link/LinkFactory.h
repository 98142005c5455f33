#pragma once
// Which link a switch-on makes: the one place that turns Program_Interface into a link kind.
#include <functional>
#include <memory>

#include "link/Link.h"

namespace kavro {

using LinkFactory = std::function<std::unique_ptr<Link>(const ControllerModel&)>;

// The file link, or for the two OPC names the OPC link (OPC UA through the bridge program).
std::unique_ptr<Link> MakeLink(const ControllerModel& model);

}  // namespace kavro
