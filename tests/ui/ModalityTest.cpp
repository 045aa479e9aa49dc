// While a dialog or box is open, the main window takes no click and no menu
// command, but the help window takes keys (Escape closes it). The input goes
// through the window system (QTest on QWindow), where Qt's modal blocking
// decides who receives it: for the whole main window at once, so a click on
// its menu bar stands for any click on it.
#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QTest>

#include "HelpWindow.h"
#include "ModalAnswers.h"
#include "TestWindow.h"

using namespace ui_test;

namespace {

// Clicks the Game menu's title: true when the menu opened.
bool MenuOpens(TfrmVarlo& window) {
  QMenuBar* bar = window.menuBar();
  QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                    bar->mapTo(&window, bar->actionGeometry(bar->actions().first()).center()));
  QWidget* menu = QApplication::activePopupWidget();
  if (menu) menu->close();
  return menu;
}

}  // namespace

class TModalityTest : public QObject {
  Q_OBJECT

 private slots:
  void OnlyTheMainWindowIsBlocked_data();
  void OnlyTheMainWindowIsBlocked();
};

void TModalityTest::OnlyTheMainWindowIsBlocked_data() {
  QTest::addColumn<QString>("opener");
  for (const char* name : {"miNew", "miScore", "miTop", "miStatistics", "miPlayerName", "miFont",
                           "miBackground", "miPreferences", "About1", "message", "exit"})
    QTest::newRow(name) << QString::fromLatin1(name);
}

void TModalityTest::OnlyTheMainWindowIsBlocked() {
  QFETCH(QString, opener);
  TTestWindow window;
  bool helpClosed = false, menuOpened = true;
  AnswerNextModal([&](QWidget* modal) {
    window->findChild<QAction*>("miVarloHelp")->trigger();
    QPointer<THelpWindow> help;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* h = qobject_cast<THelpWindow*>(w); h && h->isVisible()) help = h;
    if (help && QTest::qWaitForWindowExposed(help)) {
      QTest::keyClick(help->windowHandle(), Qt::Key_Escape);
      helpClosed = !help || !help->isVisible();
    }
    menuOpened = MenuOpens(*window);
    if (auto* list = modal->findChild<QListWidget*>(QStringLiteral("clbGames")))
      list->item(varlo::Whist)->setCheckState(Qt::Checked);  // no further box follows
    if (auto* box = qobject_cast<QMessageBox*>(modal))
      return box->button(box->button(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok)->click();
    if (auto* ok = modal->findChild<QPushButton*>(QStringLiteral("btnOk"))) return ok->click();
    qobject_cast<QDialog*>(modal)->reject();
  });
  if (opener == QLatin1String("message"))
    window->ShowMessage(varlo::TBoxKind::Error, "Illegal move !!!");
  else if (opener == QLatin1String("exit"))
    window->close();
  else
    window->findChild<QAction*>(opener)->trigger();
  QVERIFY2(helpClosed, "the help window takes keys and closes");
  QVERIFY2(!menuOpened, "the main window takes no click");
  QVERIFY2(MenuOpens(*window), "once closed, the same click reaches the main window");
}

QTEST_MAIN(TModalityTest)
#include "ModalityTest.moc"
