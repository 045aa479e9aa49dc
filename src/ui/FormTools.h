// Small pieces that the dialogs share.
#pragma once

#include <QColor>
#include <QFont>

class QPushButton;
class QWidget;

/// The blue of the dialogs' labels and lists.
inline const QColor FormBlue{0, 0, 255};

/// The application's font at a pixel height, optionally bold.
QFont FormFont(int pixelHeight, bool bold);
/// Gives a widget a text colour (its palette's text roles).
void SetTextColour(QWidget* widget, const QColor& colour);
/// Gives a dialog a fixed client size and centres it on its parent's screen.
void FixDialogSize(QWidget* dialog, int width, int height);
/// The dialogs' "OK" button with the usual glyph: 75 x 25 at (x, y), the
/// default button, pressed by Enter.
QPushButton* CreateOkButton(QWidget* dialog, int x, int y);
