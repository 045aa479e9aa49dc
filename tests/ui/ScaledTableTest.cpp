// A larger window shows a larger table: uniformly scaled, centred, every
// picture drawn for exactly the device pixels it covers, and clicks mapped
// back to the table's own coordinates.
#include <QTest>
#include <QtMath>
#include <array>

#include "TableTransform.h"
#include "TestWindow.h"

using namespace ui_test;

namespace {

const QColor Marker(255, 0, 255);
constexpr std::array<int, 8> Hand = {0, -1, 9, 17, -1, 25, 30, 3};
constexpr std::array<int, 4> Trick = {12, 20, -1, -1};

void PrepareTrick(varlo::TMatch& m) {
  m.Contract = varlo::Whist;
  m.ChoosePending = false;
  m.Leader = 0;
  m.Players[0].Cards = Hand;
  m.Trick = Trick;
  m.Players[0].Name = "You";
  m.InputEnabled = true;
}

// The table widget at the given logical size, settled and redrawn over a
// marker colour.
const QImage& ScaledRedraw(TTestWindow& window, QSize table) {
  window->resize(window->size() + table - window->Table()->size());
  for (int i = 0; i < 100 && window->Table()->size() != table; ++i) QTest::qWait(5);
  Settle(*window);
  PrepareTrick(window->Match());
  QImage& canvas = window->Table()->Canvas();
  canvas.fill(Marker);
  window->Match().RepaintTable();
  return canvas;
}

bool AllMarker(const QImage& canvas, const QRect& device) {
  for (int y = device.top(); y <= device.bottom(); ++y)
    for (int x = device.left(); x <= device.right(); ++x)
      if (canvas.pixelColor(x, y) != Marker) return false;
  return true;
}

}  // namespace

class TScaledTableTest : public QObject {
  Q_OBJECT

 private slots:
  void ScaleFitsTheSmallerSideAndCentres();
  void CardsTileWithoutOverlapAtAnyScale();
  void PicturesAreDrawnForTheirDeviceSize_data();
  void PicturesAreDrawnForTheirDeviceSize();
  void ClicksAreMappedBackToTheTable();
};

void TScaledTableTest::ScaleFitsTheSmallerSideAndCentres() {
  const TTableTransform plain(QSizeF(632, 440), 1);
  QVERIFY(plain.IsIdentity());
  QCOMPARE(plain.ToLogical(), QTransform());
  QCOMPARE(plain.ToTable(QPointF(20.4, 25.6)), QPoint(20, 26));  // as the window reports it

  const TTableTransform wide(QSizeF(1400, 660), 1);  // height decides: 1.5
  QCOMPARE(wide.Scale(), 1.5);
  QCOMPARE(wide.DeviceOffset(), QPoint((1400 - 948) / 2, 0));
  const TTableTransform tall(QSizeF(1264, 1000), 2);  // width decides: 2, at ratio 2
  QCOMPARE(tall.Scale(), 2.0);
  QCOMPARE(tall.DeviceScale(), 4.0);
  QCOMPARE(tall.DeviceOffset(), QPoint(0, (2000 - 1760) / 2));
  QCOMPARE(tall.DeviceRect(QRect(20, 25, 74, 100)), QRect(80, 100 + 120, 296, 400));
  // Never smaller than the table itself.
  QCOMPARE(TTableTransform(QSizeF(300, 200), 1).Scale(), 1.0);
}

// Across the table, the device columns of consecutive table pixels follow
// one another without gap or overlap, and every device pixel maps back to
// the table pixel that covers it.
void TScaledTableTest::CardsTileWithoutOverlapAtAnyScale() {
  for (qreal dpr : {1.0, 1.25, 1.75, 2.0}) {
    for (QSizeF size : {QSizeF(632, 440), QSizeF(700, 483), QSizeF(1017, 640), QSizeF(2560, 1410)}) {
      const TTableTransform t(size, dpr);
      const QString where = QStringLiteral("%1x%2 @%3").arg(size.width()).arg(size.height()).arg(dpr);
      for (int x = 0; x < 632; ++x) {
        const QRect column = t.DeviceRect(QRect(x, 0, 1, 1));
        QVERIFY2(column.width() >= 1, qPrintable(where));
        QVERIFY2(t.DeviceRect(QRect(x + 1, 0, 1, 1)).left() == column.right() + 1, qPrintable(where));
        for (int c = column.left(); c <= column.right(); ++c)
          QVERIFY2(t.ToTable(QPointF((c + 0.5) / dpr, column.top() / dpr + 0.01)).x() == x ||
                       t.IsIdentity(),
                   qPrintable(where));
      }
      // The last picture of the hand ends on the table's last hand column.
      const QRect lastSlot = t.DeviceRect(QRect(20 + 74 * 7, 25, 74, 100));
      QCOMPARE(lastSlot.right(), t.DeviceX(612) - 1);
      QVERIFY(t.DeviceX(632) <= std::ceil(size.width() * dpr));
    }
  }
}

void TScaledTableTest::PicturesAreDrawnForTheirDeviceSize_data() {
  QTest::addColumn<QSize>("table");
  QTest::newRow("twice") << QSize(1264, 880);
  QTest::newRow("odd, width decides") << QSize(1001, 917);
  QTest::newRow("odd, height decides") << QSize(1500, 577);
}

void TScaledTableTest::PicturesAreDrawnForTheirDeviceSize() {
  QFETCH(QSize, table);
  TTestWindow window;
  const QImage& canvas = ScaledRedraw(window, table);
  QCOMPARE(window->Table()->size(), table);
  const TTableTransform& t = window->Table()->Transform();
  QCOMPARE(t.Scale(), std::min(table.width() / 632.0, table.height() / 440.0));
  const auto check = [&](int n, int x, int y) {
    const QRect device = t.DeviceRect(QRect(x, y, 74, 100));
    return canvas.copy(device) == TCardImages::Render(n, device.size());
  };
  for (int i = 0; i < 8; ++i) QVERIFY2(check(Hand[i] + 1, 20 + 74 * i, 25), qPrintable(QString::number(i)));
  for (int i = 0; i < 4; ++i) QVERIFY(check(Trick[i] + 1, 168 + 74 * i, 163));
  for (QPoint back : {QPoint(20, 163), QPoint(538, 163), QPoint(279, 300)})
    QVERIFY(check(0, back.x(), back.y()));
  // The status fill is scaled too; nothing is drawn outside the table area,
  // and nothing right of the hand.
  const QRect status = t.DeviceRect(QRect(20, 385, 240, 45));
  QCOMPARE(canvas.pixelColor(status.topLeft()), QColor(0, 128, 0));
  QCOMPARE(canvas.pixelColor(status.bottomRight()), QColor(0, 128, 0));
  const QRect area = t.DeviceRect(QRect(0, 0, 632, 440));
  QVERIFY(AllMarker(canvas, QRect(0, 0, area.left(), canvas.height())));
  QVERIFY(AllMarker(canvas, QRect(area.right() + 1, 0, canvas.width() - area.right() - 1, canvas.height())));
  QVERIFY(AllMarker(canvas, QRect(area.left(), area.bottom() + 1, area.width(), canvas.height() - area.bottom() - 1)));
  QVERIFY(AllMarker(canvas, QRect(t.DeviceX(612), t.DeviceY(25), area.right() - t.DeviceX(612) + 1, 10)));

  // A fill of the whole window covers the table area and the margins.
  window->FillWindow();
  QCOMPARE(canvas.pixelColor(0, 0), QColor(0, 128, 0));
  QCOMPARE(canvas.pixelColor(canvas.width() - 1, canvas.height() - 1), QColor(0, 128, 0));
}

void TScaledTableTest::ClicksAreMappedBackToTheTable() {
  TTestWindow window;
  ScaledRedraw(window, QSize(1400, 700));  // scale 700/440, centred across
  const TTableTransform& t = window->Table()->Transform();
  auto& m = window->Match();
  DealWhistHeartsToHuman(m);
  const auto click = [&](QPoint logical) {
    QTest::mouseClick(window->Table(), Qt::LeftButton, {}, logical);
  };
  const qreal dpr = t.DevicePixelRatio();
  // The top-left pixel of slot 0 plays it.
  click(QPoint(qCeil(t.DeviceX(20) / dpr), qCeil(t.DeviceY(25) / dpr)));
  QCOMPARE(m.Players[0].Cards[0], -1);
  // Left of the hand (the table's left margin and the window's) nothing.
  const auto before = m.Players[0].Cards;
  click(QPoint(qFloor((t.DeviceX(20) - 1) / dpr), qRound(t.DeviceY(60) / dpr)));
  click(QPoint(2, qRound(t.DeviceY(60) / dpr)));
  QCOMPARE(m.Players[0].Cards, before);
  // The last device column of slot 6 still belongs to slot 6.
  const QRect slot6 = t.DeviceRect(QRect(20 + 74 * 6, 25, 74, 100));
  click(QPoint(qFloor(slot6.right() / dpr), qFloor(slot6.center().y() / dpr)));
  QCOMPARE(m.Players[0].Cards[6], -1);
  QCOMPARE(m.Players[0].Cards[7], 7);
}

QTEST_MAIN(TScaledTableTest)
#include "ScaledTableTest.moc"
