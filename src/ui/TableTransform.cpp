#include "TableTransform.h"

#include <algorithm>
#include <cmath>

namespace {

int RoundHalfUp(qreal v) { return static_cast<int>(std::floor(v + 0.5)); }

}  // namespace

TTableTransform::TTableTransform(QSizeF widgetSize, qreal devicePixelRatio)
    : Dpr(devicePixelRatio > 0 ? devicePixelRatio : 1) {
  S = std::max<qreal>(
      1, std::min(widgetSize.width() / varlo::TableWidth, widgetSize.height() / varlo::TableHeight));
  K = S * Dpr;
  // Whole device pixels, so that every picture lands on the pixel grid.
  const qreal spareX = widgetSize.width() * Dpr - RoundHalfUp(varlo::TableWidth * K);
  const qreal spareY = widgetSize.height() * Dpr - RoundHalfUp(varlo::TableHeight * K);
  Offset = QPoint(std::max(0, static_cast<int>(std::floor(spareX / 2))),
                  std::max(0, static_cast<int>(std::floor(spareY / 2))));
}

int TTableTransform::DeviceX(qreal tableX) const { return Offset.x() + RoundHalfUp(tableX * K); }

int TTableTransform::DeviceY(qreal tableY) const { return Offset.y() + RoundHalfUp(tableY * K); }

QRect TTableTransform::DeviceRect(const QRect& table) const {
  const int left = DeviceX(table.x()), top = DeviceY(table.y());
  return {left, top, DeviceX(table.x() + table.width()) - left,
          DeviceY(table.y() + table.height()) - top};
}

QRectF TTableTransform::LogicalRect(const QRect& table) const {
  const QRect device = DeviceRect(table);
  return {device.x() / Dpr, device.y() / Dpr, device.width() / Dpr, device.height() / Dpr};
}

QTransform TTableTransform::ToLogical() const {
  if (IsIdentity()) return {};
  return QTransform::fromTranslate(Offset.x() / Dpr, Offset.y() / Dpr).scale(S, S);
}

QPoint TTableTransform::ToTable(QPointF logical) const {
  // Unscaled on a plain screen, the click goes to the game exactly as the
  // window reports it. At a fractional pixel ratio a logical position may
  // fall inside a device pixel that shows the card beside: the pixel decides.
  if (IsIdentity() && Dpr == 1) return logical.toPoint();
  // The table pixel whose device span, as the drawing rounds it, holds the
  // device pixel under the point: clicks and pictures share their edges.
  const auto toTable = [this](qreal device, int offset) {
    const int pixel = static_cast<int>(std::floor(device - offset + 1e-9));
    int x = static_cast<int>(std::ceil((pixel + 0.5) / K)) - 1;
    while (RoundHalfUp((x + 1) * K) <= pixel) ++x;
    while (RoundHalfUp(x * K) > pixel) --x;
    return x;
  };
  return {toTable(logical.x() * Dpr, Offset.x()), toTable(logical.y() * Dpr, Offset.y())};
}
