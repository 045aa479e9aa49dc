// The 33 card pictures of the table: the back and the faces of the 32 cards,
// drawn in code so that they stay sharp at any device pixel ratio.
#pragma once

#include <QImage>
#include <QPixmap>
#include <array>

class TCardImages {
 public:
  static constexpr int Count = 33;  // 0 = back, k = face of card code k-1
  static constexpr int Width = 74, Height = 100;

  explicit TCardImages(qreal devicePixelRatio = 1.0);

  /// Picture n (0..32) as a pixmap of logical size 74x100 at the given
  /// device pixel ratio; rendered on first use and kept. An index outside
  /// 0..32 gives a null pixmap.
  const QPixmap& Image(int n) const;

  /// The drawing itself: a fully opaque image of round(74*dpr) x
  /// round(100*dpr) pixels with its device pixel ratio set; null for an
  /// index outside 0..32.
  static QImage Render(int n, qreal devicePixelRatio);

 private:
  qreal Dpr;
  mutable std::array<QPixmap, Count> Images;
  QPixmap NoImage;
};
