// Fuzz target: FCL import. Whatever a file holds, importing it must not crash, and a
// configuration it gives must come back the same through export-fcl and import-fcl again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/ConfigFile.h"
#include "config/FclExport.h"
#include "config/FclImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kavro;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const FclImportResult first = ImportFclText(text, ".");
  if (!first.error.empty()) return 0;
  const FclImportResult again = ImportFclText(FclText(first.model), ".");
  if (!again.error.empty()) std::abort();
  if (ConfigText(again.model, "date") != ConfigText(first.model, "date")) std::abort();
  return 0;
}
