#include "platform/qt/qt_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "platform/qt/qt_convert.h"

namespace m1::qt {

QString MessageText(const std::string& text) {
  QString out = FromText(text);
  out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return out;
}

namespace {

QString QtPatterns(QString pattern) {
  QStringList parts = pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
  for (QString& p : parts) {
    p = p.trimmed();
    if (p == QStringLiteral("*.*")) p = QStringLiteral("*");
  }
  parts.removeAll(QString());
  return parts.isEmpty() ? QStringLiteral("*") : parts.join(QLatin1Char(' '));
}

// The Open dialog starts where the sample images are: beside the program in the build folder,
// or, once installed to PREFIX/bin, in PREFIX/share/m1view/samples.
QString StartFolder() {
  const QString program = QCoreApplication::applicationDirPath();
  const QStringList images{QStringLiteral("*.dsk"), QStringLiteral("*.jv3"),
                           QStringLiteral("*.dmk")};
  if (!QDir(program).entryList(images, QDir::Files).isEmpty()) return program;
  const QDir installed(program + QStringLiteral("/../share/m1view/samples"));
  return installed.exists() ? installed.absolutePath() : program;
}

}  // namespace

QStringList QtFilters(const std::string& filter) {
  const QStringList fields = FromText(filter).split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
    QString name = fields[i].trimmed();
    const QString patterns = QtPatterns(fields[i + 1]);
    // "Dsk Files (*.dsk)" names its patterns already; Qt reads the patterns from the last
    // brackets, so the shown brackets are replaced by the ones Qt is to use.
    const qsizetype open = name.lastIndexOf(QLatin1Char('('));
    if (open >= 0 && name.endsWith(QLatin1Char(')'))) name = name.left(open).trimmed();
    out << QStringLiteral("%1 (%2)").arg(name, patterns);
  }
  return out;
}

void QtDialogs::MsgBox(const std::string& text, const std::string& title, MsgIcon icon) {
  QMessageBox box(icon == MsgIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                  FromText(title), MessageText(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

std::optional<std::string> QtDialogs::ShowOpen(const std::string& filter, int filterIndex) {
  const QStringList filters = QtFilters(filter);
  QString selected;
  if (filterIndex >= 1 && filterIndex <= filters.size()) selected = filters[filterIndex - 1];
  if (folder_.isEmpty()) folder_ = StartFolder();
  const QString path =
      QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), folder_,
                                   filters.join(QStringLiteral(";;")), &selected);
  if (path.isEmpty()) return std::nullopt;
  folder_ = QFileInfo(path).absolutePath();
  return ToText(path);
}

}  // namespace m1::qt
