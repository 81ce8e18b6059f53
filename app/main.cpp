// m1view: a viewer for the floppy-disk image files (JV1, JV3, DMK) of Model 1 emulators. The main
// window is the only start-up object; the other two windows open from its buttons. A file named on
// the command line (as the desktop passes it for "Open with") opens in the main window at start.
#include <QApplication>
#include <QCommandLineParser>

#include "app/qt_host.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("m1view"));
  QApplication::setApplicationVersion(QStringLiteral("9.0"));
  QApplication::setOrganizationName(QStringLiteral("m1view developers"));

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QApplication::translate("main", "Look inside JV1, JV3 and DMK floppy-disk images."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("FILE"),
                               QApplication::translate("main", "The disk image to open at start."),
                               QStringLiteral("[FILE]"));
  parser.process(app);
  std::optional<std::string> file;
  if (!parser.positionalArguments().isEmpty())
    file = parser.positionalArguments().front().toStdString();

  // Every window closes through the program's own close rule, which ends the program.
  QApplication::setQuitOnLastWindowClosed(false);
  m1::qt::QtHost host;
  host.Start(file);
  return QApplication::exec();
}
