// The pause after a trick at the player's pace: a waiting state that a
// timer ends, or his click or key, with nothing else handled meanwhile.
#include <QAction>
#include <QMenuBar>
#include <QTest>

#include "ModalAnswers.h"
#include "TestWindow.h"

using namespace ui_test;

class TPaceTest : public QObject {
  Q_OBJECT

 private slots:
  void UntilIClickHoldsTheTrickForAClickOrAKey();
  void ATimedPauseEndsByItself();
};

namespace {

void PreferPause(int milliseconds) {
  TPreferences preferences;
  preferences.PauseMs = milliseconds;
  QVERIFY(SavePreferences(TfrmVarlo::PreferencesPath(), preferences));
}

void ClickSlot(TTestWindow& window, int slot) {
  QTest::mouseClick(window->Table(), Qt::LeftButton, {}, QPoint(20 + 74 * slot + 37, 75));
}

}  // namespace

void TPaceTest::UntilIClickHoldsTheTrickForAClickOrAKey() {
  TFreshHome home;
  PreferPause(varlo::PauseUntilClick);
  TTestWindow window;
  auto& m = window->Match();
  DealWhistHeartsToHuman(m);
  ClickSlot(window, 0);  // 7♥ led; the others follow; the trick stays
  for (int key : {0, int(Qt::Key_Return)}) {
    QVERIFY(m.Driver().PauseWaiting);
    QVERIFY(m.Deal().Trick[3] != varlo::NoCard);  // the whole trick on show
    QVERIFY(!window->menuBar()->isEnabled());  // no command meanwhile
    QTest::qWait(50);
    QVERIFY(m.Driver().PauseWaiting);  // it does not end by itself
    // The click that ends the pause plays no card.
    const varlo::THand hand = m.Deal().Players[0].Cards;
    if (key) QTest::keyClick(window->Table(), Qt::Key(key));
    else ClickSlot(window, 1);
    QVERIFY(!m.Driver().PauseWaiting);
    QCOMPARE(m.Deal().Trick, (varlo::TTrick{-1, -1, -1, -1}));
    QCOMPARE(m.Deal().Players[0].Cards, hand);
    QVERIFY(m.InputEnabled());
    QVERIFY(window->menuBar()->isEnabled());
    if (!key) ClickSlot(window, 1);  // the next trick, paused on by Enter
  }
}

void TPaceTest::ATimedPauseEndsByItself() {
  TFreshHome home;
  PreferPause(500);
  TTestWindow window;
  window->SetPauseScale(0.1);
  auto& m = window->Match();
  DealWhistHeartsToHuman(m);
  ClickSlot(window, 0);
  QVERIFY(m.Driver().PauseWaiting);
  ClickSlot(window, 1);  // a click meanwhile is dropped
  QTRY_VERIFY_WITH_TIMEOUT(m.InputEnabled(), 2000);
  QCOMPARE(m.Deal().Players[0].Cards[1], 1);
  QCOMPARE(m.Deal().Trick, (varlo::TTrick{-1, -1, -1, -1}));
}

QTEST_MAIN(TPaceTest)
#include "PaceTest.moc"
