#pragma once

#include "sheet/Types.h"

namespace sheet {

// The RGB value (0xRRGGBB) writers put for a model colour: plain colours by
// their low 24 bits, system colours (top byte 0xFF) and the toolkit's default
// colour by a fixed table, no colour as black.
int ColorToRGB(TColor aColor);

}  // namespace sheet
