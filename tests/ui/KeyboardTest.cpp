// Playing without a mouse: the focus mark over the hand, Enter or Space to
// play the marked card as a click on it would, keys 1 to 8 for the slots,
// and the dialogs answered from the keyboard. Keys go in through the window
// system, to whichever widget has the keyboard focus.
#include <QAction>
#include <QApplication>
#include <QTest>

#include "ModalAnswers.h"
#include "TestWindow.h"

using namespace ui_test;

namespace {

void Key(TfrmVarlo& window, Qt::Key key) { QTest::keyClick(window.windowHandle(), key); }

void ShowTable(TTestWindow& window) {
  window->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window.get()));
  window->Match().RequestRepaint();
  Settle(*window);
  QTRY_VERIFY(!window->Match().NeedsRepaint);
}

// The table as the screen shows it, and as the game drew it.
QImage OnScreen(TfrmVarlo& window) { return window.Table()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
QImage Drawn(TfrmVarlo& window) { return window.Table()->Canvas().convertToFormat(QImage::Format_RGB32); }

// Ben (seat 3) has led the ace of hearts and the human follows at position
// 1: he holds two hearts (slots 2 and 5), so his spades are refused.
void HeartLedToHuman(varlo::TMatch& m) {
  DealWhistHeartsToHuman(m);
  m.Players[0].Cards = {8, 9, 2, 10, 11, 5, 12, 13};
  m.Players[1].Cards = {0, 1, 3, 4, 6, 14, 15, 24};
  m.Players[3].Cards = {-1, 25, 26, 27, 28, 29, 30, 31};
  m.Leader = 3;
  m.Trick = {7, -1, -1, -1};
}

// Answers every modal from the keyboard until stopped: the human's chooser
// takes "Whist" (Tab to the list, Down, Space), everything else Enter.
class TKeyAnswers : public QObject {
 public:
  TKeyAnswers() {
    Timer.setInterval(3);
    connect(&Timer, &QTimer::timeout, this, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || Busy) return;
      Busy = true;
      QWindow* w = modal->windowHandle();
      auto* list = modal->findChild<QListWidget*>(QStringLiteral("clbGames"));
      if (list && list->isEnabled()) {
        QTest::keyClick(w, Qt::Key_Tab);
        QTest::keyClick(w, Qt::Key_Home);
        QTest::keyClick(w, Qt::Key_Down);
        QTest::keyClick(w, Qt::Key_Space);
        ++Chosen;
      }
      ++Answered;
      QTest::keyClick(w, Qt::Key_Return);
      Busy = false;
    });
    Timer.start();
  }
  int Answered = 0, Chosen = 0;

 private:
  QTimer Timer;
  bool Busy = false;
};

}  // namespace

class TKeyboardTest : public QObject {
  Q_OBJECT

 private slots:
  void MarkShowsOnlyAfterAKeyAndOnlyOnTheScreen();
  void EnterPlaysTheMarkedCardAsAClickWould();
  void NumberKeysPlayTheirSlot();
  void KeysDoNothingWhileTheGameIsBusy();
  void AWholeDealFromTheKeyboard();
};

void TKeyboardTest::MarkShowsOnlyAfterAKeyAndOnlyOnTheScreen() {
  TTestWindow window;
  DealWhistHeartsToHuman(window->Match());
  window->Match().Players[0].Cards[0] = -1;
  ShowTable(window);
  auto* table = window->Table();
  QCOMPARE(OnScreen(*window), Drawn(*window));  // a mouse player's table
  QCOMPARE(table->FocusedSlot(), -1);

  Key(*window, Qt::Key_Right);  // the first key shows the mark on the first card
  QCOMPARE(table->FocusedSlot(), 1);
  // On the screen only: the table itself still shows the plain card there.
  const QRect slot1(20 + 74, 25, 74, 100), slot2(20 + 74 * 2, 25, 74, 100);
  QVERIFY(OnScreen(*window).copy(slot1) != Drawn(*window).copy(slot1));
  QCOMPARE(Drawn(*window).copy(slot1), TCardImages::Render(1 + 1, QSize(74, 100)));
  QCOMPARE(OnScreen(*window).copy(slot2), Drawn(*window).copy(slot2));
  const struct {
    Qt::Key Key;
    int Slot;
  } moves[] = {{Qt::Key_Right, 2}, {Qt::Key_End, 7}, {Qt::Key_Right, 7},
               {Qt::Key_Home, 1},  {Qt::Key_Left, 1}, {Qt::Key_Right, 2}};
  for (const auto& move : moves) {
    Key(*window, move.Key);
    QCOMPARE(table->FocusedSlot(), move.Slot);
  }
  QVERIFY(OnScreen(*window).copy(slot2) != Drawn(*window).copy(slot2));
  QCOMPARE(OnScreen(*window).copy(slot1), Drawn(*window).copy(slot1));
  // A click hides it again.
  QTest::mouseClick(table, Qt::LeftButton, {}, QPoint(5, 300));
  QCOMPARE(table->FocusedSlot(), -1);
  QTRY_COMPARE(OnScreen(*window), Drawn(*window));
}

// The same refused card and the same card played, once clicked and once
// from the keyboard: the same boxes, the same match afterwards.
void TKeyboardTest::EnterPlaysTheMarkedCardAsAClickWould() {
  std::array<varlo::TMatch*, 2> matches{};
  std::array<QStringList, 2> boxes;
  TTestWindow clicked, keyed;
  for (int way = 0; way < 2; ++way) {
    TTestWindow& window = way == 0 ? clicked : keyed;
    HeartLedToHuman(window->Match());
    ShowTable(window);
    matches[way] = &window->Match();
    for (int slot : {1, 5}) {  // a spade, refused; then the queen of hearts
      auto box = slot == 1 ? AnswerNextBox(QMessageBox::Ok) : std::make_shared<TBoxSeen>();
      if (way == 0) {
        QTest::mouseClick(window->Table(), Qt::LeftButton, {}, TTableView::SlotCentre(slot));
      } else {
        Key(*window, Qt::Key_Home);
        while (window->Table()->FocusedSlot() < slot) Key(*window, Qt::Key_Right);
        Key(*window, slot == 1 ? Qt::Key_Return : Qt::Key_Space);
      }
      boxes[way] << (box->Seen ? box->Text : QString());
    }
  }
  QCOMPARE(boxes[1], boxes[0]);
  QCOMPARE(boxes[0].first(), QStringLiteral("Illegal move !!!"));
  for (int seat = 0; seat < 4; ++seat)
    QCOMPARE(matches[1]->Players[seat].Cards, matches[0]->Players[seat].Cards);
  QCOMPARE(matches[0]->Players[0].Cards[5], -1);
  QCOMPARE(matches[1]->Trick, matches[0]->Trick);
  QCOMPARE(matches[1]->HandLine, matches[0]->HandLine);
  QCOMPARE(matches[1]->Leader, matches[0]->Leader);
}

void TKeyboardTest::NumberKeysPlayTheirSlot() {
  TTestWindow window;
  DealWhistHeartsToHuman(window->Match());
  ShowTable(window);
  Key(*window, Qt::Key_3);
  QCOMPARE(window->Match().Players[0].Cards[2], -1);
  QCOMPARE(window->Match().HandLine, std::string("Hand: You"));
  // The mark stands where the card was played, on the next card.
  QCOMPARE(window->Table()->FocusedSlot(), 3);
  Key(*window, Qt::Key_8);
  QCOMPARE(window->Match().Players[0].Cards[7], -1);
  Key(*window, Qt::Key_9);  // no ninth slot
  QCOMPARE(varlo::CardCount(window->Match().Players[0]), 6);
}

void TKeyboardTest::KeysDoNothingWhileTheGameIsBusy() {
  TTestWindow window;
  DealWhistHeartsToHuman(window->Match());
  ShowTable(window);
  window->Match().InputEnabled = false;
  for (Qt::Key key : {Qt::Key_Right, Qt::Key_Return, Qt::Key_1, Qt::Key_Space})
    Key(*window, key);
  QCOMPARE(window->Table()->FocusedSlot(), -1);
  QCOMPARE(varlo::CardCount(window->Match().Players[0]), 8);
}

// New from the menu, then everything from the keyboard: the chooser, every
// card of the deal, the score dialog, the next chooser.
void TKeyboardTest::AWholeDealFromTheKeyboard() {
  TTestWindow window;
  ShowTable(window);
  TKeyAnswers answers;
  window->findChild<QAction*>("miNew")->trigger();
  auto& m = window->Match();
  QCOMPARE(m.Contract, int(varlo::Whist));
  QCOMPARE(answers.Chosen, 1);
  for (int card = 0; card < 8 && m.DealsPlayed == 0; ++card) {
    int legal = 0;
    while (!m.MayPlaySlot(legal)) ++legal;
    Key(*window, Qt::Key_Home);
    for (int i = 0; i < 8 && window->Table()->FocusedSlot() != legal; ++i)
      Key(*window, Qt::Key_Right);
    Key(*window, Qt::Key_Return);
  }
  QCOMPARE(m.DealsPlayed, 1);
  QVERIFY(answers.Answered >= 3);  // chooser, score, the next chooser
  QCOMPARE(m.Chooser, 1);
  QVERIFY(m.InputEnabled);
}

QTEST_MAIN(TKeyboardTest)
#include "KeyboardTest.moc"
