// How the table's own coordinates (table_geometry.h) reach the window: scaled
// uniformly to fill the table widget, centred, on whole device pixels.
// The game never sees anything but table coordinates.
#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QTransform>

#include "table_geometry.h"

/// The same rectangle as Qt spells it.
inline QRect ToQRect(const varlo::TTableRect& r) { return {r.Left, r.Top, r.Width, r.Height}; }

class TTableTransform {
 public:
  /// The transform for a table widget of the given logical size at the
  /// given device pixel ratio. The scale never falls below 1.
  TTableTransform(QSizeF widgetSize, qreal devicePixelRatio);
  TTableTransform() : TTableTransform(QSizeF(varlo::TableWidth, varlo::TableHeight), 1) {}

  qreal Scale() const { return S; }
  qreal DevicePixelRatio() const { return Dpr; }
  /// Device pixels per table pixel.
  qreal DeviceScale() const { return K; }
  /// Where the table's origin lies, in device pixels of the widget.
  QPoint DeviceOffset() const { return Offset; }
  bool IsIdentity() const { return S == 1 && Offset.isNull(); }

  /// The device column (or row) on which a table edge falls: rounding half
  /// up, so that neighbouring pictures share their edge and never overlap.
  int DeviceX(qreal tableX) const;
  int DeviceY(qreal tableY) const;
  /// The device pixels a table rectangle covers.
  QRect DeviceRect(const QRect& table) const;
  /// The same in the widget's logical coordinates.
  QRectF LogicalRect(const QRect& table) const;
  /// The painter transform from table to logical widget coordinates.
  QTransform ToLogical() const;
  /// The table pixel under a point of the widget (logical coordinates).
  QPoint ToTable(QPointF logical) const;

  bool operator==(const TTableTransform& other) const {
    return S == other.S && Dpr == other.Dpr && Offset == other.Offset;
  }

 private:
  qreal S = 1, Dpr = 1, K = 1;
  QPoint Offset;
};
