// The 33 card pictures of the table: the back and the faces of the 32 cards,
// drawn in code so that they stay sharp at any size.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QSize>
#include <array>
#include <map>
#include <stop_token>
#include <utility>
#include <vector>

class TCardImages {
 public:
  static constexpr int Count = 33;  // 0 = back, k = face of card code k-1
  static constexpr int Width = 74, Height = 100;

  explicit TCardImages(qreal devicePixelRatio = 1.0);

  /// Picture n (0..32) as a pixmap of logical size 74x100 at the given
  /// device pixel ratio; rendered on first use and kept. An index outside
  /// 0..32 gives a null pixmap.
  const QPixmap& Image(int n) const;

  /// Picture n drawn to cover exactly the given device pixels (the card
  /// stretched to that size, not a resampled bitmap); rendered on first use
  /// and kept. Null for an index outside 0..32.
  const QImage& Sized(int n, QSize pixels) const;
  /// The kept picture n of exactly these device pixels; null when there is
  /// none yet.
  const QImage* Find(int n, QSize pixels) const;
  /// The largest kept picture n of any size, drawn already; null when there
  /// is none.
  const QImage* Largest(int n) const;
  /// Keeps a picture drawn elsewhere (Render) for its size.
  void Keep(int n, QImage picture) const;
  /// The place where picture n of these device pixels is to be kept, to be
  /// drawn into before anything asks for it; null when it is kept already.
  QImage* Reserve(int n, QSize pixels) const;
  /// Renders each picture (index, device pixels) of the list, several at a
  /// time on the machine's cores, leaving `spareCores` of them to others;
  /// once a stop is requested, the ones not begun yet stay null.
  static std::vector<QImage> RenderAll(const std::vector<std::pair<int, QSize>>& list,
                                       std::stop_token stop = {}, unsigned spareCores = 0);

  /// The drawing itself: a fully opaque image of round(74*dpr) x
  /// round(100*dpr) pixels with its device pixel ratio set; null for an
  /// index outside 0..32.
  static QImage Render(int n, qreal devicePixelRatio);
  /// The drawing at exactly the given pixel size (device pixel ratio 1).
  static QImage Render(int n, QSize pixels);

 private:
  qreal Dpr;
  mutable std::array<QPixmap, Count> Images;
  mutable std::map<std::pair<int, std::pair<int, int>>, QImage> SizedImages;
  QPixmap NoImage;
  QImage NoPicture;
};
