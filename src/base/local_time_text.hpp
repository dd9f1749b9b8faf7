// The local date and time as the user has chosen to see them: the texts the output folder is named
// from. Each reads the clock itself; read the time after the date.
#pragma once

#include <string>

namespace velmora {

// Today, in the user's short date format ("08.12.2026", "12/8/2026").
std::string local_short_date_text();
// Now, in the user's time format with seconds ("0:15:21", "2:05:09 PM").
std::string local_long_time_text();

}  // namespace velmora
