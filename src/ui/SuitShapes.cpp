#include "SuitShapes.h"

#include <QPainter>
#include <QTransform>

namespace cardart {

namespace {

// Every path below is drawn in a unit box, x and y from -0.5 to 0.5, and
// scaled afterwards; y grows downwards as on the screen.

QPainterPath UnitHeart() {
  QPainterPath path(QPointF(0, 0.5));
  path.cubicTo(-0.14, 0.33, -0.5, 0.1, -0.5, -0.19);
  path.cubicTo(-0.5, -0.38, -0.38, -0.5, -0.25, -0.5);
  path.cubicTo(-0.1, -0.5, -0.02, -0.41, 0, -0.3);
  path.cubicTo(0.02, -0.41, 0.1, -0.5, 0.25, -0.5);
  path.cubicTo(0.38, -0.5, 0.5, -0.38, 0.5, -0.19);
  path.cubicTo(0.5, 0.1, 0.14, 0.33, 0, 0.5);
  path.closeSubpath();
  return path;
}

QPainterPath UnitSpade() {
  QPainterPath path(QPointF(0, -0.5));
  path.cubicTo(0.14, -0.3, 0.48, -0.12, 0.48, 0.12);
  path.cubicTo(0.48, 0.29, 0.37, 0.38, 0.24, 0.38);
  path.cubicTo(0.14, 0.38, 0.07, 0.33, 0.03, 0.26);
  path.cubicTo(0.05, 0.38, 0.1, 0.45, 0.2, 0.5);
  path.lineTo(-0.2, 0.5);
  path.cubicTo(-0.1, 0.45, -0.05, 0.38, -0.03, 0.26);
  path.cubicTo(-0.07, 0.33, -0.14, 0.38, -0.24, 0.38);
  path.cubicTo(-0.37, 0.38, -0.48, 0.29, -0.48, 0.12);
  path.cubicTo(-0.48, -0.12, -0.14, -0.3, 0, -0.5);
  path.closeSubpath();
  return path;
}

QPainterPath UnitDiamond() {
  // Slightly hollow sides read as a card diamond rather than a plain square.
  QPainterPath path(QPointF(0, -0.5));
  path.quadTo(0.16, -0.22, 0.38, 0);
  path.quadTo(0.16, 0.22, 0, 0.5);
  path.quadTo(-0.16, 0.22, -0.38, 0);
  path.quadTo(-0.16, -0.22, 0, -0.5);
  path.closeSubpath();
  return path;
}

QPainterPath UnitClub() {
  // Overlapping parts filled with the winding rule: one fill, no seams, and
  // the curves stay curves (simplifying the path would flatten them).
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  const qreal r = 0.22;
  path.addEllipse(QPointF(0, -0.27), r, r);
  path.addEllipse(QPointF(-0.255, 0.1), r, r);
  path.addEllipse(QPointF(0.255, 0.1), r, r);
  path.addEllipse(QPointF(0, 0.02), 0.14, 0.14);
  // The stem runs the same way round as the circles, or the winding
  // rule would cut it out where they overlap.
  path.moveTo(-0.035, 0.05);
  path.lineTo(0.035, 0.05);
  path.cubicTo(0.05, 0.3, 0.1, 0.44, 0.19, 0.5);
  path.lineTo(-0.19, 0.5);
  path.cubicTo(-0.1, 0.44, -0.05, 0.3, -0.035, 0.05);
  path.closeSubpath();
  return path;
}

QPainterPath UnitPath(int suit) {
  switch (suit) {
    case Heart: return UnitHeart();
    case Spade: return UnitSpade();
    case Diamond: return UnitDiamond();
    case Club: return UnitClub();
    default: return {};
  }
}

}  // namespace

QPainterPath SuitPath(int suit, qreal height) {
  return QTransform::fromScale(height, height).map(UnitPath(suit));
}

QColor SuitColour(int suit) {
  const bool red = suit == Heart || suit == Diamond;
  return red ? QColor(204, 18, 36) : QColor(20, 20, 26);
}

void FillSuit(QPainter& painter, int suit, QPointF centre, qreal height,
              const QColor& colour, bool upsideDown) {
  painter.save();
  painter.translate(centre);
  if (upsideDown) painter.rotate(180);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawPath(SuitPath(suit, height));
  painter.restore();
}

void DrawSuit(QPainter& painter, int suit, QPointF centre, qreal height,
              bool upsideDown) {
  FillSuit(painter, suit, centre, height, SuitColour(suit), upsideDown);
}

}  // namespace cardart
