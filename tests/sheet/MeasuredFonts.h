#pragma once

#include <string>

#include "sheet/TextMeasure.h"

namespace sheet {

// A font as the measuring tests name it.
inline TMeasuredFont Font(const std::string& name, double size, bool bold = false) {
  TMeasuredFont font;
  font.fName = name;
  font.fSize = size;
  font.fBold = bold;
  return font;
}

}  // namespace sheet
