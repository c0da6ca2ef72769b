#pragma once

#include <QString>
#include <string>

// The offer keeps UTF-8 texts; the widgets take QStrings.
namespace gui {

inline QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }
inline std::string S(const QString& text) { return text.toStdString(); }

}  // namespace gui
