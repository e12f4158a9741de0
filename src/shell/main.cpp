#include <QApplication>

#include "shell/FrmMain.h"
#include "shell/QtPlatform.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  InstallQtPlatform();
  TFrmMain window;
  window.show();
  return application.exec();
}
