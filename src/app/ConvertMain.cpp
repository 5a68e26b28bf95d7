// kelvane-convert: the editor's formats and exports for build scripts, without a window. It
// needs no display: PNG pictures are made with Qt's image code alone, which no platform plugin
// or application object is needed for.
#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "app/ConvertOptions.h"
#include "app/Converter.h"

int main(int argc, char** argv) {
  // Under a file-size limit a write must fail with EFBIG and be reported, not kill the process
  // between writing the new file and renaming it.
  std::signal(SIGXFSZ, SIG_IGN);
  // PNG is built into Qt Gui; searching the image plugins would load every one of them (and
  // their libraries) and cost more than a whole conversion.
  QCoreApplication::setLibraryPaths({});
  // Qt's image code reports a damaged PNG on standard error itself; the converter says what went
  // wrong in its own one line.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  const kelvane::ConvertOptions options =
      kelvane::ParseConvertOptions(std::vector<std::string>(argv, argv + argc));
  return kelvane::RunConverter(options, stdout, stderr);
}
