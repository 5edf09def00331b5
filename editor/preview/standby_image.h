#pragma once
#include <QImage>

namespace corvela {

// The 176 x 220 standby picture the screen shows before any wallpaper.
QImage standbyImage();

}  // namespace corvela
