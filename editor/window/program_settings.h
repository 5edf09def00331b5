#pragma once
#include <QSettings>

namespace corvela {

// The few things the program keeps across runs (recent skins, the image
// editor), in one place under the program's name.
inline QSettings programSettings() {
  return QSettings(QStringLiteral("Corvela"), QStringLiteral("Corvela"));
}

}  // namespace corvela
