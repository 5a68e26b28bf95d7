// The least a Qt 6 Widgets program does to show a window: a QMainWindow holding a QLabel. Its
// start-up, heap and idle CPU are the floor Kelvane's are set beside.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setCentralWidget(new QLabel(QStringLiteral("Kelvane")));
  window.show();
  return app.exec();
}
