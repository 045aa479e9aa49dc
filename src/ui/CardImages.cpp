#include "CardImages.h"

#include <QPainter>

#include "CardArt.h"

TCardImages::TCardImages(qreal devicePixelRatio) : Dpr(devicePixelRatio) {}

const QPixmap& TCardImages::Image(int n) const {
  if (n < 0 || n >= Count) return NoImage;
  QPixmap& image = Images[static_cast<std::size_t>(n)];
  if (image.isNull()) image = QPixmap::fromImage(Render(n, Dpr));
  return image;
}

QImage TCardImages::Render(int n, qreal devicePixelRatio) {
  if (n < 0 || n >= Count) return {};
  const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
  // RGB32 has no alpha channel: a card can never let the table show through.
  QImage image(qRound(Width * dpr), qRound(Height * dpr), QImage::Format_RGB32);
  image.setDevicePixelRatio(dpr);
  image.fill(Qt::white);
  QPainter painter(&image);  // scales by the image's pixel ratio itself
  painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                         QPainter::SmoothPixmapTransform);
  if (n == 0)
    cardart::DrawBack(painter);
  else
    cardart::DrawFace(painter, n - 1);
  return image;
}
