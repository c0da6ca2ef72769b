#pragma once

#include "text/RegionalSettings.h"

namespace app {

// The regional settings the programs start with: the user's locale, or the
// Czech settings when the environment names none (plain C or POSIX), since
// the program is made for Czech dealers and their lists use decimal commas.
text::TRegionalSettings UserRegion();

}  // namespace app
