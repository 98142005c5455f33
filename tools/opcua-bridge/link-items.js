'use strict';
// The most items a controller's OPC link reads and writes in one cycle (its read and write tag
// slots, as the controller's link tables hold them). The bridge's and the simulator's warm-ups
// run cycles of this size, so the code compiled for them is the code a link's cycle runs.
module.exports = {
  READ_ITEMS: 33,
  WRITE_ITEMS: 4,
};
