#include "common/WholeFileStream.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>

namespace kavro {

bool WriteWholeFileStream(const std::string& path,
                          const std::function<void(std::ostream&)>& write) {
  std::string part = path;
  part.append(".part").append(std::to_string(getpid()));
  std::ofstream file(part, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  write(file);
  file.close();
  if (!file || std::rename(part.c_str(), path.c_str()) != 0) {
    std::remove(part.c_str());
    return false;
  }
  return true;
}

}  // namespace kavro
