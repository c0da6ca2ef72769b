#pragma once

#include <istream>
#include <string>

namespace text {

// Everything left in a stream, read in large blocks (iterating a stream
// buffer character by character costs several nanoseconds a byte, which
// shows on pictures and customer lists). Sets badbit on a read error.
std::string ReadAll(std::istream& in);

}  // namespace text
