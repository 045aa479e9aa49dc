#include "TableText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QtMath>

#include "TableView.h"

namespace {

// More than a few window sizes' worth of texts: start again.
constexpr std::size_t MaxMasks = 256;

// ground * (1 - coverage) + ink * coverage, coverage in 255ths, rounded.
QRgb Mix(QRgb ground, QRgb ink, int coverage) {
  const auto mix = [coverage](int g, int i) {
    const int v = g * (255 - coverage) + i * coverage + 128;
    return (v + (v >> 8)) >> 8;  // v / 255 for v up to 255 * 255 + 128
  };
  return qRgb(mix(qRed(ground), qRed(ink)), mix(qGreen(ground), qGreen(ink)),
              mix(qBlue(ground), qBlue(ink)));
}

}  // namespace

TTableTexts::TKey TTableTexts::KeyOf(const QFont& font, const TTableTransform& where,
                                     const QString& text, QPoint at) {
  return {font, text, at.x(), at.y(), where.Scale(), where.DevicePixelRatio(),
          where.DeviceOffset().x(), where.DeviceOffset().y()};
}

TTableTexts::TMask TTableTexts::Rasterise(const QFont& font, const TTableTransform& where,
                                          const QString& text, QPoint at) {
  // Metrics as on the table's image, whose resolution every image shares.
  const QImage resolution(1, 1, QImage::Format_Alpha8);
  const QFontMetrics metrics(font, &resolution);
  TMask mask;
  mask.Cell = where.DeviceRect(QRect(at, QSize(metrics.horizontalAdvance(text), metrics.height())));
  const QPoint baseline(at.x(), at.y() + metrics.ascent());
  // Every device pixel the glyphs may touch, soft edges included.
  const int margin = 2 + qCeil(where.DeviceScale());
  const QRect glyphs = where.DeviceRect(metrics.boundingRect(text).translated(baseline));
  mask.Area = glyphs.adjusted(-margin, -margin, margin, margin) | mask.Cell;
  mask.Coverage = QImage(mask.Area.size(), QImage::Format_Alpha8);
  mask.Coverage.fill(0);
  const qreal dpr = where.DevicePixelRatio();
  mask.Coverage.setDevicePixelRatio(dpr);
  // The table's own transform, moved to the area's corner: the glyphs fall
  // on the same device pixels as on the table.
  QPainter painter(&mask.Coverage);
  painter.setTransform(where.ToLogical() *
                       QTransform::fromTranslate(-mask.Area.x() / dpr, -mask.Area.y() / dpr));
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(baseline, text);
  return mask;
}

void TTableTexts::Prepare(const QFont& font, const TTableTransform& where, const TWanted& texts,
                          TJobs& jobs) {
  if (Masks.size() > MaxMasks) Masks.clear();
  for (const auto& [at, text] : texts) {
    const TKey key = KeyOf(font, where, text, at);
    if (text.isEmpty() || Masks.count(key)) continue;
    TMask* mask = &Masks[key];
    jobs.push_back([mask, font, where, text, at] { *mask = Rasterise(font, where, text, at); });
  }
}

const TTableTexts::TMask& TTableTexts::Mask(const QFont& font, const TTableTransform& where,
                                            const QString& text, QPoint at) {
  const TKey key = KeyOf(font, where, text, at);
  auto kept = Masks.find(key);
  if (kept == Masks.end()) kept = Masks.emplace(key, Rasterise(font, where, text, at)).first;
  return kept->second;
}

void TTableTexts::Draw(TTableView& table, const QFont& font, const QColor& ink,
                       const QString& text, QPoint at) {
  if (text.isEmpty()) return;
  const TMask& mask = Mask(font, table.Transform(), text, at);
  QImage& canvas = table.Surface();
  const QRect area = mask.Area & canvas.rect();
  if (area.isEmpty()) return;
  table.Claim(area);
  const QRgb pen = ink.rgb(), ground = table.Background().rgb();
  const QRect cell = mask.Cell & area;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(canvas.scanLine(y));
    const uchar* coverage = mask.Coverage.constScanLine(y - mask.Area.y()) - mask.Area.x();
    const bool cellRow = y >= cell.top() && y <= cell.bottom();
    const int cellLeft = cellRow ? cell.left() : area.right() + 1;
    const int cellRight = cellRow ? cell.right() : area.right();
    for (int x = area.left(); x < cellLeft; ++x)
      if (coverage[x] >= 128) line[x] = pen;
    for (int x = cellLeft; x <= cellRight; ++x)
      line[x] = coverage[x] == 0 ? ground : coverage[x] == 255 ? pen : Mix(ground, pen, coverage[x]);
    for (int x = cellRight + 1; x <= area.right(); ++x)
      if (coverage[x] >= 128) line[x] = pen;
  }
}
