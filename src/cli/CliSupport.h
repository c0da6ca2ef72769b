#pragma once

#include <string>

#include "text/RegionalSettings.h"

namespace cli {

// The program is made for Czech dealers: when the environment names no
// locale at all (plain C or POSIX), the Czech regional settings apply.
text::TRegionalSettings DefaultRegion();

std::string WithoutTrailingDelimiters(std::string path);

}  // namespace cli
