// Built only by the layer check: the plant history sits beside the link, below the display
// that draws it, so this include must fail to compile.
#include "display/TrendPlot.h"
