// Built by the layer check beside EngineReachesUp.cpp: the same layer reaching down compiles,
// so the failure of its twin is the layer rule and nothing else.
#include "config/ConfigFile.h"
#include "engine/ControlCycle.h"
