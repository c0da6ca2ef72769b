#include "app/UserRegion.h"

namespace app {

// Windows always has a region of the user's choice: the control panel's.
text::TRegionalSettings UserRegion() { return text::TRegionalSettings::FromUserLocale(); }

}  // namespace app
