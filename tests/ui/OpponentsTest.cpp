// Options > Opponents: Classic or Strong, from the next computer move on,
// until the program ends; every start begins with Classic. (The menu test
// checks where the item stands.)
#include <QAction>
#include <QRadioButton>
#include <QTest>

#include "ModalAnswers.h"
#include "Opponents.h"
#include "TestWindow.h"

using namespace ui_test;
using varlo::TOpponentLevel;

class TOpponentsTest : public QObject {
  Q_OBJECT

 private slots:
  void ChoiceHoldsUntilChangedAndCancelKeepsIt();
};

namespace {

// Opens Options > Opponents, returns the level it shows, picks `choice`
// and presses OK (or Cancel).
TOpponentLevel Choose(TTestWindow& window, TOpponentLevel choice, bool ok = true) {
  TOpponentLevel shown = TOpponentLevel::Classic;
  AnswerNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<TfrmOpponents*>(modal);
    QVERIFY(dialog && dialog->windowTitle() == QStringLiteral("Opponents"));
    shown = dialog->Level();
    dialog->findChild<QRadioButton*>(choice == TOpponentLevel::Strong ? "rbStrong" : "rbClassic")
        ->click();
    dialog->findChild<QPushButton*>(ok ? "btnOk" : "btnCancel")->click();
  });
  window->findChild<QAction*>("miOpponents")->trigger();
  return shown;
}

bool PlaysClassic(TTestWindow& window) {
  return &window->Match().ComputerPlayer() == &window->Match().ClassicPlayer();
}

}  // namespace

void TOpponentsTest::ChoiceHoldsUntilChangedAndCancelKeepsIt() {
  TTestWindow window;
  QVERIFY(window->OpponentLevel() == TOpponentLevel::Classic && PlaysClassic(window));
  QCOMPARE(Choose(window, TOpponentLevel::Strong), TOpponentLevel::Classic);
  QVERIFY(window->OpponentLevel() == TOpponentLevel::Strong && !PlaysClassic(window));
  QCOMPARE(Choose(window, TOpponentLevel::Classic, false), TOpponentLevel::Strong);
  QCOMPARE(window->OpponentLevel(), TOpponentLevel::Strong);
  QCOMPARE(Choose(window, TOpponentLevel::Classic), TOpponentLevel::Strong);
  QVERIFY(window->OpponentLevel() == TOpponentLevel::Classic && PlaysClassic(window));

  // A new start begins with Classic again.
  Choose(window, TOpponentLevel::Strong);
  TTestWindow next;
  QVERIFY(next->OpponentLevel() == TOpponentLevel::Classic && PlaysClassic(next));
}

QTEST_MAIN(TOpponentsTest)
#include "OpponentsTest.moc"
