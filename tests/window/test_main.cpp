#include <gtest/gtest.h>
#include <QApplication>

#include "font_substitutions.h"

int main(int argc, char** argv) {
  // The window is driven without a screen, also when the test list is read.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  corvela::installFontSubstitutions();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
