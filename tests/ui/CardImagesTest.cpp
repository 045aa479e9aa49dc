// The card pictures: their number, size, opacity and colours, and that the
// cards can be told apart.
#include <QImage>
#include <QPixmap>
#include <QTest>
#include <cmath>
#include <cstdlib>

#include "CardImages.h"

namespace {

constexpr int Back = 0;

// Picture index of the card of a suit (0 hearts, 1 spades, 2 diamonds,
// 3 clubs) and a rank (0 seven .. 7 ace).
int IndexOf(int suit, int rank) { return suit * 8 + rank + 1; }

QImage Pixels(const QPixmap& pixmap) {
  return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

// Clearly red: a strong red channel well above green and blue. Pink edges
// where red blends into white do not count, nor do skin or gold tones.
bool IsRed(QRgb pixel) {
  return qRed(pixel) >= 140 && qRed(pixel) - qGreen(pixel) >= 90 &&
         qRed(pixel) - qBlue(pixel) >= 90;
}

bool IsDarkGreen(QRgb pixel) {
  return qGreen(pixel) <= 140 && qGreen(pixel) - qRed(pixel) >= 30 &&
         qGreen(pixel) - qBlue(pixel) >= 20;
}

bool IsInk(QRgb pixel) {
  return qRed(pixel) < 200 || qGreen(pixel) < 200 || qBlue(pixel) < 200;
}

template <typename Test>
int CountPixels(const QImage& image, QRect area, Test test) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (test(image.pixel(x, y))) ++count;
  return count;
}

template <typename Test>
int CountPixels(const QImage& image, Test test) {
  return CountPixels(image, image.rect(), test);
}

int ChannelDistance(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                   std::abs(qBlue(a) - qBlue(b))});
}

}  // namespace

class TCardImagesTest : public QObject {
  Q_OBJECT

 private slots:
  void HasBackAndThirtyTwoFaces();
  void EveryPictureIsCardSized();
  void PixelSizeFollowsTheRatio_data();
  void PixelSizeFollowsTheRatio();
  void EveryPixelIsOpaque();
  void CornersAreWhite();
  void RedSuitsAreRed();
  void BlackSuitsHaveNoRed();
  void BackShowsRedOnDarkGreen();
  void MorePipsForHigherRanks();
  void CornerIndexRepeatsUpsideDown();
  void AllPicturesDiffer();
  void IndexOutsideTheSetGivesNothing();
  void RenderingIsRepeatable();
  void ExactSizeMatchesTheRatioWhereBothAgree();
  void PicturesAreKept();
};

void TCardImagesTest::HasBackAndThirtyTwoFaces() {
  QCOMPARE(TCardImages::Count, 33);
  TCardImages images;
  for (int n = 0; n < 33; ++n) QVERIFY2(!images.Image(n).isNull(), qPrintable(QString::number(n)));
}

void TCardImagesTest::EveryPictureIsCardSized() {
  QCOMPARE(TCardImages::Width, 74);
  QCOMPARE(TCardImages::Height, 100);
  TCardImages images;
  for (int n = 0; n < 33; ++n) {
    QCOMPARE(images.Image(n).size(), QSize(74, 100));
    QCOMPARE(images.Image(n).deviceIndependentSize(), QSizeF(74, 100));
  }
}

void TCardImagesTest::PixelSizeFollowsTheRatio_data() {
  QTest::addColumn<qreal>("ratio");
  QTest::addColumn<QSize>("pixels");
  QTest::newRow("1") << qreal(1.0) << QSize(74, 100);
  QTest::newRow("1.5") << qreal(1.5) << QSize(111, 150);
  QTest::newRow("2") << qreal(2.0) << QSize(148, 200);
}

void TCardImagesTest::PixelSizeFollowsTheRatio() {
  QFETCH(qreal, ratio);
  QFETCH(QSize, pixels);
  TCardImages images(ratio);
  for (int n = 0; n < 33; ++n) {
    const QPixmap& image = images.Image(n);
    QCOMPARE(image.size(), pixels);
    QCOMPARE(image.devicePixelRatio(), ratio);
    QCOMPARE(image.deviceIndependentSize(), QSizeF(74, 100));
    QCOMPARE(TCardImages::Render(n, ratio).size(), pixels);
  }
}

void TCardImagesTest::EveryPixelIsOpaque() {
  for (qreal ratio : {1.0, 2.0}) {
    TCardImages images(ratio);
    for (int n = 0; n < 33; ++n) {
      const QImage image = Pixels(images.Image(n));
      const int seeThrough = CountPixels(image, [](QRgb p) { return qAlpha(p) != 255; });
      QVERIFY2(seeThrough == 0, qPrintable(QString("image %1").arg(n)));
    }
  }
}

void TCardImagesTest::CornersAreWhite() {
  const QRgb white = qRgb(255, 255, 255);
  for (qreal ratio : {1.0, 2.0}) {
    TCardImages images(ratio);
    for (int n = 0; n < 33; ++n) {
      const QImage image = Pixels(images.Image(n));
      const int r = image.width() - 1, b = image.height() - 1;
      for (QPoint corner : {QPoint(0, 0), QPoint(r, 0), QPoint(0, b), QPoint(r, b)})
        QVERIFY2(image.pixel(corner) == white, qPrintable(QString("image %1").arg(n)));
    }
  }
}

void TCardImagesTest::RedSuitsAreRed() {
  TCardImages images;
  for (int suit : {0, 2})
    for (int rank = 0; rank < 8; ++rank) {
      const int n = IndexOf(suit, rank);
      // At least two corner marks of 9 pixels high are solid red.
      const int red = CountPixels(Pixels(images.Image(n)), IsRed);
      QVERIFY2(red >= 60, qPrintable(QString("image %1: %2").arg(n).arg(red)));
    }
}

void TCardImagesTest::BlackSuitsHaveNoRed() {
  for (qreal ratio : {1.0, 2.0}) {
    TCardImages images(ratio);
    for (int suit : {1, 3})
      for (int rank = 0; rank < 8; ++rank) {
        const int n = IndexOf(suit, rank);
        const int red = CountPixels(Pixels(images.Image(n)), IsRed);
        QVERIFY2(red == 0, qPrintable(QString("image %1: %2").arg(n).arg(red)));
      }
  }
}

void TCardImagesTest::BackShowsRedOnDarkGreen() {
  TCardImages images;
  const QImage back = Pixels(images.Image(Back));
  const int all = back.width() * back.height();
  const int green = CountPixels(back, IsDarkGreen);
  const int red = CountPixels(back, IsRed);
  // The ground covers most of the card, the roses a fair part of it.
  QVERIFY2(green > all / 4, qPrintable(QString::number(green)));
  QVERIFY2(red > all / 20, qPrintable(QString::number(red)));
  QVERIFY(red < green);
}

void TCardImagesTest::MorePipsForHigherRanks() {
  // Between the corner columns a pip card shows only its pips, one for
  // each point of its rank: seven to ten must show ever more ink there.
  TCardImages images;
  const QRect pipArea(QPoint(17, 10), QPoint(56, 89));
  for (int suit = 0; suit < 4; ++suit) {
    int previous = 0;
    for (int rank = 0; rank <= 3; ++rank) {
      const QImage face = Pixels(images.Image(IndexOf(suit, rank)));
      const int ink = CountPixels(face, pipArea, IsInk);
      QVERIFY2(ink > previous, qPrintable(QString("suit %1 rank %2").arg(suit).arg(rank)));
      previous = ink;
    }
  }
}

void TCardImagesTest::CornerIndexRepeatsUpsideDown() {
  TCardImages images;
  const QRect corner(0, 0, 16, 30);
  for (int n = 1; n < 33; ++n) {
    const QImage face = Pixels(images.Image(n));
    const QImage turned = face.mirrored(true, true);  // 180 degrees
    int differing = 0;
    for (int y = corner.top(); y <= corner.bottom(); ++y)
      for (int x = corner.left(); x <= corner.right(); ++x)
        if (ChannelDistance(face.pixel(x, y), turned.pixel(x, y)) > 96) ++differing;
    // Glyph rasterisation may shift an edge by a pixel, no more.
    QVERIFY2(differing <= corner.width() * corner.height() / 20,
             qPrintable(QString("image %1: %2").arg(n).arg(differing)));
    QVERIFY(CountPixels(face, corner, IsInk) > 40);
  }
}

void TCardImagesTest::AllPicturesDiffer() {
  TCardImages images;
  for (int a = 0; a < 33; ++a)
    for (int b = a + 1; b < 33; ++b)
      QVERIFY2(images.Image(a).toImage() != images.Image(b).toImage(),
               qPrintable(QString("images %1 and %2").arg(a).arg(b)));
}

void TCardImagesTest::IndexOutsideTheSetGivesNothing() {
  TCardImages images;
  QVERIFY(images.Image(33).isNull());
  QVERIFY(images.Image(-1).isNull());
  QVERIFY(TCardImages::Render(33, 1.0).isNull());
  QVERIFY(TCardImages::Render(-1, 1.0).isNull());
  QVERIFY(!images.Image(32).isNull());
  QVERIFY(!images.Image(0).isNull());
}

void TCardImagesTest::RenderingIsRepeatable() {
  for (qreal ratio : {1.0, 2.0}) {
    TCardImages first(ratio), second(ratio);
    for (int n = 0; n < 33; ++n) {
      QCOMPARE(TCardImages::Render(n, ratio), TCardImages::Render(n, ratio));
      QCOMPARE(Pixels(first.Image(n)), Pixels(second.Image(n)));
    }
  }
}

void TCardImagesTest::PicturesAreKept() {
  TCardImages images;
  for (int n = 0; n < 33; ++n) {
    const QPixmap& once = images.Image(n);
    const QPixmap& again = images.Image(n);
    QCOMPARE(&once, &again);
    QCOMPARE(once.cacheKey(), again.cacheKey());
  }
}

// Drawn for a device size where a pixel ratio gives whole sizes, a card is
// the very picture of that ratio; kept once made.
void TCardImagesTest::ExactSizeMatchesTheRatioWhereBothAgree() {
  TCardImages images;
  for (qreal ratio : {1.0, 1.5, 2.0})
    for (int n = 0; n < 33; ++n) {
      QImage byRatio = TCardImages::Render(n, ratio);
      byRatio.setDevicePixelRatio(1);
      QCOMPARE(images.Sized(n, byRatio.size()), byRatio);
    }
  const QImage& kept = images.Sized(7, QSize(93, 125));
  QVERIFY(kept.size() == QSize(93, 125) && &images.Sized(7, QSize(93, 125)) == &kept);
  QVERIFY(images.Sized(33, QSize(74, 100)).isNull());
}

QTEST_MAIN(TCardImagesTest)
#include "CardImagesTest.moc"
