// The table: the main window's client area. Everything the game draws goes
// into a backing image that keeps it until it is painted over or filled, as
// a window canvas does; a paint event only copies that image to the screen.
// What was filled and not drawn on since is filled on the screen instead of
// copied, and only what changed is copied: after a resize of a large window
// its pixels are written once, not three times.
// The game draws in table coordinates; the table transform scales them to
// the widget, so a larger window shows a larger table.
#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>
#include <QWidget>

#include <optional>

#include "HandFocus.h"
#include "coach.h"
#include "TableTransform.h"

namespace varlo {
class TMatch;
}

class TTableView : public QWidget {
  Q_OBJECT

 public:
  static constexpr int MinWidth = varlo::TableWidth, MinHeight = varlo::TableHeight;

  explicit TTableView(QWidget* parent = nullptr);

  /// The match whose hand the keyboard plays (and assistive technology
  /// reads); the table only looks at it.
  void SetMatch(const varlo::TMatch* match) { Game = match; }
  const varlo::TMatch* Match() const { return Game; }
  /// The slot the keyboard's focus mark stands on; -1 while it is hidden.
  int FocusedSlot() const;

  QSize sizeHint() const override { return {MinWidth, MinHeight}; }

  /// The backing image (physical pixels, device pixel ratio set); sized to
  /// cover the whole widget, every pixel what was drawn or the table colour.
  QImage& Canvas();
  /// The backing image for a drawing pass, which writes only through
  /// PutImage, FillDevice and inside areas it has claimed: pixels that
  /// nothing has drawn on since the last fill may hold anything here.
  QImage& Surface();
  /// Readies device pixels of the surface for a pass to draw on freely:
  /// they hold what the table shows and will be presented.
  void Claim(const QRect& device);
  /// Where the table lies in the widget at its current size.
  const TTableTransform& Transform() const { return Where; }
  /// Copies a picture onto the backing image with its top-left corner on
  /// the given device pixel, unscaled; clipped to the image.
  void PutImage(const QImage& picture, QPoint device);
  /// Fills device pixels of the backing image with the table colour, or
  /// with the colour given.
  void FillDevice(const QRect& device);
  void FillDevice(const QRect& device, const QColor& colour);
  /// What the coach says of the human's cards while he is to play; null
  /// when the coach is off or has nothing to say.
  const varlo::TCoachAdvice* Advice() const { return CoachAdvice ? &*CoachAdvice : nullptr; }
  void SetAdvice(std::optional<varlo::TCoachAdvice> advice) { CoachAdvice = std::move(advice); }
  const QColor& Background() const { return BackColour; }
  /// Changes the table colour; what is drawn stays until the next fill.
  void SetBackground(const QColor& colour);
  /// Fills the whole backing image with the table colour.
  void Fill();
  /// Schedules a copy of what changed in the backing image to the screen.
  /// Unlike a paint event from the window system, it does not ask for a
  /// redraw.
  void Present();
  /// Copies what changed to the screen at once.
  void PresentNow();

 signals:
  /// The window system showed, uncovered, resized or restyled the table:
  /// the game should redraw it.
  void Exposed();
  /// A mouse button went down at the position (table pixels).
  void MouseDown(QPoint position);
  /// A key played the card of the hand's slot (0..7).
  void SlotPlayed(int slot);
  /// The table reached the screen for the first time.
  void FirstPainted();
  /// Enter or Space while a trick is on show: the player ends the pause.
  void ContinueKey();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  /// Fits the backing image to the widget's size and pixel ratio. Once the
  /// table's place or scale changes it is blank afresh, for the game to
  /// draw again; true then.
  bool FitCanvas();
  /// Fills the blank pixels of the region in the table colour.
  void Realize(const QRegion& device);
  void FillPixels(const QRect& device, const QColor& colour);
  /// The widget's logical pixels that cover these device pixels.
  QRegion Logical(const QRegion& device) const;
  /// Asks for the card of a slot to be played; a click on it would play
  /// the same card.
  void PlaySlot(int slot);
  /// Redraws the screen where the focus mark was and is, without asking the
  /// game for a redraw.
  void MarkMoved(int before);
  QRect MarkRect(int slot) const;
  void PaintMark(QPainter& painter);

  QImage Image;
  // Device pixels nothing has drawn on since the last fill: the table
  // colour, though only on the screen.
  QRegion Blank;
  // Device pixels that changed since the screen last showed them.
  QRegion Changed;
  TTableTransform Where;
  const varlo::TMatch* Game = nullptr;
  THandFocus Focus;
  std::optional<varlo::TCoachAdvice> CoachAdvice;
  QColor BackColour;
  bool OwnPaintPending = false;
  bool PaintedOnce = false;
};
