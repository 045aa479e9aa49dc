// The table: the main window's client area. Everything the game draws goes
// into a backing image that keeps it until it is painted over or filled, as
// a window canvas does; a paint event only copies that image to the screen.
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

class TTableView : public QWidget {
  Q_OBJECT

 public:
  /// The table's items lie within x < 612 and y < 430.
  static constexpr int MinWidth = 632, MinHeight = 440;

  explicit TTableView(QWidget* parent = nullptr);

  QSize sizeHint() const override { return {MinWidth, MinHeight}; }

  /// The backing image (physical pixels, device pixel ratio set); sized to
  /// cover the whole widget.
  QImage& Canvas();
  const QColor& Background() const { return BackColour; }
  /// Changes the table colour; what is drawn stays until the next fill.
  void SetBackground(const QColor& colour);
  /// Fills the whole backing image with the table colour.
  void Fill();
  /// Schedules a copy of the backing image to the screen. Unlike a paint
  /// event from the window system, it does not ask for a redraw.
  void Present();
  /// Copies the backing image to the screen at once.
  void PresentNow();

 signals:
  /// The window system showed, uncovered, resized or restyled the table:
  /// the game should redraw it.
  void Exposed();
  /// A mouse button went down at the position (client pixels).
  void MouseDown(QPoint position);
  /// The table reached the screen for the first time.
  void FirstPainted();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  /// Grows the backing image to the widget's size and pixel ratio, keeping
  /// what was drawn; true when it had to change.
  bool FitCanvas();

  QImage Image;
  QColor BackColour;
  bool OwnPaintPending = false;
  bool PaintedOnce = false;
};
