#include "TableView.h"

#include "FirstPaint.h"

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
  QPalette pal = palette();
  pal.setColor(QPalette::Window, BackColour);
  setPalette(pal);
  FitCanvas();
}

QImage& TTableView::Canvas() {
  FitCanvas();
  return Image;
}

void TTableView::SetBackground(const QColor& colour) {
  BackColour = colour;
  QPalette pal = palette();
  pal.setColor(QPalette::Window, colour);
  setPalette(pal);
}

void TTableView::Fill() {
  FitCanvas();
  Image.fill(BackColour);
  Present();
}

void TTableView::Present() {
  OwnPaintPending = true;
  update();
}

void TTableView::PresentNow() {
  OwnPaintPending = true;
  repaint();
}

bool TTableView::FitCanvas() {
  const qreal dpr = devicePixelRatioF();
  const QSize logical(std::max(width(), MinWidth), std::max(height(), MinHeight));
  const QSize needed = PhysicalSize(logical, dpr);
  const TTableTransform where(QSizeF(logical), dpr);
  const bool samePlace = !Image.isNull() && where == Where;
  if (samePlace && Image.width() >= needed.width() && Image.height() >= needed.height())
    return false;

  QSize grown = needed;
  if (samePlace) grown = grown.expandedTo(Image.size());
  QImage next(grown, QImage::Format_RGB32);
  next.setDevicePixelRatio(dpr);
  next.fill(BackColour);
  // Moved or rescaled, the table is drawn afresh by the game; what stays
  // in place is kept, as on a window canvas.
  if (samePlace) {
    QPainter painter(&next);
    painter.drawImage(QPointF(0, 0), Image);
  }
  Image = std::move(next);
  Where = where;
  return true;
}

void TTableView::PutImage(const QImage& picture, QPoint device) {
  const QRect target = QRect(device, picture.size()) & Image.rect();
  if (target.isEmpty() || picture.format() != Image.format()) return;
  const int skipX = target.x() - device.x(), skipY = target.y() - device.y();
  const auto bytes = static_cast<std::size_t>(target.width()) * sizeof(QRgb);
  for (int row = 0; row < target.height(); ++row) {
    const auto* from = reinterpret_cast<const QRgb*>(picture.constScanLine(skipY + row)) + skipX;
    auto* to = reinterpret_cast<QRgb*>(Image.scanLine(target.y() + row)) + target.x();
    std::memcpy(to, from, bytes);
  }
}

void TTableView::FillDevice(const QRect& device) {
  const QRect target = device & Image.rect();
  const QRgb colour = BackColour.rgb();
  for (int row = target.top(); row <= target.bottom(); ++row) {
    auto* line = reinterpret_cast<QRgb*>(Image.scanLine(row)) + target.x();
    std::fill_n(line, target.width(), colour);
  }
}

void TTableView::paintEvent(QPaintEvent* event) {
  const bool refitted = FitCanvas();
  QPainter painter(this);
  const QRect area = event->rect();
  const qreal dpr = Image.devicePixelRatio();
  const QRectF source(area.x() * dpr, area.y() * dpr, area.width() * dpr, area.height() * dpr);
  painter.drawImage(QRectF(area), Image, source);
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
  emit MouseDown(Where.ToTable(event->position()));
}
