#pragma once
// SQLite's own system layer with a switch: while `failWrites` holds a result code, every write
// and sync of any file fails with it (SQLITE_FULL for a full disk, SQLITE_IOERR_WRITE for a file
// system gone read-only). Registered once under kFaultyVfsName.
#include <atomic>

namespace kavro::test {

inline constexpr const char* kFaultyVfsName = "kavro-faulty";

struct FaultyVfs {
  // Registers the layer (once per process) and returns its switch, reset to "no fault".
  static FaultyVfs& Install();
  std::atomic<int> failWrites = 0;  // read on the recorder's thread
};

}  // namespace kavro::test
