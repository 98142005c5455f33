#include "common/LocalNow.h"

#include <algorithm>
#include <ctime>

namespace kavro {

DateTime LocalNow() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  // A leap second (60) is shown as 59: the date texts have no room for it.
  return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  local.tm_hour,        local.tm_min,     std::min(local.tm_sec, 59)};
}

}  // namespace kavro
