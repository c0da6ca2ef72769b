#include "gui/Fonts.h"

#include <QFile>
#include <QFontDatabase>

namespace gui {

void EnsureTahoma() {
  if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) return;
  for (const char* file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf",
                           "/usr/share/fonts/truetype/wine/tahoma.ttf"}) {
    if (QFile::exists(QString::fromUtf8(file))) QFontDatabase::addApplicationFont(QString::fromUtf8(file));
  }
}

QFont TahomaFont(int points) {
  QFont font(QStringLiteral("Tahoma"), points);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace gui
