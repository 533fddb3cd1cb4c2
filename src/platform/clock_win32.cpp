#include <windows.h>

#include "platform/platform.h"

namespace hibiopen::platform {

bool local_today(CivilDate* today) {
  // The wall clock of the time zone set for the system; yesterday is worked
  // out from this date by calendar arithmetic.
  SYSTEMTIME now;
  GetLocalTime(&now);
  today->year = now.wYear;
  today->month = now.wMonth;
  today->day = now.wDay;
  return true;
}

}  // namespace hibiopen::platform
