#include "CardImages.h"

#include <QPainter>
#include <algorithm>
#include <atomic>
#include <thread>

#include "CardArt.h"

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

void TCardImages::Prepare(const std::vector<std::pair<int, QSize>>& wanted) const {
  std::vector<std::pair<int, QSize>> missing;
  for (const auto& [n, pixels] : wanted) {
    const bool known = SizedImages.count({n, {pixels.width(), pixels.height()}}) > 0;
    const bool listed = std::find(missing.begin(), missing.end(), std::pair(n, pixels)) != missing.end();
    if (!known && !listed && n >= 0 && n < Count && !pixels.isEmpty()) missing.emplace_back(n, pixels);
  }
  if (missing.size() < 2) return;  // one picture is drawn where it is needed
  // Each picture paints its own image: nothing is shared between threads but
  // the counter that hands out the next picture. Plain threads rather than
  // Qt's concurrent module, which would be one more library to load at every
  // start for a resize that may never come.
  std::vector<QImage> rendered(missing.size());
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t i; (i = next++) < missing.size();)
      rendered[i] = Render(missing[i].first, missing[i].second);
  };
  {
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::jthread> helpers(std::min(cores, missing.size()) - 1);
    for (auto& helper : helpers) helper = std::jthread(work);
    work();
  }  // the helpers are joined here
  for (std::size_t i = 0; i < missing.size(); ++i)
    SizedImages[{missing[i].first, {missing[i].second.width(), missing[i].second.height()}}] =
        std::move(rendered[i]);
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
