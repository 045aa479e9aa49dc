// Options > Opponents: Classic or Strong, from the next computer move on,
// until the program ends; every start begins with Classic.
#include <QAction>
#include <QMenu>
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
  void ComesRightAfterBackground();
  void ShowsTheLevelAndReturnsTheChoice();
  void ChoiceHoldsUntilChangedAndCancelKeepsIt();
  void StrongPlayersFinishADeal();
};

namespace {

// Opens Options > Opponents, notes which level it shows, picks `choice`
// and presses OK (or Cancel).
TOpponentLevel Choose(TTestWindow& window, TOpponentLevel choice, bool ok = true) {
  TOpponentLevel shown = TOpponentLevel::Classic;
  AnswerNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<TfrmOpponents*>(modal);
    if (!dialog) return;
    shown = dialog->Level();
    const char* button = choice == TOpponentLevel::Strong ? "rbStrong" : "rbClassic";
    dialog->findChild<QRadioButton*>(QLatin1String(button))->click();
    if (ok)
      ClickOk(dialog);
    else
      dialog->findChild<QPushButton*>(QStringLiteral("btnCancel"))->click();
  });
  window->findChild<QAction*>("miOpponents")->trigger();
  return shown;
}

bool PlaysClassic(TTestWindow& window) {
  return &window->Match().ComputerPlayer() == &window->Match().ClassicPlayer();
}

}  // namespace

void TOpponentsTest::ComesRightAfterBackground() {
  TTestWindow window;
  auto* options = window->findChild<QMenu*>("miOptions");
  QVERIFY(options);
  QStringList items;
  for (QAction* action : options->actions()) items << action->objectName();
  QCOMPARE(items, (QStringList{"miPlayerName", "miFont", "miBackground", "miOpponents"}));
  QCOMPARE(window->findChild<QAction*>("miOpponents")->text(), QStringLiteral("Opponents"));
}

void TOpponentsTest::ShowsTheLevelAndReturnsTheChoice() {
  for (TOpponentLevel level : {TOpponentLevel::Classic, TOpponentLevel::Strong}) {
    TfrmOpponents dialog(level);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Opponents"));
    QCOMPARE(dialog.Level(), level);
    QCOMPARE(dialog.findChild<QRadioButton*>("rbClassic")->text(), QStringLiteral("Classic"));
    QCOMPARE(dialog.findChild<QRadioButton*>("rbStrong")->text(), QStringLiteral("Strong"));
  }
}

void TOpponentsTest::ChoiceHoldsUntilChangedAndCancelKeepsIt() {
  TTestWindow window;
  QCOMPARE(window->OpponentLevel(), TOpponentLevel::Classic);
  QVERIFY(PlaysClassic(window));
  QCOMPARE(Choose(window, TOpponentLevel::Strong), TOpponentLevel::Classic);
  QCOMPARE(window->OpponentLevel(), TOpponentLevel::Strong);
  QVERIFY(!PlaysClassic(window));
  QCOMPARE(Choose(window, TOpponentLevel::Classic, false), TOpponentLevel::Strong);
  QCOMPARE(window->OpponentLevel(), TOpponentLevel::Strong);
  QCOMPARE(Choose(window, TOpponentLevel::Classic), TOpponentLevel::Strong);
  QVERIFY(PlaysClassic(window));

  // A new start begins with Classic again.
  Choose(window, TOpponentLevel::Strong);
  TTestWindow next;
  QCOMPARE(next->OpponentLevel(), TOpponentLevel::Classic);
  QVERIFY(PlaysClassic(next));
}

// Chosen in the middle of a deal, the Strong players take over from the
// next computer move and play the deal out within the rules.
void TOpponentsTest::StrongPlayersFinishADeal() {
  TTestWindow window;
  varlo::TMatch& match = window->Match();
  // OK to every box, score and chooser (the human's first free contract is
  // "Varlo"); the Opponents dialog is answered by Choose.
  QTimer answering;
  QObject::connect(&answering, &QTimer::timeout, [] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || qobject_cast<TfrmOpponents*>(modal)) return;
    CheckFirstFreeItem(modal);
    if (auto* box = qobject_cast<QMessageBox*>(modal))
      Press(box, QMessageBox::Ok);
    else
      ClickOk(modal);
  });
  answering.start(2);
  window->findChild<QAction*>("miNew")->trigger();
  QCOMPARE(match.Contract, varlo::VarloLayout);
  Choose(window, TOpponentLevel::Strong);
  QVERIFY(!PlaysClassic(window));
  for (int move = 0; move < 40 && match.DealsPlayed == 0; ++move) {
    const int slot = varlo::LowestSlot(match.LegalSlots(0));
    QVERIFY(slot >= 0);
    QTest::mouseClick(window->Table(), Qt::LeftButton, {},
                      QPoint(varlo::HandLeft + varlo::CardWidth * slot + 5, varlo::HandTop + 5));
  }
  QCOMPARE(match.DealsPlayed, 1);
  std::int32_t total = 0;
  for (const auto& player : match.Players) total += player.Score;
  QCOMPARE(total, 700);  // the layout deal paid its 400, 200 and 100
}

QTEST_MAIN(TOpponentsTest)
#include "OpponentsTest.moc"
