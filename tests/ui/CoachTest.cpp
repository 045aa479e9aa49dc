// The coach on the table: figures under the cards the human may play, the
// best one marked, the same words for a screen reader, H to the best card;
// and a match played so is assisted. With the coach off the band stays bare.
#include <QAccessible>
#include <QTest>

#include "TestWindow.h"

using namespace ui_test;

class TCoachTest : public QObject {
  Q_OBJECT

 private slots:
  void FiguresUnderThePlayableCards();
};

void TCoachTest::FiguresUnderThePlayableCards() {
  TFreshHome home;
  for (const bool coach : {false, true}) {
    TPreferences preferences;
    preferences.Coach = coach;
    QVERIFY(SavePreferences(TfrmVarlo::PreferencesPath(), preferences));
    TTestWindow window;
    auto& m = window->Match();
    DealWhistHeartsToHuman(m);
    // He leads 7♥, takes the trick and is to lead again: the coach speaks.
    QTest::mouseClick(window->Table(), Qt::LeftButton, {}, QPoint(20 + 37, 75));
    Settle(*window);
    const QImage& canvas = window->Table()->Canvas();
    const QColor green = window->Table()->Background();
    const int band = AreaOf(canvas, 20, 125, 612, 149);
    const int bare = CountColour(canvas, 20, 125, 612, 149, green);
    QCOMPARE(m.Progress().Assisted, coach);
    if (!coach) {
      QCOMPARE(bare, band);
      continue;
    }
    // Each of the seven cards left has its figure, and the best its gold mark.
    const varlo::TCoachAdvice* advice = window->Table()->Advice();
    QVERIFY(advice && advice->Best >= 0);
    QCOMPARE(CountColour(canvas, 20, 125, 94, 149, green), AreaOf(canvas, 20, 125, 94, 149));
    for (int slot = 1; slot < 8; ++slot)
      QVERIFY(CountColour(canvas, 20 + 74 * slot, 125, 94 + 74 * slot, 145, green) <
              AreaOf(canvas, 20 + 74 * slot, 125, 94 + 74 * slot, 145));
    QVERIFY(CountColour(canvas, 20 + 74 * advice->Best, 145, 94 + 74 * advice->Best, 149,
                        QColor(255, 215, 0)) > 0);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(window->Table());
    QAccessibleInterface* hand = nullptr;
    for (int i = 0; i < table->childCount(); ++i)
      if (table->child(i)->text(QAccessible::Name) == QStringLiteral("Your hand")) hand = table->child(i);
    QVERIFY(hand);
    const QString said = hand->child(advice->Best)->text(QAccessible::Description);
    QVERIFY2(said.contains(QStringLiteral("worth")) && said.endsWith(QStringLiteral("the best card")),
             qPrintable(said));
    window->Table()->setFocus();
    QTest::keyClick(window->Table(), Qt::Key_H);
    QCOMPARE(window->Table()->FocusedSlot(), advice->Best);
  }
}

QTEST_MAIN(TCoachTest)
#include "CoachTest.moc"
