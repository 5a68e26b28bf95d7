// The floor for converter_process: a program that does nothing, linked like kelvane-convert.
// Touching Qt Core and Qt Gui keeps the linker from dropping them, so starting it loads the same
// libraries the converter loads.
#include <QImage>

int main() {
  return QImage().isNull() && qVersion() != nullptr ? 0 : 1;
}
