#include "TableView.h"

#include "FirstPaint.h"
#include "TableAccessible.h"
#include "match.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QShowEvent>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

const QColor TableGreen(0, 128, 0);

QSize PhysicalSize(QSize logical, qreal dpr) {
  return {static_cast<int>(std::ceil(logical.width() * dpr)),
          static_cast<int>(std::ceil(logical.height() * dpr))};
}

}  // namespace

TTableView::TTableView(QWidget* parent) : QWidget(parent), BackColour(TableGreen) {
  setMinimumSize(MinWidth, MinHeight);
  // The backing image covers every pixel, so Qt need not erase first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The hand is played from the keyboard too.
  setFocusPolicy(Qt::StrongFocus);
  InstallTableAccessibility();
  QPalette pal = palette();
  pal.setColor(QPalette::Window, BackColour);
  setPalette(pal);
  FitCanvas();
}

QImage& TTableView::Canvas() {
  FitCanvas();
  Claim(Image.rect());
  return Image;
}

QImage& TTableView::Surface() {
  FitCanvas();
  return Image;
}

void TTableView::Claim(const QRect& device) {
  Realize(Blank & device);
  Changed += device & Image.rect();
}

void TTableView::Realize(const QRegion& device) {
  for (const QRect& r : device) FillPixels(r, BackColour);
  Blank -= device;
}

void TTableView::SetBackground(const QColor& colour) {
  // What was filled in the old colour keeps it until the next fill.
  Realize(Blank);
  BackColour = colour;
  QPalette pal = palette();
  pal.setColor(QPalette::Window, colour);
  setPalette(pal);
}

void TTableView::Fill() {
  FitCanvas();
  Blank = Changed = Image.rect();
  Present();
}

void TTableView::Present() {
  if (!Changed.isEmpty()) {
    OwnPaintPending = true;
    update(Logical(Changed));
  }
  NotifyTableChanged(this);
}

void TTableView::PresentNow() {
  if (Changed.isEmpty()) return;
  OwnPaintPending = true;
  repaint(Logical(Changed));
}

QRegion TTableView::Logical(const QRegion& device) const {
  const qreal dpr = Image.devicePixelRatio();
  QRegion logical;
  for (const QRect& r : device)
    logical += QRectF(r.x() / dpr, r.y() / dpr, r.width() / dpr, r.height() / dpr).toAlignedRect();
  return logical;
}

bool TTableView::FitCanvas() {
  const qreal dpr = devicePixelRatioF();
  const QSize logical(std::max(width(), MinWidth), std::max(height(), MinHeight));
  const QSize needed = PhysicalSize(logical, dpr);
  const TTableTransform where(QSizeF(logical), dpr);
  const bool fits = !Image.isNull() && Image.devicePixelRatio() == dpr &&
                    Image.width() >= needed.width() && Image.height() >= needed.height();
  if (fits && where == Where) return false;
  // A new size moves or rescales the table: the game draws it afresh on
  // the table colour. The image never shrinks, so going back to a size it
  // has had allocates nothing.
  if (!fits) {
    QSize grown = needed;
    if (!Image.isNull() && Image.devicePixelRatio() == dpr) grown = grown.expandedTo(Image.size());
    Image = QImage(grown, QImage::Format_RGB32);
    Image.setDevicePixelRatio(dpr);
  }
  Blank = Changed = Image.rect();
  Where = where;
  return true;
}

void TTableView::PutImage(const QImage& picture, QPoint device) {
  const QRect target = QRect(device, picture.size()) & Image.rect();
  if (target.isEmpty() || picture.format() != Image.format()) return;
  const auto bytes = static_cast<std::size_t>(target.width()) * sizeof(QRgb);
  const uchar* from = picture.constScanLine(target.y() - device.y()) +
                      (target.x() - device.x()) * sizeof(QRgb);
  uchar* to = Image.scanLine(target.y()) + target.x() * sizeof(QRgb);
  const qsizetype fromStep = picture.bytesPerLine(), toStep = Image.bytesPerLine();
  for (int row = 0; row < target.height(); ++row, from += fromStep, to += toStep)
    std::memcpy(to, from, bytes);
  Blank -= target;
  Changed += target;
}

void TTableView::FillDevice(const QRect& device) { FillDevice(device, BackColour); }

void TTableView::FillDevice(const QRect& device, const QColor& colour) {
  FillPixels(device, colour);
  Blank -= device;
  Changed += device & Image.rect();
}

void TTableView::FillPixels(const QRect& device, const QColor& colour) {
  const QRect target = device & Image.rect();
  if (target.isEmpty()) return;
  uchar* line = Image.scanLine(target.y()) + target.x() * sizeof(QRgb);
  const qsizetype step = Image.bytesPerLine();
  for (int row = 0; row < target.height(); ++row, line += step)
    std::fill_n(reinterpret_cast<QRgb*>(line), target.width(), colour.rgb());
}

void TTableView::paintEvent(QPaintEvent* event) {
  const bool refitted = FitCanvas();
  QPainter painter(this);
  const qreal dpr = Image.devicePixelRatio();
  QRegion device;
  for (const QRect& r : event->region())
    device += QRectF(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr).toAlignedRect();
  device &= Image.rect();
  const auto logical = [dpr](const QRect& r) {
    return QRectF(r.x() / dpr, r.y() / dpr, r.width() / dpr, r.height() / dpr);
  };
  for (const QRect& r : device & Blank) painter.fillRect(logical(r), BackColour);
  for (const QRect& r : device - Blank) painter.drawImage(logical(r), Image, QRectF(r));
  Changed -= device;
  PaintMark(painter);
  ReportFirstPaint();
  if (!PaintedOnce) {
    PaintedOnce = true;
    emit FirstPainted();
  }
  // Paint events of the window system stand for the platform's paint
  // notification; the ones we caused ourselves must not ask again.
  if (refitted || !OwnPaintPending) emit Exposed();
  OwnPaintPending = false;
}

void TTableView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitCanvas();
  emit Exposed();
}

void TTableView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  emit Exposed();
}

void TTableView::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange ||
      event->type() == QEvent::StyleChange)
    emit Exposed();
}

void TTableView::mousePressEvent(QMouseEvent* event) {
  // A mouse player does not see the keyboard's mark.
  const int before = FocusedSlot();
  if (Focus.Hide()) MarkMoved(before);
  emit MouseDown(Where.ToTable(event->position()));
}

int TTableView::FocusedSlot() const {
  return Game ? Focus.Slot(Game->Deal().Players[0].Cards) : -1;
}

void TTableView::keyPressEvent(QKeyEvent* event) {
  const int pressed = event->key();
  if (Game && Game->Driver().PauseWaiting &&
      (pressed == Qt::Key_Return || pressed == Qt::Key_Enter || pressed == Qt::Key_Space)) {
    emit ContinueKey();
    return;
  }
  // Keys, like clicks, do nothing while the game is busy.
  if (!Game || !Game->InputEnabled() ||
      (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
    QWidget::keyPressEvent(event);
    return;
  }
  const varlo::THand& hand = Game->Deal().Players[0].Cards;
  const int before = FocusedSlot();
  const int key = event->key();
  using TMove = THandFocus::TMove;
  if (key >= Qt::Key_1 && key < Qt::Key_1 + varlo::HandSize) {
    Focus.Put(key - Qt::Key_1);
    MarkMoved(before);
    PlaySlot(key - Qt::Key_1);
    return;
  }
  bool moved = false;
  switch (key) {
    case Qt::Key_H:
      // The coach's best card, to look at before playing it.
      if (!Advice() || Advice()->Best < 0) return QWidget::keyPressEvent(event);
      Focus.Put(Advice()->Best);
      moved = true;
      break;
    case Qt::Key_Left: moved = Focus.Move(hand, TMove::Previous); break;
    case Qt::Key_Right: moved = Focus.Move(hand, TMove::Next); break;
    case Qt::Key_Home: moved = Focus.Move(hand, TMove::First); break;
    case Qt::Key_End: moved = Focus.Move(hand, TMove::Last); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      // The first key only shows the mark: nothing is played unseen.
      if (Focus.Shown()) return PlaySlot(before);
      moved = Focus.Move(hand, TMove::First);
      break;
    default: QWidget::keyPressEvent(event); return;
  }
  if (moved) MarkMoved(before);
}

void TTableView::PlaySlot(int slot) {
  if (slot >= 0) emit SlotPlayed(slot);
}

QRect TTableView::MarkRect(int slot) const {
  if (slot < 0) return {};
  return Where.LogicalRect(ToQRect(varlo::HandSlot(slot))).toAlignedRect();
}

void TTableView::MarkMoved(int before) {
  const int now = FocusedSlot();
  OwnPaintPending = true;
  update(MarkRect(before) | MarkRect(now));
  NotifyTableFocus(this, now);
}

// The mark is drawn on the screen only, over the table's picture: the
// table itself never changes because of it.
void TTableView::PaintMark(QPainter& painter) {
  const int slot = FocusedSlot();
  if (slot < 0) return;
  const QRectF card = MarkRect(slot);
  const qreal width = std::max<qreal>(2, 2 * Where.Scale());
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(255, 215, 0), width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  painter.drawRect(card.adjusted(width / 2, width / 2, -width / 2, -width / 2));
  painter.setPen(QPen(Qt::black, 1));
  painter.drawRect(card.adjusted(width + 0.5, width + 0.5, -width - 0.5, -width - 0.5));
}
