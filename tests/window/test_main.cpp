#include <gtest/gtest.h>
#include <QApplication>
#include <QTemporaryDir>

#include "font_substitutions.h"
#include "qt_translation.h"

int main(int argc, char** argv) {
  // The window is driven without a screen, also when the test list is read.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The recent skins the tests open stay out of the user's own settings.
  QTemporaryDir settings;
  qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
  QApplication app(argc, argv);
  corvela::installFontSubstitutions();
  corvela::installQtTranslation(app);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
