// Jack, queen and king: a framed panel with a half-length figure, drawn
// once upright and once turned, like a double-headed court card.
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include "CardArt.h"
#include "SuitShapes.h"

namespace cardart {

namespace {

const QRectF Panel(16, 12, 42, 76);
const QColor Cream(253, 248, 230);
const QColor Gold(226, 176, 46);
const QColor GoldEdge(150, 108, 24);
const QColor Skin(248, 220, 190);
const QColor SkinEdge(160, 112, 82);
const QColor Jewel(40, 86, 186);
const QColor Ink(60, 40, 30);

bool IsRed(int suit) { return suit == Heart || suit == Diamond; }

// Black suits get a deep navy robe: pure black would swallow the details.
QColor RobeColour(int suit) {
  return IsRed(suit) ? SuitColour(suit) : QColor(34, 42, 66);
}

QColor HairColour(int rank) {
  switch (rank) {
    case Queen: return QColor(214, 168, 72);
    case King: return QColor(206, 206, 210);
    default: return QColor(112, 72, 36);
  }
}

void Fill(QPainter& painter, const QPainterPath& path, const QColor& fill,
          const QColor& edge, qreal width = 0.6) {
  painter.setPen(QPen(edge, width));
  painter.setBrush(fill);
  painter.drawPath(path);
}

// All figure parts use panel coordinates: origin at the panel's centre,
// the upper half of the figure in y -38..0 and x -21..21.

void DrawHair(QPainter& painter, int rank) {
  QPainterPath hair;
  if (rank == Queen) {
    hair.addRoundedRect(QRectF(-8.5, -29, 17, 18), 6, 6);
  } else {
    hair.addEllipse(QPointF(0, -23.5), 7, 6.5);
  }
  Fill(painter, hair, HairColour(rank), HairColour(rank).darker(150));
}

void DrawRobe(QPainter& painter, int suit) {
  QPainterPath robe(QPointF(-19, 0));
  robe.lineTo(-19, -6);
  robe.cubicTo(-19, -11, -14, -13.5, -7, -14);
  robe.lineTo(7, -14);
  robe.cubicTo(14, -13.5, 19, -11, 19, -6);
  robe.lineTo(19, 0);
  robe.closeSubpath();
  Fill(painter, robe, RobeColour(suit), RobeColour(suit).darker(160));
  // A gold V collar and the suit embroidered on the chest.
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Gold, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPolyline(QPolygonF({QPointF(-7, -13.5), QPointF(0, -5),
                                  QPointF(7, -13.5)}));
  FillSuit(painter, suit, QPointF(-9, -6), 6, Gold);
}

void DrawHead(QPainter& painter) {
  QPainterPath neck;
  neck.addRect(QRectF(-2.5, -17.5, 5, 4.5));
  Fill(painter, neck, Skin, Skin);
  QPainterPath head;
  head.addEllipse(QPointF(0, -22), 5, 6);
  Fill(painter, head, Skin, SkinEdge, 0.5);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Ink);
  painter.drawEllipse(QPointF(-2, -22.8), 0.65, 0.75);
  painter.drawEllipse(QPointF(2, -22.8), 0.65, 0.75);
  painter.setPen(QPen(SkinEdge, 0.5));
  painter.drawLine(QPointF(0, -22), QPointF(-0.5, -20.2));
  painter.setPen(QPen(QColor(168, 96, 86), 0.7, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(-1.3, -18.6), QPointF(1.3, -18.6));
}

void DrawBeard(QPainter& painter) {
  QPainterPath beard(QPointF(-5, -21));
  beard.cubicTo(-4.5, -16, -2, -12.5, 0, -11.5);
  beard.cubicTo(2, -12.5, 4.5, -16, 5, -21);
  beard.cubicTo(3, -18.5, -3, -18.5, -5, -21);
  beard.closeSubpath();
  Fill(painter, beard, HairColour(King), HairColour(King).darker(150));
}

// A soft cap with a gold band and a small white plume.
void DrawCap(QPainter& painter, int suit) {
  QPainterPath plume(QPointF(1, -31.5));
  plume.cubicTo(3, -33, 5.5, -35, 7.5, -37.8);
  plume.cubicTo(7.5, -35, 5.5, -32.5, 3.5, -31);
  plume.closeSubpath();
  Fill(painter, plume, Qt::white, QColor(150, 150, 150), 0.5);
  QPainterPath cap;
  cap.addEllipse(QPointF(0.8, -29.3), 7.6, 3.8);
  Fill(painter, cap, RobeColour(suit), RobeColour(suit).darker(170));
  QPainterPath band;
  band.addRoundedRect(QRectF(-5.6, -28, 11.2, 2.2), 1, 1);
  Fill(painter, band, Gold, GoldEdge, 0.4);
}

// A low gold band with three small arches and one jewel.
void DrawTiara(QPainter& painter) {
  QPainterPath tiara(QPointF(-5.4, -26.2));
  tiara.lineTo(-5.2, -28.3);
  tiara.quadTo(-3.7, -31, -2, -29);
  tiara.quadTo(0, -33, 2, -29);
  tiara.quadTo(3.7, -31, 5.2, -28.3);
  tiara.lineTo(5.4, -26.2);
  tiara.quadTo(0, -27.6, -5.4, -26.2);
  tiara.closeSubpath();
  Fill(painter, tiara, Gold, GoldEdge, 0.4);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Jewel);
  painter.drawEllipse(QPointF(0, -29.4), 0.9, 0.9);
}

// A crown with five points, each carrying a small gold ball.
void DrawCrown(QPainter& painter) {
  QPainterPath crown(QPointF(-6.5, -26.5));
  crown.lineTo(-7.2, -34);
  crown.lineTo(-4, -30);
  crown.lineTo(-2.4, -35.5);
  crown.lineTo(0, -30.5);
  crown.lineTo(2.4, -35.5);
  crown.lineTo(4, -30);
  crown.lineTo(7.2, -34);
  crown.lineTo(6.5, -26.5);
  crown.closeSubpath();
  Fill(painter, crown, Gold, GoldEdge, 0.5);
  painter.setPen(QPen(GoldEdge, 0.3));
  painter.setBrush(Gold);
  for (QPointF tip : {QPointF(-7.2, -34.3), QPointF(-2.4, -35.8),
                      QPointF(2.4, -35.8), QPointF(7.2, -34.3)})
    painter.drawEllipse(tip, 1, 1);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Jewel);
  painter.drawEllipse(QPointF(0, -28.3), 1.1, 1.1);
}

// What each figure holds at its side: a halberd, a rose, a sceptre.
void DrawHalberd(QPainter& painter) {
  painter.setPen(QPen(QColor(120, 80, 40), 1.3, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(14, -1), QPointF(14, -33));
  QPainterPath blade(QPointF(14, -30));
  blade.cubicTo(18, -31, 19, -27, 18.5, -24);
  blade.lineTo(14, -25.5);
  blade.closeSubpath();
  blade.moveTo(14, -33);
  blade.lineTo(15.2, -37);
  blade.lineTo(12.8, -37);
  blade.closeSubpath();
  Fill(painter, blade, QColor(196, 200, 210), QColor(110, 114, 124), 0.5);
}

void DrawRose(QPainter& painter, int suit) {
  painter.setPen(QPen(QColor(40, 120, 50), 1.0, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  QPainterPath stem(QPointF(13, -3));
  stem.cubicTo(15, -10, 12, -17, 14, -23);
  painter.drawPath(stem);
  const QColor petal = IsRed(suit) ? SuitColour(suit) : Gold;
  painter.setPen(QPen(petal.darker(150), 0.4));
  painter.setBrush(petal);
  for (int i = 0; i < 5; ++i) {
    painter.save();
    painter.translate(14, -25);
    painter.rotate(72 * i);
    painter.drawEllipse(QPointF(0, -1.6), 1.6, 1.6);
    painter.restore();
  }
  painter.setBrush(petal.darker(160));
  painter.drawEllipse(QPointF(14, -25), 1, 1);
}

void DrawSceptre(QPainter& painter) {
  painter.setPen(QPen(GoldEdge, 1.6, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(14, -2), QPointF(14, -31));
  painter.setPen(QPen(Gold, 0.9, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(14, -2), QPointF(14, -31));
  painter.setPen(QPen(GoldEdge, 0.4));
  painter.setBrush(Gold);
  painter.drawEllipse(QPointF(14, -32.5), 2, 2);
  painter.setPen(QPen(GoldEdge, 0.9));
  painter.drawLine(QPointF(14, -34.5), QPointF(14, -37.5));
  painter.drawLine(QPointF(12.6, -36.2), QPointF(15.4, -36.2));
}

void DrawHand(QPainter& painter) {
  QPainterPath hand;
  hand.addEllipse(QPointF(14, -9), 2, 1.8);
  Fill(painter, hand, Skin, SkinEdge, 0.4);
}

void DrawHalfFigure(QPainter& painter, int suit, int rank) {
  DrawHair(painter, rank);
  DrawRobe(painter, suit);
  switch (rank) {
    case Jack: DrawHalberd(painter); break;
    case Queen: DrawRose(painter, suit); break;
    default: DrawSceptre(painter); break;
  }
  DrawHand(painter);
  DrawHead(painter);
  switch (rank) {
    case Jack: DrawCap(painter, suit); break;
    case Queen: DrawTiara(painter); break;
    default: DrawBeard(painter); DrawCrown(painter); break;
  }
  DrawSuit(painter, suit, QPointF(-15.5, -31.5), 7);
}

}  // namespace

void DrawCourtFigure(QPainter& painter, int suit, int rank) {
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(Cream);
  painter.drawRect(Panel);
  painter.setClipRect(Panel);
  painter.translate(Panel.center());
  DrawHalfFigure(painter, suit, rank);
  painter.rotate(180);
  DrawHalfFigure(painter, suit, rank);
  painter.setClipping(false);
  painter.setPen(QPen(SuitColour(suit), 0.6));
  painter.drawLine(QPointF(-Panel.width() / 2, 0), QPointF(Panel.width() / 2, 0));
  painter.restore();
  painter.save();
  painter.setPen(QPen(SuitColour(suit), 1.0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(Panel);
  painter.restore();
}

}  // namespace cardart
