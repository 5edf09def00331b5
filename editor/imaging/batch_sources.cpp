#include "batch_sources.h"

#include <QDir>
#include <QFileInfo>

namespace corvela {

namespace {
bool isWindowsPathHere() {
  return QDir::separator() == u'\\';
}
}  // namespace

QString fixedColourSkin() {
  return isWindowsPathHere() && QFileInfo(kFixedColourSkin).isFile() ? kFixedColourSkin : QString();
}

QString fixedTestFolder() {
  return isWindowsPathHere() && QFileInfo(kFixedTestFolder).isDir() ? kFixedTestFolder : QString();
}

}  // namespace corvela
