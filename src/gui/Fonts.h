#pragma once

#include <QFont>

namespace gui {

// The windows are laid out for Tahoma. A system without it gets the
// metric-compatible Tahoma that Debian's fonts-wine ships, registered with
// the application; without that the nearest sans-serif font stands in.
void EnsureTahoma();

// Tahoma at `points` points.
QFont TahomaFont(int points);

}  // namespace gui
