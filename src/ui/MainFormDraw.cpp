// The drawing pass: the table painted from the match state onto the backing
// image. It never clears the table: pictures cover their rectangles, texts
// their own cells, and two fills erase the name and the status lines.
#include <QFontMetrics>
#include <QPainter>

#include "CardImages.h"
#include "MainForm.h"
#include "TableView.h"

namespace {

// Where the computer players sit: a card back and a fixed label each.
struct TSeatMark {
  int BackX, BackY;
  const char* Label;
  int LabelX, LabelY;
};

constexpr TSeatMark SeatMarks[] = {
    {20, 163, "Jack", 38, 273},
    {538, 163, "Ben", 563, 273},
    {279, 300, "Sandra", 291, 410},
};

constexpr int TrickLeft = 168, TrickTop = 163;
// With the layout messages on the table, their line lies right of the game
// line, where the layout view has nothing else.
constexpr int MessageLeft = 250, MessageTop = 410, MessageRight = 612, MessageBottom = 430;
constexpr int LayoutLeft = 20, LayoutTop = 150, LayoutRowStep = 50;

}  // namespace

void TfrmVarlo::PaintTable() {
  // At a new scale (after a resize) every picture is still to be rendered.
  if (CardImages().Empty()) PrepareCardImages();
  // The painter's lifetime is the canvas lock: from before the first
  // picture to after the last.
  QPainter painter(&TableView->Canvas());
  // Texts go through the table transform; pictures and fills are put on
  // device pixels directly (DrawCardImage, FillRect).
  painter.setTransform(TableView->Transform().ToLogical());
  painter.setFont(TextFont);
  painter.setPen(TextPen);
  Canvas = &painter;
  DrawTable();
  DrawHumanHand();
  DrawOpponents();
  Canvas = nullptr;
  painter.end();
  TableView->Present();
}

// A pass over the table that draws nothing: it collects the pictures and
// their sizes, so that they are rendered together, on all cores.
void TfrmVarlo::PrepareCardImages() {
  std::vector<std::pair<int, QSize>> wanted;
  WantedImages = &wanted;
  DrawTable();
  DrawHumanHand();
  DrawOpponents();
  WantedImages = nullptr;
  CardImages().Prepare(wanted);
}

void TfrmVarlo::DrawTable() {
  const auto& m = MatchState;
  if (m.Deal().Contract < 0) return;
  if (varlo::IsTrickContract(m.Deal().Contract)) {
    for (int i = 0; i < varlo::SeatCount; ++i)
      DrawCardImage(m.Deal().Trick[i] + 1, TrickLeft + varlo::CardWidth * i, TrickTop);
    FillRect(20, 385, 260, 430);
    DrawText(m.Lines().HandLine, 20, 385);
    DrawText(m.Lines().GameLine, 20, 410);
    return;
  }
  // Later suits lie on the lower half of the row above.
  for (int c = 0; c < varlo::DeckSize; ++c) {
    if (m.Deal().Layout[c])
      DrawCardImage(c + 1, LayoutLeft + varlo::CardWidth * (c % 8),
                    LayoutTop + LayoutRowStep * (c / 8));
  }
  DrawText(m.Lines().GameLine, 20, 410);
  if (m.Config().MessagesOnTable) DrawMessageLine(m.Lines().HandLine);
}

// The newest messages are the ones to read: an overlong line loses its
// oldest part.
void TfrmVarlo::DrawMessageLine(const std::string& text) {
  FillRect(MessageLeft, MessageTop, MessageRight, MessageBottom);
  if (!Canvas) return;
  const QString line = Canvas->fontMetrics().elidedText(
      QString::fromStdString(text), Qt::ElideLeft, MessageRight - MessageLeft - 10);
  DrawText(line.toStdString(), MessageLeft + 10, MessageTop);
}

void TfrmVarlo::DrawHumanHand() {
  const auto& human = MatchState.Deal().Players[0];
  if (MatchState.Deal().Contract < 0) return;
  for (int i = 0; i < varlo::HandSize; ++i)
    DrawCardImage(human.Cards[i] + 1, varlo::HandLeft + varlo::CardWidth * i, varlo::HandTop);
  FillRect(290, 5, 530, 18);
  DrawText(human.Name, 290, 5);
}

void TfrmVarlo::DrawOpponents() {
  if (MatchState.Deal().Contract <= 0) return;
  for (const TSeatMark& seat : SeatMarks) {
    DrawCardImage(0, seat.BackX, seat.BackY);
    DrawText(seat.Label, seat.LabelX, seat.LabelY);
  }
}

void TfrmVarlo::DrawCardImage(int n, int x, int y) {
  // The picture is drawn for exactly the device pixels its rectangle
  // covers, so neighbours share an edge and never overlap.
  const QRect where =
      TableView->Transform().DeviceRect(QRect(x, y, varlo::CardWidth, varlo::CardHeight));
  if (WantedImages) {
    WantedImages->emplace_back(n, where.size());
    return;
  }
  const QImage& picture = CardImages().Sized(n, where.size());
  if (picture.isNull()) return;
  TableView->PutImage(picture, where.topLeft());
}

// Opaque text: its cell in the table colour first, then the glyphs, with the
// top of the cell at y.
void TfrmVarlo::DrawText(const std::string& text, int x, int y) {
  if (text.empty() || !Canvas) return;
  const QString line = QString::fromStdString(text);
  const QFontMetrics metrics = Canvas->fontMetrics();
  Canvas->fillRect(QRect(x, y, metrics.horizontalAdvance(line), metrics.height()),
                   TableView->Background());
  Canvas->drawText(x, y + metrics.ascent(), line);
}

// The rectangle (left, top)-(right, bottom), right and bottom excluded.
void TfrmVarlo::FillRect(int left, int top, int right, int bottom) {
  if (!Canvas) return;
  TableView->FillDevice(
      TableView->Transform().DeviceRect(QRect(left, top, right - left, bottom - top)));
}

const TCardImages& TfrmVarlo::CardImages() {
  // Pictures are kept for the table's scale and the one before it, so that
  // going back and forth (maximise, restore) renders nothing again.
  const qreal scale = TableView->Transform().DeviceScale();
  if (!Images || ImagesScale != scale) {
    std::swap(Images, EarlierImages);
    std::swap(ImagesScale, EarlierScale);
    if (!Images || ImagesScale != scale) {
      Images = std::make_unique<TCardImages>();
      ImagesScale = scale;
    }
  }
  return *Images;
}
