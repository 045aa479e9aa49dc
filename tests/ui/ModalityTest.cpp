// While a dialog or message box is open, the main window takes no click, no
// key and no menu command, but the help window can still be read, scrolled
// and closed. The input goes through the window system (QTest on QWindow),
// where Qt's modal blocking decides who gets it.
#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

#include "HelpWindow.h"
#include "ModalAnswers.h"
#include "TestWindow.h"

using namespace ui_test;

namespace {

// What the user could and could not do while one modal was open.
struct TWhileOpen {
  bool Seen = false;
  bool HelpScrolled = false;
  bool HelpClosed = false;
  bool TableTookTheClick = false;
  bool MenuOpened = false;
  QString AccessibleName;
};

THelpWindow* OpenHelp(TfrmVarlo& window) {
  window.findChild<QAction*>("miVarloHelp")->trigger();
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* help = qobject_cast<THelpWindow*>(w); help && help->isVisible()) return help;
  return nullptr;
}

// Tries the help window and the main window with real input while `modal`
// is up, then lets `dismiss` close the modal.
void TryEverything(TfrmVarlo& window, QWidget* modal, TWhileOpen& seen) {
  seen.Seen = true;
  seen.AccessibleName = modal->accessibleName();
  THelpWindow* help = OpenHelp(window);
  if (!help || !QTest::qWaitForWindowExposed(help)) return;
  help->resize(400, 200);
  QScrollBar* bar = help->Browser()->verticalScrollBar();
  QTest::qWait(20);
  const int top = bar->value();
  help->Browser()->setFocus();
  QTest::keyClick(help->windowHandle(), Qt::Key_PageDown);
  seen.HelpScrolled = bar->value() > top;
  QPointer<THelpWindow> alive(help);
  QTest::keyClick(help->windowHandle(), Qt::Key_Escape);
  QTest::qWait(10);
  seen.HelpClosed = !alive || !alive->isVisible();

  // A card of the hand and the Game menu's title, through the main window.
  const auto before = window.Match().Players[0].Cards;
  const QPoint card = window.Table()->mapTo(&window, QPoint(20 + 74 * 3 + 30, 60));
  QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, card);
  seen.TableTookTheClick = window.Match().Players[0].Cards != before;
  QMenuBar* bar2 = window.menuBar();
  const QRect title = bar2->actionGeometry(bar2->actions().first());
  QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                    bar2->mapTo(&window, title.center()));
  seen.MenuOpened = QApplication::activePopupWidget() != nullptr;
  if (QApplication::activePopupWidget()) QApplication::activePopupWidget()->close();
}

void Dismiss(QWidget* modal) {
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    if (box->button(QMessageBox::No)) return box->button(QMessageBox::No)->click();
    if (box->button(QMessageBox::Ok)) return box->button(QMessageBox::Ok)->click();
  }
  // A trick contract, so that no further box follows the choice.
  if (auto* list = modal->findChild<QListWidget*>(QStringLiteral("clbGames")))
    list->item(varlo::Whist)->setCheckState(Qt::Checked);
  if (auto* ok = modal->findChild<QPushButton*>(QStringLiteral("btnOk"))) return ok->click();
  if (auto* dialog = qobject_cast<QDialog*>(modal)) return dialog->reject();
  modal->close();
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
                           "About1", "message", "exit"})
    QTest::newRow(name) << QString::fromLatin1(name);
}

void TModalityTest::OnlyTheMainWindowIsBlocked() {
  QFETCH(QString, opener);
  TTestWindow window;
  DealWhistHeartsToHuman(window->Match());
  TWhileOpen seen;
  AnswerNextModal([&](QWidget* modal) {
    TryEverything(*window, modal, seen);
    Dismiss(modal);
  });
  if (opener == QLatin1String("message"))
    window->ShowMessage(varlo::TBoxKind::Error, "Illegal move !!!");
  else if (opener == QLatin1String("exit"))
    window->close();
  else
    window->findChild<QAction*>(opener)->trigger();
  QVERIFY(seen.Seen);
  QVERIFY2(seen.HelpScrolled, "the help window scrolls");
  QVERIFY2(seen.HelpClosed, "the help window closes");
  QVERIFY2(!seen.TableTookTheClick, "the table takes no click");
  QVERIFY2(!seen.MenuOpened, "the menu does not open");
  QVERIFY(!seen.AccessibleName.isEmpty());

  // Once it is closed, the same click and the same menu title work.
  QTRY_VERIFY(!QApplication::activeModalWidget());
  window->Match().Players[0].Cards[3] = 3;
  const QPoint card = window->Table()->mapTo(window.get(), QPoint(20 + 74 * 3 + 30, 60));
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, card);
  QCOMPARE(window->Match().Players[0].Cards[3], -1);
  QMenuBar* bar = window->menuBar();
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                    bar->mapTo(window.get(), bar->actionGeometry(bar->actions().first()).center()));
  QTRY_VERIFY(QApplication::activePopupWidget());
  QApplication::activePopupWidget()->close();
}

QTEST_MAIN(TModalityTest)
#include "ModalityTest.moc"
