#include "TableText.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QtMath>

#include "TableView.h"

namespace {

// How much of each device pixel in `area` the text's glyphs cover, as the
// alpha of an image of the area's size: the canvas's own transform moved
// to the area's corner, so the glyphs fall on the same pixels.
QImage Coverage(const QPainter& painter, const TTableTransform& where, const QString& text,
                QPoint baseline, const QRect& area) {
  QImage layer(area.size(), QImage::Format_ARGB32_Premultiplied);
  layer.fill(Qt::transparent);
  const qreal dpr = where.DevicePixelRatio();
  layer.setDevicePixelRatio(dpr);
  QPainter ink(&layer);
  ink.setTransform(where.ToLogical() * QTransform::fromTranslate(-area.x() / dpr, -area.y() / dpr));
  ink.setFont(painter.font());
  ink.setPen(Qt::black);
  ink.drawText(baseline, text);
  return layer;
}

}  // namespace

// A glyph may reach out of its cell (the hook of a "J", the arm of a "k")
// onto whatever the table shows there, which no fill restores. Blended
// there, its soft edge would be blended again at every redraw and grow
// darker. So outside the cell a pixel takes the ink whole where the glyph
// covers at least half of it and is left as it was elsewhere: the text adds
// the same pixels each time, and clears nothing outside its cell.
void DrawOpaqueText(QPainter& painter, TTableView& table, const QString& text, QPoint at) {
  auto& canvas = static_cast<QImage&>(*painter.device());
  const TTableTransform& where = table.Transform();
  const QFontMetrics metrics = painter.fontMetrics();
  const QRect cell =
      where.DeviceRect(QRect(at, QSize(metrics.horizontalAdvance(text), metrics.height())));
  const QPoint baseline(at.x(), at.y() + metrics.ascent());
  // Every device pixel the glyphs may touch, soft edges included.
  const int margin = 2 + qCeil(where.DeviceScale());
  const QRect glyphs = where.DeviceRect(metrics.boundingRect(text).translated(baseline));
  const QRect area =
      (glyphs.adjusted(-margin, -margin, margin, margin) | cell) & canvas.rect();
  if (area.isEmpty()) return;
  const QImage before = canvas.copy(area);

  table.FillDevice(cell);
  painter.drawText(baseline, text);

  const QImage cover = Coverage(painter, where, text, baseline, area);
  const QRgb ink = painter.pen().color().rgb();
  for (int y = 0; y < area.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(canvas.scanLine(area.y() + y)) + area.x();
    const auto* under = reinterpret_cast<const QRgb*>(before.constScanLine(y));
    const auto* covered = reinterpret_cast<const QRgb*>(cover.constScanLine(y));
    for (int x = 0; x < area.width(); ++x)
      if (!cell.contains(area.x() + x, area.y() + y))
        line[x] = qAlpha(covered[x]) >= 128 ? ink : under[x];
  }
}
