// Small pieces that the dialogs share.
#pragma once

#include <QColor>
#include <QFont>
#include <QMargins>
#include <QRect>

class QDialog;
class QPushButton;
class QWidget;

/// The blue of the dialogs' labels and lists.
inline const QColor FormBlue{0, 0, 255};

/// The application's font at a pixel height, optionally bold.
QFont FormFont(int pixelHeight, bool bold);
/// Gives a widget a text colour (its palette's text roles).
void SetTextColour(QWidget* widget, const QColor& colour);
/// Where a window's client area goes so that the whole window, its frame
/// (title bar and borders) included, is centred in the available area.
QRect CentredWindowRect(QSize clientSize, const QMargins& frame, const QRect& available);
/// Gives a dialog a fixed client size and centres it on its parent's screen.
void FixDialogSize(QWidget* dialog, int width, int height);
/// The dialogs' "OK" button with the usual glyph: 75 x 25 at (x, y), the
/// default button, pressed by Enter.
QPushButton* CreateOkButton(QWidget* dialog, int x, int y);
/// Shows a dialog or message box modally to its owner's window only and
/// returns its result. The owner and every other window of its family take
/// no input until it closes; separate windows such as the help stay usable.
/// The dialog is named for assistive technology by its title.
int ShowModalTo(QDialog& dialog, QWidget* owner);
