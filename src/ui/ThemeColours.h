// Readable colours under dark desktop themes. The dialogs' fixed colours
// (blue and black labels, aqua on gray) were chosen for a light theme; under
// a dark one they are moved, as little as needed, to a contrast of at least
// 4.6:1 against what lies behind them, so that the text on the screen clears
// 4.5:1: antialiased glyphs and the style's own drawing take a little off
// (a list aimed at exactly 4.5:1 measured 4.498:1 under Adwaita-dark).
// Under a light theme nothing changes.
#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

/// The contrast ratio of two colours, 1 to 21, from their relative
/// luminance (WCAG).
double ContrastRatio(const QColor& a, const QColor& b);
/// What every text colour is made to reach against its background: WCAG
/// AA's 4.5:1 and a margin for what drawing takes off.
constexpr double AimedContrast = 4.6;
/// A dark theme: the window colour is darker than the window text.
bool IsDarkPalette(const QPalette& palette);
/// The wanted colour when it reaches AimedContrast on the background; else
/// the colour nearest to it on the way to `towards` (else to white or
/// black) that does.
QColor ReadableOn(const QColor& wanted, const QColor& background, const QColor& towards);
/// Under a dark theme, makes every text colour of the widget and its
/// children readable on the background it is drawn on; under a light theme
/// it does nothing.
void FitColoursToTheme(QWidget* widget);
