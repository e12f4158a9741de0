#include "shell/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QMessageBox>
#include <QStyleHints>
#include <clocale>

#include "platform/Desktop.h"
#include "platform/MessageBox.h"

namespace {

QString MessageText(std::string_view text) {
  QString result = QString::fromUtf8(text.data(), qsizetype(text.size()));
  result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return result;
}

void ShowQtMessageBox(std::string_view caption, std::string_view text) {
  QMessageBox box(QMessageBox::NoIcon, MessageText(caption), MessageText(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

}  // namespace

void InstallQtPlatform() {
  // QApplication adopts the user's locale for the C library; Lua source text is built
  // from formatted numbers and needs ".".
  std::setlocale(LC_NUMERIC, "C");
  QLocale::setDefault(QLocale::c());
  SetMessageBoxHandler(ShowQtMessageBox);
  SetPlatformServices({
      [] { return QGuiApplication::clipboard()->text().toStdString(); },
      [](const std::string& text) { QGuiApplication::clipboard()->setText(QString::fromStdString(text)); },
      [] { return uint32_t(QGuiApplication::styleHints()->mouseDoubleClickInterval()); },
  });
}
