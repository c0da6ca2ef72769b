#pragma once

#include <QString>
#include <string>
#include <string_view>

// The offer keeps UTF-8 texts; the widgets take QStrings.
namespace gui {

inline QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }
inline QString Q(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
inline std::string S(const QString& text) { return text.toStdString(); }

}  // namespace gui
