// What a redraw puts on the table, pixel for pixel, at the table's fixed
// coordinates: the hand at y 25, the trick from x 168, the layout rows 50
// apart from y 150, the three computer players' backs, the two fills.
#include <QFontMetrics>
#include <QTest>
#include <QRegion>
#include <array>
#include <tuple>

#include "TestWindow.h"

using namespace ui_test;

namespace {

const QColor Green(0, 128, 0);
// Painted over the whole table before a redraw: whatever still shows it
// afterwards was not drawn.
const QColor Marker(255, 0, 255);

constexpr std::array<int, 8> Hand = {0, -1, 9, 17, -1, 25, 30, 3};
constexpr std::array<int, 4> Trick = {12, 20, -1, -1};

struct TPoint {
  int X, Y;
};
constexpr TPoint OpponentBacks[] = {{20, 163}, {538, 163}, {279, 300}};

void PrepareTrick(varlo::TMatch& m) {
  TEdit edit(m);
  edit->Deal.Contract = varlo::Whist;
  edit->Driver.ChoosePending = false;
  edit->Deal.Players[0].Cards = Hand;
  edit->Deal.Trick = Trick;
  edit->Table.HandLine.clear();
  edit->Table.GameLine.clear();
  edit->Deal.Players[0].Name.clear();
}

// Cards of the layout test: none of them lies where a computer player's
// back or label would be, nor in the left part of the status area.
constexpr std::array<int, 9> LaidOut = {4, 5, 6, 12, 13, 14, 21, 22, 29};

void PrepareLayout(varlo::TMatch& m) {
  TEdit edit(m);
  edit->Deal.Contract = varlo::VarloLayout;
  edit->Driver.ChoosePending = false;
  edit->Deal.Players[0].Cards = Hand;
  edit->Deal.Trick = {-1, -1, -1, -1};
  edit->Deal.Layout.fill(false);
  for (int c : LaidOut) edit->Deal.Layout[c] = true;
  edit->Table.GameLine.clear();
  edit->Deal.Players[0].Name.clear();
}

QImage& RedrawOverMarker(TfrmVarlo& window) {
  QImage& canvas = window.Table()->Canvas();
  canvas.fill(Marker);
  window.Match().RepaintTable();
  return canvas;
}

// Every pixel of the rectangle (left, top)-(right, bottom) still shows the
// marker: nothing was drawn there.
bool Untouched(const QImage& canvas, int left, int top, int right, int bottom) {
  return CountColour(canvas, left, top, right, bottom, Marker) ==
         AreaOf(canvas, left, top, right, bottom);
}

// Every pixel of the rectangle shows the table colour.
bool Filled(const QImage& canvas, int left, int top, int right, int bottom) {
  return CountColour(canvas, left, top, right, bottom, Green) ==
         AreaOf(canvas, left, top, right, bottom);
}

bool IsAquaLike(QColor c) { return c.red() < 110 && c.green() > 150 && c.blue() > 150; }

// The cell of an opaque text drawn with its top-left corner at (x, y).
QRect TextCell(TfrmVarlo& window, const QImage& canvas, const QString& text, int x, int y) {
  const QFontMetrics metrics(window.TableFont(), &canvas);
  return {x, y, metrics.horizontalAdvance(text), metrics.height()};
}

}  // namespace

class TTableDrawingTest : public QObject {
  Q_OBJECT

 private slots:
  void BeforeTheFirstMatchOnlyTheTableColourShows();
  void TrickContractShowsHandTrickAndOpponents();
  void CardsCoverExactlyTheirRectangle();
  void TrickContractFillsStatusAreaAndNameRow();
  void LayoutContractShowsLaidCardsWithoutOpponents();
  void LayoutRowsOverlapWithTheLaterSuitOnTop();
  void TextsAreDrawnOpaque_data();
  void TextsAreDrawnOpaque();
  void LayoutGameLineHasNoStatusFill();
  void RedrawWithNothingChangedGivesTheSamePixels_data();
  void RedrawWithNothingChangedGivesTheSamePixels();
};

void TTableDrawingTest::BeforeTheFirstMatchOnlyTheTableColourShows() {
  TTestWindow window;
  QVERIFY(window.Ready());
  QImage& canvas = window->Table()->Canvas();
  const int w = qRound(canvas.width() / canvas.devicePixelRatio());
  const int h = qRound(canvas.height() / canvas.devicePixelRatio());
  QVERIFY(Filled(canvas, 0, 0, w, h));

  window->Match().RequestRepaint();
  RedrawOverMarker(*window);
  QVERIFY(Untouched(canvas, 0, 0, w, h));
  QVERIFY(!window->Match().Redraw.NeedsRepaint);
}

void TTableDrawingTest::TrickContractShowsHandTrickAndOpponents() {
  TTestWindow window;
  PrepareTrick(window->Match());
  const QImage& canvas = RedrawOverMarker(*window);

  for (int i = 0; i < 8; ++i)  // an empty slot (-1) shows the back, picture 0
    QVERIFY2(Block(canvas, 20 + 74 * i, 25) == CardPicture(Hand[i] + 1, canvas, 20 + 74 * i, 25),
             qPrintable(QString::number(i)));
  for (int i = 0; i < 4; ++i)
    QVERIFY2(Block(canvas, 168 + 74 * i, 163) == CardPicture(Trick[i] + 1, canvas, 168 + 74 * i, 163),
             qPrintable(QString::number(i)));
  for (const TPoint& p : OpponentBacks)
    QVERIFY(Block(canvas, p.X, p.Y) == CardPicture(0, canvas, p.X, p.Y));
}

void TTableDrawingTest::CardsCoverExactlyTheirRectangle() {
  TTestWindow window;
  PrepareTrick(window->Match());
  const QImage& canvas = RedrawOverMarker(*window);
  // The hand row (x 20..611, y 25..124) and the trick row (x 168..463,
  // y 163..262): one pixel further out on every side is untouched.
  QVERIFY(Untouched(canvas, 20, 24, 612, 25));
  QVERIFY(Untouched(canvas, 20, 125, 612, 126));
  QVERIFY(Untouched(canvas, 19, 25, 20, 125));
  QVERIFY(Untouched(canvas, 612, 25, 613, 125));
  QVERIFY(Untouched(canvas, 168, 162, 464, 163));
  QVERIFY(Untouched(canvas, 168, 263, 464, 264));
  QVERIFY(Untouched(canvas, 167, 163, 168, 263));
  QVERIFY(Untouched(canvas, 464, 163, 465, 263));
  for (const TPoint& p : OpponentBacks) {
    QVERIFY(Untouched(canvas, p.X - 1, p.Y, p.X, p.Y + 100));
    QVERIFY(Untouched(canvas, p.X + 74, p.Y, p.X + 75, p.Y + 100));
    QVERIFY(Untouched(canvas, p.X, p.Y - 1, p.X + 74, p.Y));
  }
}

void TTableDrawingTest::TrickContractFillsStatusAreaAndNameRow() {
  TTestWindow window;
  PrepareTrick(window->Match());  // both status lines and the name empty
  const QImage& canvas = RedrawOverMarker(*window);
  QVERIFY(Filled(canvas, 20, 385, 260, 430));
  QVERIFY(Filled(canvas, 290, 5, 530, 18));
  // Not a pixel more.
  QVERIFY(Untouched(canvas, 19, 385, 20, 430));
  QVERIFY(Untouched(canvas, 260, 385, 261, 430));
  QVERIFY(Untouched(canvas, 20, 430, 260, 431));
  QVERIFY(Untouched(canvas, 290, 18, 530, 19));
  QVERIFY(Untouched(canvas, 530, 5, 531, 18));
}

void TTableDrawingTest::LayoutContractShowsLaidCardsWithoutOpponents() {
  TTestWindow window;
  PrepareLayout(window->Match());
  const QImage& canvas = RedrawOverMarker(*window);

  for (int i = 0; i < 8; ++i)
    QVERIFY(Block(canvas, 20 + 74 * i, 25) == CardPicture(Hand[i] + 1, canvas, 20 + 74 * i, 25));
  // The jack of hearts lies at (316, 150), the king of diamonds at (464, 250).
  QVERIFY(Block(canvas, 316, 150, 74, 50) == CardPicture(5, canvas, 316, 150, 50));
  QVERIFY(Block(canvas, 464, 250) == CardPicture(23, canvas, 464, 250));
  for (const TPoint& p : OpponentBacks) QVERIFY(Untouched(canvas, p.X, p.Y, p.X + 74, p.Y + 100));
  // Nor their labels.
  QVERIFY(Untouched(canvas, 38, 273, 90, 290));
  QVERIFY(Untouched(canvas, 563, 273, 612, 290));
  QVERIFY(Untouched(canvas, 291, 410, 350, 430));
  // Nothing is drawn where a card is not laid: the seven of hearts' place.
  QVERIFY(Untouched(canvas, 20, 150, 94, 200));
}

void TTableDrawingTest::LayoutRowsOverlapWithTheLaterSuitOnTop() {
  TTestWindow window;
  PrepareLayout(window->Match());
  const QImage& canvas = RedrawOverMarker(*window);
  // Each laid card shows whole where no card of the next suit lies below
  // it, and only its upper half where one does.
  for (int c : LaidOut) {
    const int x = 20 + 74 * (c % 8), y = 150 + 50 * (c / 8);
    const bool coveredBelow = c + 8 < 32 && window->Match().Deal().Layout[c + 8];
    const QImage expected = CardPicture(c + 1, canvas, x, y);
    if (coveredBelow)
      QVERIFY2(Block(canvas, x, y, 74, 50) == CardPicture(c + 1, canvas, x, y, 50),
               qPrintable(QString::number(c)));
    else
      QVERIFY2(Block(canvas, x, y) == expected, qPrintable(QString::number(c)));
  }
}

void TTableDrawingTest::TextsAreDrawnOpaque_data() {
  QTest::addColumn<int>("contract");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("x");
  QTest::addColumn<int>("y");
  QTest::newRow("hand line") << 1 << "Hand: Sandra" << 20 << 385;
  QTest::newRow("game line") << 1 << "Current Game: Whist" << 20 << 410;
  QTest::newRow("name") << 1 << "You" << 290 << 5;
  QTest::newRow("Jack") << 1 << "Jack" << 38 << 273;
  QTest::newRow("Ben") << 1 << "Ben" << 563 << 273;
  QTest::newRow("Sandra") << 1 << "Sandra" << 291 << 410;
  QTest::newRow("layout game line") << 0 << "Current Game: Varlo" << 20 << 410;
  QTest::newRow("layout name") << 0 << "You" << 290 << 5;
}

void TTableDrawingTest::TextsAreDrawnOpaque() {
  QFETCH(int, contract);
  QFETCH(QString, text);
  QFETCH(int, x);
  QFETCH(int, y);
  TTestWindow window;
  auto& m = window->Match();
  contract == 0 ? PrepareLayout(m) : PrepareTrick(m);
  {
    TEdit edit(m);
    edit->Table.HandLine = "Hand: Sandra";
    edit->Table.GameLine = contract == 0 ? "Current Game: Varlo" : "Current Game: Whist";
    edit->Deal.Players[0].Name = "You";
  }
  const QImage& canvas = RedrawOverMarker(*window);

  const QRect cell = TextCell(*window, canvas, text, x, y);
  QVERIFY(cell.width() > 0);
  // The whole cell is painted: table colour behind the glyphs.
  QCOMPARE(CountColour(canvas, cell.left(), cell.top(), cell.left() + cell.width(),
                       cell.top() + cell.height(), Marker),
           0);
  int ink = 0;
  const qreal dpr = canvas.devicePixelRatio();
  for (int py = qRound(y * dpr); py < qRound((y + cell.height()) * dpr); ++py)
    for (int px = qRound(x * dpr); px < qRound((x + cell.width()) * dpr); ++px)
      if (IsAquaLike(canvas.pixelColor(px, py))) ++ink;
  QVERIFY2(ink > 3 * text.size(), "the text itself is drawn, in aqua");
}

void TTableDrawingTest::LayoutGameLineHasNoStatusFill() {
  TTestWindow window;
  PrepareLayout(window->Match());
  {
    TEdit edit(window->Match());
    edit->Table.GameLine = "Current Game: Varlo";
    edit->Table.HandLine = "Hand: Ben";
  }
  const QImage& canvas = RedrawOverMarker(*window);
  // No fill and no hand line above the game line.
  QVERIFY(Untouched(canvas, 20, 385, 260, 410));
  const QRect cell = TextCell(*window, canvas, QStringLiteral("Current Game: Varlo"), 20, 410);
  QVERIFY(Untouched(canvas, cell.right() + 1, 410, 260, 430));
}

void TTableDrawingTest::RedrawWithNothingChangedGivesTheSamePixels_data() {
  QTest::addColumn<int>("contract");
  QTest::newRow("trick") << 1;
  QTest::newRow("layout") << 0;
}

// Glyph edges reach out of their text's cell (the "J" of "Jo"): a second
// redraw must not blend them again over the first, and outside its cell a
// text adds nothing but its own colour.
void TTableDrawingTest::RedrawWithNothingChangedGivesTheSamePixels() {
  QFETCH(int, contract);
  TTestWindow window;
  auto& m = window->Match();
  contract == 0 ? PrepareLayout(m) : PrepareTrick(m);
  const QImage bare = RedrawOverMarker(*window).copy();
  Edit(m)->Table.HandLine = "Hand: Jack";
  Edit(m)->Table.GameLine = "Current Game: Whist";
  Edit(m)->Deal.Players[0].Name = "Jo";
  const QImage first = RedrawOverMarker(*window).copy();
  m.RepaintTable();
  const QImage& again = window->Table()->Canvas();

  QRegion cells;
  for (auto [text, x, y] : {std::tuple("Hand: Jack", 20, 385), {"Current Game: Whist", 20, 410},
                            {"Jo", 290, 5}}) {
    const QRect cell = TextCell(*window, first, QString::fromLatin1(text), x, y);
    cells += DeviceRect(first, cell.x(), cell.y(), cell.width(), cell.height());
  }
  const QRgb ink = window->TextColour().rgb();
  int differing = 0, blended = 0;
  for (int y = 0; y < first.height(); ++y)
    for (int x = 0; x < first.width(); ++x) {
      differing += first.pixel(x, y) != again.pixel(x, y);
      blended += !cells.contains(QPoint(x, y)) && first.pixel(x, y) != bare.pixel(x, y) &&
                 first.pixel(x, y) != ink;
    }
  QCOMPARE(differing, 0);
  QCOMPARE(blended, 0);
}

QTEST_MAIN(TTableDrawingTest)
#include "TableDrawingTest.moc"
