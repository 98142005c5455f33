// Built by the layer check beside HistoryReachesUp.cpp: the history sees the engine's layers.
#include "engine/ControlCycle.h"
#include "history/HistoryRecorder.h"
