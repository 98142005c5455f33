// Fuzz target: FLC.dat reading. Whatever a file holds, reading it must not crash, and what the
// controller would save after reading it must read back to the same configuration.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "config/ConfigFile.h"

namespace {

using namespace kavro;

std::string ReadAndDump(const std::string& bytes) {
  Controller controller;  // its messages go to nobody
  ResetModel(controller.model, ".");
  ApplyDefaults(controller.model);
  ReadConfigBytes(controller, bytes);
  return ConfigText(controller.model, "date");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string first = ReadAndDump(bytes);
  if (ReadAndDump(first) != first) std::abort();
  return 0;
}
