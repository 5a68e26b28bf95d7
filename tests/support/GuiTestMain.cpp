// Test entry point for the drawing layer: a Qt GUI application, for the fonts the sprite numbers
// are drawn in, and nothing of Qt Widgets. Offscreen unless the caller chose a platform.
#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
