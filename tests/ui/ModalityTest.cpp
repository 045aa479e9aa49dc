// While a dialog or box is open, the main window takes no click and no menu
// command, but the help window can be scrolled and closed. The input goes
// through the window system (QTest on QWindow), where Qt's modal blocking
// decides who receives it.
#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

#include "HelpWindow.h"
#include "ModalAnswers.h"
#include "TestWindow.h"

using namespace ui_test;

namespace {

// Clicks a card of the hand, then the Game menu's title; true for each
// that the main window took.
std::pair<bool, bool> ClickMainWindow(TfrmVarlo& window) {
  const auto before = window.Match().Players[0].Cards;
  QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                    window.Table()->mapTo(&window, QPoint(20 + 74 * 3 + 30, 60)));
  QMenuBar* bar = window.menuBar();
  QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                    bar->mapTo(&window, bar->actionGeometry(bar->actions().first()).center()));
  const bool menu = QApplication::activePopupWidget() != nullptr;
  if (menu) QApplication::activePopupWidget()->close();
  return {window.Match().Players[0].Cards != before, menu};
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
  for (const char* name : {"miNew", "miScore", "miTop", "miPlayerName", "miFont", "miBackground",
                           "miOpponents", "About1", "message", "exit"})
    QTest::newRow(name) << QString::fromLatin1(name);
}

void TModalityTest::OnlyTheMainWindowIsBlocked() {
  QFETCH(QString, opener);
  TTestWindow window;
  DealWhistHeartsToHuman(window->Match());
  bool scrolled = false, closed = false;
  std::pair<bool, bool> taken{true, true};
  AnswerNextModal([&](QWidget* modal) {
    window->findChild<QAction*>("miVarloHelp")->trigger();
    THelpWindow* help = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<THelpWindow*>(w) && w->isVisible()) help = static_cast<THelpWindow*>(w);
    if (help && QTest::qWaitForWindowExposed(help)) {
      help->resize(400, 200);
      help->Browser()->setFocus();
      QTest::qWait(20);
      const int top = help->Browser()->verticalScrollBar()->value();
      QTest::keyClick(help->windowHandle(), Qt::Key_PageDown);
      scrolled = help->Browser()->verticalScrollBar()->value() > top;
      QPointer<THelpWindow> alive(help);
      QTest::keyClick(help->windowHandle(), Qt::Key_Escape);
      closed = !alive || !alive->isVisible();
    }
    taken = ClickMainWindow(*window);
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
  QVERIFY2(scrolled && closed, "the help window scrolls and closes");
  QCOMPARE(taken, std::make_pair(false, false));
  // Closed, the same clicks reach the table and the menu.
  window->Match().Players[0].Cards[3] = 3;
  QCOMPARE(ClickMainWindow(*window), std::make_pair(true, true));
}

QTEST_MAIN(TModalityTest)
#include "ModalityTest.moc"
