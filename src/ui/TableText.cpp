#include "TableText.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QtMath>
#include <cstdlib>

#include "TableView.h"

namespace {

// Whether the glyphs cover at least half of a pixel that went from `before`
// to `after` when the text was blended on in the ink colour: read off the
// channel on which ink and ground differ most.
bool MostlyInk(QRgb before, QRgb after, QRgb ink) {
  const int from[] = {qRed(before), qGreen(before), qBlue(before)};
  const int to[] = {qRed(after), qGreen(after), qBlue(after)};
  const int full[] = {qRed(ink), qGreen(ink), qBlue(ink)};
  int c = 0;
  for (int k = 1; k < 3; ++k)
    if (std::abs(full[k] - from[k]) > std::abs(full[c] - from[c])) c = k;
  return full[c] != from[c] && 2 * std::abs(to[c] - from[c]) >= std::abs(full[c] - from[c]);
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
  const QRect area = (glyphs.adjusted(-margin, -margin, margin, margin) | cell) & canvas.rect();
  if (area.isEmpty()) return;
  table.Claim(area);
  const QImage before = canvas.copy(area);

  table.FillDevice(cell);
  painter.drawText(baseline, text);

  const QRgb ink = painter.pen().color().rgb();
  for (int y = 0; y < area.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(canvas.scanLine(area.y() + y)) + area.x();
    const auto* under = reinterpret_cast<const QRgb*>(before.constScanLine(y));
    for (int x = 0; x < area.width(); ++x)
      if (!cell.contains(area.x() + x, area.y() + y))
        line[x] = MostlyInk(under[x], line[x], ink) ? ink : under[x];
  }
}
