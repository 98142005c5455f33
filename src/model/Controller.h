#pragma once
// Everything one running controller holds: the store, the main grid and output strip, the
// window state, and the ports through which the core reaches the world. Commands and the cycle
// take a Controller& and work on it in place.
#include "common/ports/Ports.h"
#include "model/ControllerModel.h"
#include "model/EventLog.h"
#include "model/MainGrid.h"
#include "model/WindowState.h"

namespace kavro {

struct Controller {
  ControllerModel model;
  MainGrid grid;       // MSHFlexGrid1
  OutputStrip strip;   // MSHFlexGrid4
  WindowState window;
  EventLog events;
  Ports ports;
};

}  // namespace kavro
