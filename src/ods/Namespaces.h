#pragma once

namespace xlsx {
class TXMLWriter;
}

namespace ods {

// The namespace declarations every part of the package opens with, and its version.
inline constexpr const char* kOdfVersion = "1.3";
void WriteNamespaces(xlsx::TXMLWriter& w);

}  // namespace ods
