// A larger window shows the table uniformly scaled and centred, every card
// drawn for exactly the device pixels its rectangle covers; clicks are
// mapped back to the table's own coordinates.
#include <QTest>
#include <tuple>

#include "TestWindow.h"

using namespace ui_test;

class TScaledTableTest : public QObject {
  Q_OBJECT

 private slots:
  void CardsCoverTheirScaledRectanglesAndClicksMapBack_data();
  void CardsCoverTheirScaledRectanglesAndClicksMapBack();
};

void TScaledTableTest::CardsCoverTheirScaledRectanglesAndClicksMapBack_data() {
  QTest::addColumn<QSize>("table");
  QTest::newRow("twice") << QSize(1264, 880);
  QTest::newRow("odd, height decides, centred across") << QSize(1500, 577);
}

void TScaledTableTest::CardsCoverTheirScaledRectanglesAndClicksMapBack() {
  QFETCH(QSize, table);
  TTestWindow window;
  window->resize(window->size() + table - window->Table()->size());
  QTRY_COMPARE(window->Table()->size(), table);
  Settle(*window);
  auto& m = window->Match();
  DealWhistHeartsToHuman(m);
  {
    TEdit edit(m);
    edit->Deal.Players[0].Cards[3] = -1;
    edit->Deal.Trick = {12, 20, -1, -1};
  }
  const QColor marker(255, 0, 255);
  QImage& canvas = window->Table()->Canvas();
  canvas.fill(marker);
  m.RepaintTable();
  const TTableTransform& t = window->Table()->Transform();
  const qreal dpr = t.DevicePixelRatio();
  QCOMPARE(t.Scale(), std::min(table.width() / 632.0, table.height() / 440.0));
  std::vector<std::tuple<int, int, int>> cards = {{0, 20, 163}, {0, 538, 163}, {0, 279, 300}};
  for (int i = 0; i < 8; ++i)
    cards.emplace_back(m.Deal().Players[0].Cards[i] + 1, 20 + 74 * i, 25);
  for (int i = 0; i < 4; ++i) cards.emplace_back(m.Deal().Trick[i] + 1, 168 + 74 * i, 163);
  for (auto [n, x, y] : cards) {
    const QRect device = t.DeviceRect(QRect(x, y, 74, 100));
    QVERIFY2(canvas.copy(device) == TCardImages::Render(n, device.size()),
             qPrintable(QStringLiteral("%1 at %2,%3").arg(n).arg(x).arg(y)));
  }
  // Nothing outside the table's scaled area, which is centred, nor right of the hand.
  const QRect area = t.DeviceRect(QRect(0, 0, 632, 440));
  QVERIFY((area.center() - QRect(QPoint(), table * dpr).center()).manhattanLength() <= 1);
  int strays = 0;
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x)
      strays += !area.contains(x, y) && canvas.pixelColor(x, y) != marker;
  QCOMPARE(strays, 0);
  QCOMPARE(canvas.pixelColor(t.DeviceX(612), t.DeviceY(75)), marker);
  QVERIFY(canvas.pixelColor(t.DeviceX(612) - 1, t.DeviceY(75)) != marker);

  // Clicks on the device pixels at the edges of a card's span.
  DealWhistHeartsToHuman(m);
  const auto click = [&](qreal deviceX, qreal deviceY) {
    QTest::mouseClick(window->Table(), Qt::LeftButton, {},
                      QPointF(deviceX / dpr, deviceY / dpr).toPoint());
  };
  click(t.DeviceX(20) + dpr, t.DeviceY(25) + dpr);  // the top-left corner of slot 0
  QCOMPARE(m.Deal().Players[0].Cards[0], -1);
  const auto before = m.Deal().Players[0].Cards;
  click(t.DeviceX(20) - 2 * dpr, t.DeviceY(60));  // just left of the hand
  click(2, t.DeviceY(60));                        // the window's margin
  QCOMPARE(m.Deal().Players[0].Cards, before);
  click(t.DeviceX(20 + 74 * 7) - dpr, t.DeviceY(60));  // the last column of slot 6
  QCOMPARE(m.Deal().Players[0].Cards[6], -1);
  QCOMPARE(m.Deal().Players[0].Cards[7], 7);
}

QTEST_MAIN(TScaledTableTest)
#include "ScaledTableTest.moc"
