// Readable colours under dark desktop themes. The dialogs' fixed colours
// (blue and black labels, aqua on gray) were chosen for a light theme; under
// a dark one they are moved, as little as needed, to a contrast of at least
// 4.5:1 against what lies behind them. Under a light theme nothing changes.
#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

/// The contrast ratio of two colours, 1 to 21, from their relative
/// luminance (WCAG).
double ContrastRatio(const QColor& a, const QColor& b);
/// The least a text needs against its background.
constexpr double ReadableContrast = 4.5;
/// A dark theme: the window colour is darker than the window text.
bool IsDarkPalette(const QPalette& palette);
/// The wanted colour, or the colour nearest to it on the way to `towards`
/// (else to white or black) that is readable on the background.
QColor ReadableOn(const QColor& wanted, const QColor& background, const QColor& towards);
/// Under a dark theme, makes every text colour of the widget and its
/// children readable on the background it is drawn on; under a light theme
/// it does nothing.
void FitColoursToTheme(QWidget* widget);
