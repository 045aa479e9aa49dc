// Opaque texts on the table: the cell in the table colour, then the glyphs
// in the text colour.
//
// A glyph may reach out of its cell (the hook of a "J", the arm of a "k")
// onto whatever the table shows there, which no fill restores. Blended
// there, its soft edge would be blended again at every redraw and grow
// darker; so outside the cell a pixel takes the ink whole where the glyph
// covers at least half of it, and is left as it was elsewhere. A text drawn
// twice then looks as a text drawn once, and clears nothing outside its cell.
//
// Each text is rasterised once for its font, place and scale into a mask
// of how much of each device pixel its glyphs cover, and kept: at the
// sizes of a large window Qt draws glyphs as outlines every time, several
// milliseconds a line.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

#include "OnCores.h"
#include "TableTransform.h"

class TTableView;

class TTableTexts {
 public:
  using TWanted = std::vector<std::pair<QPoint, QString>>;

  /// Readies the texts (top-left corner of the cell in table pixels, text)
  /// that a drawing pass will draw: the ones not kept yet are rasterised by
  /// `jobs`, to be run before the pass.
  void Prepare(const QFont& font, const TTableTransform& where, const TWanted& texts, TJobs& jobs);
  /// Draws the text with the top-left corner of its cell at `at` on the
  /// table's surface, in the ink colour on the table colour.
  void Draw(TTableView& table, const QFont& font, const QColor& ink, const QString& text, QPoint at);

 private:
  struct TMask {
    QRect Area, Cell;  // device pixels
    QImage Coverage;   // of Area
  };
  using TKey = std::tuple<QFont, QString, int, int, qreal, qreal, int, int>;

  static TKey KeyOf(const QFont& font, const TTableTransform& where, const QString& text, QPoint at);
  static TMask Rasterise(const QFont& font, const TTableTransform& where, const QString& text,
                         QPoint at);
  const TMask& Mask(const QFont& font, const TTableTransform& where, const QString& text, QPoint at);

  std::map<TKey, TMask> Masks;
};
