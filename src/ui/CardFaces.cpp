// Card faces: the frame, the corner indexes and the pips of seven to ace.
#include <QFont>
#include <QPainter>
#include <QPen>
#include <vector>

#include "CardArt.h"
#include "SuitShapes.h"

namespace cardart {

namespace {

const char* const RankTexts[] = {"7", "8", "9", "10", "J", "Q", "K", "A"};

constexpr qreal IndexCentreX = 8.5;
constexpr qreal PipHeight = 12.5;
constexpr qreal AceHeight = 40;

QFont IndexFont() {
  QFont font;
  font.setFamilies({"DejaVu Serif", "Liberation Serif", "Nimbus Roman",
                    "Times New Roman"});
  font.setStyleHint(QFont::Serif, QFont::PreferAntialias);
  font.setBold(true);
  font.setPixelSize(13);
  return font;
}

// Rank and suit mark of the top-left corner; the lower corner is the same
// drawing turned about the card's centre.
void DrawIndex(QPainter& painter, int suit, int rank) {
  painter.save();
  painter.setFont(IndexFont());
  painter.setPen(SuitColour(suit));
  if (rank == Ten) {
    // Two digits must fit the narrow corner column: squeeze them.
    painter.translate(IndexCentreX, 0);
    painter.scale(0.72, 1.0);
    painter.translate(-IndexCentreX, 0);
  }
  const QRectF box(IndexCentreX - 10, 2, 20, 15);
  painter.drawText(box, Qt::AlignCenter, QString::fromLatin1(RankTexts[rank]));
  painter.restore();
  DrawSuit(painter, suit, QPointF(IndexCentreX, 23), 9);
}

void DrawBothIndexes(QPainter& painter, int suit, int rank) {
  DrawIndex(painter, suit, rank);
  painter.save();
  painter.translate(CardWidth, CardHeight);
  painter.rotate(180);
  DrawIndex(painter, suit, rank);
  painter.restore();
}

// The classic pip patterns: two outer columns plus centre pips.
std::vector<QPointF> PipSpots(int rank) {
  constexpr qreal L = 24, C = 37, R = 50;
  const std::vector<qreal> threeRows{20, 50, 80};
  const std::vector<qreal> fourRows{20, 40, 60, 80};
  const auto& rows = rank >= Nine ? fourRows : threeRows;
  std::vector<QPointF> spots;
  for (qreal y : rows) spots.insert(spots.end(), {QPointF(L, y), QPointF(R, y)});
  switch (rank) {
    case Seven: spots.emplace_back(C, 35); break;
    case Eight: spots.insert(spots.end(), {QPointF(C, 35), QPointF(C, 65)}); break;
    case Nine: spots.emplace_back(C, 50); break;
    case Ten: spots.insert(spots.end(), {QPointF(C, 30), QPointF(C, 70)}); break;
    default: break;
  }
  return spots;
}

void DrawPips(QPainter& painter, int suit, int rank) {
  // Pips below the middle are upside down, as on a printed card.
  for (const QPointF& spot : PipSpots(rank))
    DrawSuit(painter, suit, spot, PipHeight, spot.y() > CardHeight / 2);
}

void DrawAce(QPainter& painter, int suit) {
  const QPointF centre(CardWidth / 2, CardHeight / 2);
  DrawSuit(painter, suit, centre, AceHeight);
  painter.save();
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(SuitColour(suit), 0.8));
  painter.drawEllipse(centre, 27, 27);
  painter.restore();
}

}  // namespace

void DrawCardBase(QPainter& painter) {
  painter.save();
  painter.setPen(QPen(QColor(70, 70, 70), 1.0));
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(QRectF(0.5, 0.5, CardWidth - 1, CardHeight - 1), 5, 5);
  painter.restore();
}

void DrawFace(QPainter& painter, int code) {
  const int suit = code / 8, rank = code % 8;
  DrawCardBase(painter);
  if (rank <= Ten)
    DrawPips(painter, suit, rank);
  else if (rank == Ace)
    DrawAce(painter, suit);
  else
    DrawCourtFigure(painter, suit, rank);
  DrawBothIndexes(painter, suit, rank);
}

}  // namespace cardart
