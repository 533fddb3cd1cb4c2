#include <ctime>

#include "platform/platform.h"

namespace hibiopen::platform {

bool local_today(CivilDate* today) {
  // time_t is 64 bits wide here; localtime_r follows TZ.
  const std::time_t now = std::time(nullptr);
  std::tm local;
  if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr) {
    return false;
  }
  today->year = local.tm_year + 1900;
  today->month = local.tm_mon + 1;
  today->day = local.tm_mday;
  return true;
}

}  // namespace hibiopen::platform
