// The card back: red roses in a diagonal grid on a dark green ground,
// inside a thin white margin.
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include "CardArt.h"

namespace cardart {

namespace {

const QColor Ground(14, 74, 38);
const QColor GroundLine(214, 196, 132);
const QColor Leaf(58, 138, 62);
const QColor OuterPetal(176, 16, 32);
const QColor InnerPetal(222, 44, 54);
const QColor RoseHeart(112, 4, 18);

constexpr qreal Margin = 3.5;
constexpr qreal RoseRadius = 5.4;
constexpr qreal GridStep = 12;  // roses sit where (column + row) is even

void DrawLeaves(QPainter& painter, qreal r) {
  painter.setPen(QPen(Leaf.darker(140), 0.3));
  painter.setBrush(Leaf);
  for (qreal angle : {0.0, 180.0}) {
    painter.save();
    painter.rotate(angle);
    QPainterPath leaf(QPointF(r * 0.6, 0));
    leaf.quadTo(r * 1.25, -r * 0.55, r * 1.85, 0);
    leaf.quadTo(r * 1.25, r * 0.55, r * 0.6, 0);
    painter.drawPath(leaf);
    painter.restore();
  }
}

void DrawPetalRing(QPainter& painter, qreal distance, qreal size,
                   qreal turn, const QColor& colour) {
  painter.setPen(QPen(colour.darker(150), 0.35));
  painter.setBrush(colour);
  for (int i = 0; i < 5; ++i) {
    painter.save();
    painter.rotate(turn + 72 * i);
    painter.drawEllipse(QPointF(0, -distance), size, size);
    painter.restore();
  }
}

// A rose seen from above: leaves, two rings of petals and a dark heart.
void DrawRose(QPainter& painter, QPointF centre) {
  const qreal r = RoseRadius;
  painter.save();
  painter.translate(centre);
  DrawLeaves(painter, r);
  DrawPetalRing(painter, r * 0.5, r * 0.52, 0, OuterPetal);
  DrawPetalRing(painter, r * 0.28, r * 0.36, 36, InnerPetal);
  painter.setPen(Qt::NoPen);
  painter.setBrush(RoseHeart);
  painter.drawEllipse(QPointF(0, 0), r * 0.22, r * 0.22);
  painter.restore();
}

// How far a rose reaches from its centre (leaves across, petals up and
// down), with room for the outlines and the antialiased edge.
constexpr qreal RoseReachX = 1.85 * RoseRadius + 1.5, RoseReachY = 1.02 * RoseRadius + 1.5;

// The roses on the field; those partly outside it are clipped to it. Roses
// wholly outside are left out and those wholly inside are drawn without the
// clip: the picture is the same, made in a fraction of the time.
void DrawRoseGrid(QPainter& painter, const QRectF& field, const QPainterPath& clip) {
  // Centred on the card so the pattern is the same turned either way up.
  const QPointF middle(CardWidth / 2, CardHeight / 2);
  const QRectF inside = field.adjusted(3, 3, -3, -3);  // clear of the rounded corners
  for (int row = -5; row <= 5; ++row) {
    for (int column = -4; column <= 4; ++column) {
      if ((row + column) % 2 != 0) continue;
      const QPointF centre = middle + QPointF(column * GridStep, row * GridStep);
      const QRectF reach(centre.x() - RoseReachX, centre.y() - RoseReachY, 2 * RoseReachX,
                         2 * RoseReachY);
      if (!reach.intersects(field)) continue;
      if (inside.contains(reach))
        painter.setClipping(false);
      else
        painter.setClipPath(clip);
      DrawRose(painter, centre);
    }
  }
  painter.setClipping(false);
}

}  // namespace

void DrawBack(QPainter& painter) {
  DrawCardBase(painter);
  const QRectF field(Margin, Margin, CardWidth - 2 * Margin, CardHeight - 2 * Margin);
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(Ground);
  painter.drawRoundedRect(field, 3, 3);
  QPainterPath clip;
  clip.addRoundedRect(field, 3, 3);
  DrawRoseGrid(painter, field, clip);
  painter.setPen(QPen(GroundLine, 0.6));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(field.adjusted(1.6, 1.6, -1.6, -1.6), 2, 2);
  painter.restore();
}

}  // namespace cardart
