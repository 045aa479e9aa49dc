// The program's start: the application, the one main window, the event loop.
#include <QApplication>
#include <QIcon>
#include <QTimer>

#include "MainForm.h"
#include "Resources.h"
#include "varlo_release.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Varlo"));
  QApplication::setApplicationVersion(QLatin1String(varlo::Version));
  // Lets the desktop match the window to its desktop entry and icon.
  QGuiApplication::setDesktopFileName(QLatin1String(varlo::DesktopId));
  LoadVarloResources();

  frmVarlo = new TfrmVarlo;
  // Closing the window ends the program and frees it.
  frmVarlo->setAttribute(Qt::WA_DeleteOnClose);
  frmVarlo->show();
  QTimer::singleShot(0, frmVarlo, &TfrmVarlo::OfferToContinue);
  return app.exec();
}
