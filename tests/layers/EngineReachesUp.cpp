// Built only by the layer check: the engine may not see the session layer above it, so this
// include must fail to compile.
#include "session/Startup.h"
