// A larger window shows the table uniformly scaled and centred, every card
// drawn for exactly the device pixels its rectangle covers; clicks are
// mapped back to the table's own coordinates.
#include <QTest>
#include <array>
#include <tuple>

#include "TestWindow.h"

using namespace ui_test;

class TScaledTableTest : public QObject {
  Q_OBJECT

 private slots:
  void CardsCoverTheirScaledRectanglesAndClicksMapBack_data();
  void CardsCoverTheirScaledRectanglesAndClicksMapBack();
  void EachCardIsPlayedWhereItIsDrawn_data();
  void EachCardIsPlayedWhereItIsDrawn();
  void AfterAResizeCardsShowAtOnceAndTurnSharp();
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

void TScaledTableTest::EachCardIsPlayedWhereItIsDrawn_data() {
  QTest::addColumn<QSize>("table");
  QTest::newRow("unscaled") << QSize(632, 440);
  QTest::newRow("odd, height decides, centred across") << QSize(1500, 577);
}

// The drawing and the hit test read one geometry: a click on any device
// pixel of a card of the hand plays that card, and no other click plays it
// but one on the table row just below it.
void TScaledTableTest::EachCardIsPlayedWhereItIsDrawn() {
  QFETCH(QSize, table);
  TTestWindow window;
  window->resize(window->size() + table - window->Table()->size());
  QTRY_COMPARE(window->Table()->size(), table);
  Settle(*window);
  auto& m = window->Match();
  DealWhistHeartsToHuman(m);
  m.RepaintTable();
  const QImage& canvas = window->Table()->Canvas();
  const TTableTransform& t = window->Table()->Transform();
  std::array<QRect, 8> drawn, rowBelow;
  for (int slot = 0; slot < 8; ++slot) {
    const varlo::TTableRect card = varlo::HandSlot(slot);
    drawn[slot] = t.DeviceRect(ToQRect(card));
    rowBelow[slot] = t.DeviceRect(QRect(card.Left, card.Bottom(), card.Width, 1));
    QVERIFY(canvas.copy(drawn[slot]) == TCardImages::Render(slot + 1, drawn[slot].size()));
  }
  int wrong = 0;
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x) {
      const QPoint at = t.ToTable(QPointF(x, y) / t.DevicePixelRatio());
      const int hit = varlo::SlotAt(at.x(), at.y());
      int shown = -1;
      for (int slot = 0; slot < 8; ++slot) shown = drawn[slot].contains(x, y) ? slot : shown;
      wrong += hit != shown && !(shown < 0 && rowBelow[hit].contains(x, y));
    }
  QCOMPARE(wrong, 0);
}

// The first frame at the new size shows the cards drawn before, scaled to
// their new places; the sharp pictures follow, and the screen shows what
// the table holds.
void TScaledTableTest::AfterAResizeCardsShowAtOnceAndTurnSharp() {
  TTestWindow window;
  auto& m = window->Match();
  DealWhistHeartsToHuman(m);
  m.RepaintTable();
  window->resize(window->size() + QSize(632, 440));
  QTRY_COMPARE(window->Table()->size(), QSize(1264, 880));
  Settle(*window);
  const QImage& canvas = window->Table()->Canvas();
  const TTableTransform& t = window->Table()->Transform();
  const auto difference = [&](int slot) {
    const QRect device = t.DeviceRect(ToQRect(varlo::HandSlot(slot)));
    const QImage sharp = TCardImages::Render(slot + 1, device.size()), shown = canvas.copy(device);
    qint64 sum = 0;
    for (int y = 0; y < sharp.height(); ++y)
      for (int x = 0; x < sharp.width(); ++x)
        sum += std::abs(qGray(sharp.pixel(x, y)) - qGray(shown.pixel(x, y)));
    return double(sum) / (sharp.width() * sharp.height());
  };
  for (int slot = 0; slot < 8; ++slot) QVERIFY2(difference(slot) < 16, qPrintable(QString::number(slot)));
  QVERIFY(WaitForSharpPictures(*window));
  for (int slot = 0; slot < 8; ++slot) QCOMPARE(difference(slot), 0.0);
  QCOMPARE(window->Table()->grab().toImage().convertToFormat(QImage::Format_RGB32),
           window->Table()->Canvas());
}

QTEST_MAIN(TScaledTableTest)
#include "ScaledTableTest.moc"
