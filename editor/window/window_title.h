#pragma once
#include <QLatin1Char>
#include <QString>

namespace corvela {

// "Corvela Ver. 1.0 (buid: 020) by Tavrin" for the program's version.
inline QString windowTitleFor(int major, int minor, int revision) {
  return QStringLiteral("Corvela Ver. %1.%2 (buid: %3) by Tavrin")
      .arg(major)
      .arg(minor)
      .arg(revision, 3, 10, QLatin1Char('0'));
}

}  // namespace corvela
