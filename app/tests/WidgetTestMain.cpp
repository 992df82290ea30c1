// The widget tests run on the offscreen platform inside one QApplication.
#include <QApplication>
#include <gtest/gtest.h>

#include "app/ThemeIcons.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  vantry::app::PrepareIconTheme();
  return RUN_ALL_TESTS();
}
