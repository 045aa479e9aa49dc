// A larger window shows the table uniformly scaled and centred, every card
// drawn for exactly the device pixels its rectangle covers; clicks are
// mapped back to the table's own coordinates.
#include <QTest>
#include <tuple>

#include "TestWindow.h"

using namespace ui_test;

namespace {

const QColor Marker(255, 0, 255);

void Enlarge(TTestWindow& window, QSize table) {
  window->resize(window->size() + table - window->Table()->size());
  for (int i = 0; i < 100 && window->Table()->size() != table; ++i) QTest::qWait(5);
  Settle(*window);
  DealWhistHeartsToHuman(window->Match());
}

}  // namespace

class TScaledTableTest : public QObject {
  Q_OBJECT

 private slots:
  void CardsCoverExactlyTheirScaledRectangles_data();
  void CardsCoverExactlyTheirScaledRectangles();
  void ClicksAreMappedBackToTheTable();
};

void TScaledTableTest::CardsCoverExactlyTheirScaledRectangles_data() {
  QTest::addColumn<QSize>("table");
  QTest::newRow("twice") << QSize(1264, 880);
  QTest::newRow("odd, height decides") << QSize(1500, 577);
}

void TScaledTableTest::CardsCoverExactlyTheirScaledRectangles() {
  QFETCH(QSize, table);
  TTestWindow window;
  Enlarge(window, table);
  QCOMPARE(window->Table()->size(), table);
  auto& m = window->Match();
  m.Players[0].Cards[3] = -1;
  m.Trick = {12, 20, -1, -1};
  QImage& canvas = window->Table()->Canvas();
  canvas.fill(Marker);
  m.RepaintTable();
  const TTableTransform& t = window->Table()->Transform();
  QCOMPARE(t.Scale(), std::min(table.width() / 632.0, table.height() / 440.0));
  std::vector<std::tuple<int, int, int>> cards = {{0, 20, 163}, {0, 538, 163}, {0, 279, 300}};
  for (int i = 0; i < 8; ++i) cards.emplace_back(m.Players[0].Cards[i] + 1, 20 + 74 * i, 25);
  for (int i = 0; i < 4; ++i) cards.emplace_back(m.Trick[i] + 1, 168 + 74 * i, 163);
  for (auto [n, x, y] : cards) {
    const QRect device = t.DeviceRect(QRect(x, y, 74, 100));
    QVERIFY2(canvas.copy(device) == TCardImages::Render(n, device.size()),
             qPrintable(QStringLiteral("%1 at %2,%3").arg(n).arg(x).arg(y)));
  }
  // Nothing outside the table's scaled area, nor right of the hand.
  const QRect area = t.DeviceRect(QRect(0, 0, 632, 440));
  int strays = 0;
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x)
      strays += !area.contains(x, y) && canvas.pixelColor(x, y) != Marker;
  QCOMPARE(strays, 0);
  QCOMPARE(canvas.pixelColor(t.DeviceX(612), t.DeviceY(75)), Marker);
  QVERIFY(canvas.pixelColor(t.DeviceX(612) - 1, t.DeviceY(75)) != Marker);
}

void TScaledTableTest::ClicksAreMappedBackToTheTable() {
  TTestWindow window;
  Enlarge(window, QSize(1400, 700));  // scale 700/440, centred across
  const TTableTransform& t = window->Table()->Transform();
  const qreal dpr = t.DevicePixelRatio();
  const auto& hand = window->Match().Players[0].Cards;
  const auto click = [&](qreal deviceX, qreal deviceY) {
    QTest::mouseClick(window->Table(), Qt::LeftButton, {}, QPointF(deviceX / dpr, deviceY / dpr).toPoint());
  };
  click(t.DeviceX(20) + dpr, t.DeviceY(25) + dpr);  // the top-left corner of slot 0
  QCOMPARE(hand[0], -1);
  const auto before = hand;
  click(t.DeviceX(20) - 2 * dpr, t.DeviceY(60));  // just left of the hand
  click(2, t.DeviceY(60));                        // the window's margin
  QCOMPARE(hand, before);
  click(t.DeviceX(20 + 74 * 7) - dpr, t.DeviceY(60));  // the last column of slot 6
  QCOMPARE(hand[6], -1);
  QCOMPARE(hand[7], 7);
}

QTEST_MAIN(TScaledTableTest)
#include "ScaledTableTest.moc"
