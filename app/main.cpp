// m1view: a viewer for the floppy-disk image files (JV1, JV3, DMK) of Model 1 emulators. The main
// window is the only start-up object; the other two windows open from its buttons.
#include <QApplication>

#include "app/qt_host.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("m1view"));
  QApplication::setApplicationVersion(QStringLiteral("9.0"));
  QApplication::setOrganizationName(QStringLiteral("m1view developers"));
  // Every window closes through the program's own close rule, which ends the program.
  QApplication::setQuitOnLastWindowClosed(false);
  m1::qt::QtHost host;
  host.ShowForm(m1::FormId::Main);
  return QApplication::exec();
}
