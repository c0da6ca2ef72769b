#include "text/SystemMessage.h"

#include <cstring>

namespace text {

std::string SystemErrorMessage(unsigned long code) { return std::strerror(static_cast<int>(code)); }

}  // namespace text
