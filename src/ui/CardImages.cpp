#include "CardImages.h"

#include <QPainter>

#include "CardArt.h"
#include "OnCores.h"

namespace {

// Paints picture n onto an opaque white image whose painter already maps
// the card's 74 x 100 units onto its pixels.
void Paint(QImage& image, int n, qreal scaleX, qreal scaleY) {
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.scale(scaleX, scaleY);
  painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                         QPainter::SmoothPixmapTransform);
  if (n == 0)
    cardart::DrawBack(painter);
  else
    cardart::DrawFace(painter, n - 1);
}

}  // namespace

TCardImages::TCardImages(qreal devicePixelRatio) : Dpr(devicePixelRatio) {}

const QPixmap& TCardImages::Image(int n) const {
  if (n < 0 || n >= Count) return NoImage;
  QPixmap& image = Images[static_cast<std::size_t>(n)];
  if (image.isNull()) image = QPixmap::fromImage(Render(n, Dpr));
  return image;
}

const QImage& TCardImages::Sized(int n, QSize pixels) const {
  if (n < 0 || n >= Count || pixels.isEmpty()) return NoPicture;
  QImage& image = SizedImages[{n, {pixels.width(), pixels.height()}}];
  if (image.isNull()) image = Render(n, pixels);
  return image;
}

const QImage* TCardImages::Find(int n, QSize pixels) const {
  const auto kept = SizedImages.find({n, {pixels.width(), pixels.height()}});
  return kept == SizedImages.end() ? nullptr : &kept->second;
}

const QImage* TCardImages::Largest(int n) const {
  const QImage* largest = nullptr;
  for (auto it = SizedImages.lower_bound({n, {0, 0}}); it != SizedImages.end() && it->first.first == n; ++it)
    if (!it->second.isNull() && (!largest || it->second.width() > largest->width()))
      largest = &it->second;
  return largest;
}

void TCardImages::Keep(int n, QImage picture) const {
  if (n < 0 || n >= Count || picture.isNull()) return;
  SizedImages[{n, {picture.width(), picture.height()}}] = std::move(picture);
}

QImage* TCardImages::Reserve(int n, QSize pixels) const {
  const auto [place, fresh] = SizedImages.try_emplace({n, {pixels.width(), pixels.height()}});
  return fresh ? &place->second : nullptr;
}

std::vector<QImage> TCardImages::RenderAll(const std::vector<std::pair<int, QSize>>& list,
                                           std::stop_token stop, unsigned spareCores) {
  std::vector<QImage> rendered(list.size());
  RunOnCores(
      list.size(), [&](std::size_t i) { rendered[i] = Render(list[i].first, list[i].second); },
      stop, spareCores);
  return rendered;
}

QImage TCardImages::Render(int n, qreal devicePixelRatio) {
  if (n < 0 || n >= Count) return {};
  const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
  // RGB32 has no alpha channel: a card can never let the table show through.
  QImage image(qRound(Width * dpr), qRound(Height * dpr), QImage::Format_RGB32);
  image.setDevicePixelRatio(dpr);
  Paint(image, n, 1, 1);  // the painter scales by the image's pixel ratio itself
  return image;
}

QImage TCardImages::Render(int n, QSize pixels) {
  if (n < 0 || n >= Count || pixels.isEmpty()) return {};
  QImage image(pixels, QImage::Format_RGB32);
  Paint(image, n, qreal(pixels.width()) / Width, qreal(pixels.height()) / Height);
  return image;
}
