#pragma once

#include "text/RegionalSettings.h"

namespace app {

// The regional settings the programs start with: the user's locale, or on
// POSIX systems the Czech settings when the environment names none (plain C
// or POSIX), since the program is made for Czech dealers and their lists use
// decimal commas. On Windows the region the user chose in the control panel.
text::TRegionalSettings UserRegion();

}  // namespace app
